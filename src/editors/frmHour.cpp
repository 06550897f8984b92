#include "editors/frmHour.h"

frmHour::frmHour(QWidget *owner) : QDialog(owner) {}

frmHour *frmHour::showEditor(QWidget *owner)
{
    auto *e = new frmHour(owner);
    e->show();
    return e;
}

void frmHour::SwapFormMode(int, qint32) {}
