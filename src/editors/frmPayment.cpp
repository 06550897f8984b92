#include "editors/frmPayment.h"

frmPayment::frmPayment(QWidget *owner) : QDialog(owner) {}

frmPayment *frmPayment::showEditor(QWidget *owner)
{
    auto *e = new frmPayment(owner);
    e->show();
    return e;
}

void frmPayment::SwapFormMode(int, qint32) {}
