#include "editors/frmJob.h"

frmJob::frmJob(QWidget *owner) : QDialog(owner) {}

frmJob *frmJob::showEditor(QWidget *owner)
{
    auto *e = new frmJob(owner);
    e->show();
    return e;
}

void frmJob::SwapFormMode(int, qint32) {}
