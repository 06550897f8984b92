#include "dialogs/frmDateTime.h"

frmDateTime::frmDateTime(QWidget *owner) : QDialog(owner) {}

frmDateTime *frmDateTime::forOwner(QWidget *owner)
{
    return new frmDateTime(owner);
}

void frmDateTime::LoadPicker(int) {}
