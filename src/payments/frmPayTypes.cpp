#include "payments/frmPayTypes.h"

frmPayTypes::frmPayTypes(QWidget *owner) : QDialog(owner) {}

frmPayTypes *frmPayTypes::showFor(QWidget *owner)
{
    auto *d = new frmPayTypes(owner);
    d->show();
    return d;
}
