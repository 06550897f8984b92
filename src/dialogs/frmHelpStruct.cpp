#include "dialogs/frmHelpStruct.h"

frmHelpStruct::frmHelpStruct(QWidget *owner) : QWidget(owner, Qt::Window) {}

frmHelpStruct *frmHelpStruct::showFor(QWidget *owner)
{
    auto *d = new frmHelpStruct(owner);
    d->show();
    return d;
}
