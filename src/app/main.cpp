#include "app/Platform.h"
#include "app/WindowLog.h"
#include "data/Backup.h"
#include "data/DataPath.h"
#include "data/RegionalFormats.h"
#include "desktop/DesktopCompanion.h"
#include "desktop/InstanceGuard.h"
#include "desktop/WindowMemory.h"
#include "dialogs/QtPrompter.h"
#include "main/frmMain.h"

#include <QApplication>
#include <QPointer>
#include <QWindow>

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

    // One Tamberlock per database: a second start brings the first forward.
    InstanceGuard guard(databaseFile());
    if (guard.otherRunning())
        return 0;
    // Until the companion takes over: the question standing over the
    // loading window, or the window itself.
    QPointer<QWidget> mainWindow;
    QPointer<DesktopCompanion> companionPtr;
    QObject::connect(&guard, &InstanceGuard::raiseRequested, [&] {
        if (companionPtr && !QApplication::activeModalWidget())
            return companionPtr->showWindow();
        QWidget *w = QApplication::activeModalWidget();
        if (!w)
            w = mainWindow;
        if (!w)
            return;
        w->raise();
        w->activateWindow();
        if (QWindow *handle = w->windowHandle())
            handle->requestActivate();
    });

    Backup::atStartup();
    WindowKeeper keeper;
    app.installEventFilter(&keeper);

    int rc = 0;
    {
        // The window shows itself and loads; closed while a question of the
        // load was waiting, it does not come back and the program ends.
        frmMain window;
        mainWindow = &window;
        if (!window.isClosed()) {
            QString whyNot;
            IdleSource idle = Platform::idleSource(&whyNot);
            if (!idle)
                std::fprintf(stderr, "Tamberlock does not ask about time away: %s.\n", qPrintable(whyNot));
            DesktopCompanion companion(&window, std::move(idle));
            companionPtr = &companion;
            rc = app.exec();
        }
    }
    setPrompter(nullptr);
    return rc;
}
