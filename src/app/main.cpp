#include "app/Platform.h"
#include "app/WindowLog.h"
#include "data/Backup.h"
#include "data/DataPath.h"
#include "data/RegionalFormats.h"
#include "dialogs/QtPrompter.h"
#include "main/frmMain.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    if (const QString reason = Platform::missingDisplay(); !reason.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(reason));
        return 1;
    }
    std::unique_ptr<QApplication> appOwner;
    {
        Platform::DisplayGuard guard;
        appOwner = std::make_unique<QApplication>(argc, argv);
    }
    QApplication &app = *appOwner;
    QApplication::setApplicationName(QStringLiteral("Tamberlock"));
    QApplication::setOrganizationName(QStringLiteral("Kiv"));
    // Ties the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.brumvale.Tamberlock"));
    WindowLog::installIfEnabled();

    QtPrompter qtPrompter;
    setPrompter(&qtPrompter);
    Formats::setCurrent(RegionalFormats::fromSettings());
    setDataPath(dataPathFor(QCoreApplication::applicationDirPath()));
    Backup::atStartup();

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
