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

    int rc = 0;
    {
        // The window shows itself and loads; closed while a question of the
        // load was waiting, it does not come back and the program ends.
        frmMain window;
        if (!window.isClosed())
            rc = app.exec();
    }
    setPrompter(nullptr);
    return rc;
}
