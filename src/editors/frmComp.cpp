#include "editors/frmComp.h"

frmComp::frmComp(QWidget *owner) : QDialog(owner) {}

frmComp *frmComp::showEditor(QWidget *owner)
{
    auto *e = new frmComp(owner);
    e->show();
    return e;
}

void frmComp::SwapFormMode(int, qint32) {}
