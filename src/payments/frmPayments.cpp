#include "payments/frmPayments.h"

frmPayments::frmPayments(QWidget *owner) : QMainWindow(owner) {}

frmPayments *frmPayments::forOwner(QWidget *owner)
{
    return new frmPayments(owner);
}

void frmPayments::LoadPayments(qint32) {}
void frmPayments::RefreshData() {}
