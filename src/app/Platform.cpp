#include "app/Platform.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace Platform {

QString missingDisplay()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_ANDROID)
    // A platform named explicitly (offscreen, vnc, ...) is Qt's to check.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return {};
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QStringLiteral("Tamberlock needs a graphical desktop: this session has none (neither DISPLAY "
                              "nor WAYLAND_DISPLAY is set). Start it from your desktop.");
#endif
    return {};
}

namespace {

QtMessageHandler g_previous = nullptr;
QByteArray g_reason;

void guardHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const bool fromPlatform = context.category && qstrncmp(context.category, "qt.qpa", 6) == 0;
    if (type == QtFatalMsg) {
        // Qt's own text advises reinstalling, which never helps here.
        const QByteArray reason =
            g_reason.isEmpty() ? QByteArrayLiteral("no display could be opened") : g_reason;
        std::fprintf(stderr, "Tamberlock cannot open its window: %s.\n", reason.constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (fromPlatform && type >= QtWarningMsg) {
        // The platform's own words name the display it could not reach.
        if (g_reason.isEmpty())
            g_reason = message.trimmed().toLocal8Bit();
        return;
    }
    if (g_previous)
        g_previous(type, context, message);
}

} // namespace

DisplayGuard::DisplayGuard()
{
    g_reason.clear();
    g_previous = qInstallMessageHandler(guardHandler);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(g_previous);
    g_previous = nullptr;
}

} // namespace Platform
