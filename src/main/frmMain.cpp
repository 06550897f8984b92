#include "main/frmMain.h"

frmMain *frmMain::s_instance = nullptr;

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tamberlock"));
    s_instance = this;
}

frmMain::~frmMain()
{
    if (s_instance == this)
        s_instance = nullptr;
}

frmMain *frmMain::instance()
{
    return s_instance;
}

QString frmMain::selectedCompanyText() const
{
    return {};
}

QString frmMain::selectedJobText() const
{
    return {};
}

void frmMain::RefreshData() {}
