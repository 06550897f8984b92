#include "data/Backup.h"
#include "data/DataPath.h"
#include "dialogs/QtPrompter.h"
#include "main/frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamberlock"));
    QApplication::setOrganizationName(QStringLiteral("Kiv"));

    QtPrompter qtPrompter;
    setPrompter(&qtPrompter);
    setDataPath(dataPathFor(QCoreApplication::applicationDirPath()));
    Backup::atStartup();

    int rc = 0;
    {
        frmMain window;
        window.show();
        rc = app.exec();
    }
    setPrompter(nullptr);
    return rc;
}
