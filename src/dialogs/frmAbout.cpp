#include "dialogs/frmAbout.h"

frmAbout::frmAbout(QWidget *owner) : QDialog(owner) {}

frmAbout *frmAbout::showFor(QWidget *owner)
{
    auto *d = new frmAbout(owner);
    d->show();
    return d;
}
