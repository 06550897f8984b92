#include "app/Platform.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariant>
#include <QtGlobal>

#if defined(TAMBERLOCK_HAVE_XSS)
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#endif

#include <memory>
#include <optional>
#include <utility>

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

namespace {

// One call on the session bus, answered within a fifth of a second or not at all.
std::optional<QVariant> busCall(const QString &service, const QString &path, const QString &interface,
                                const QString &method)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return std::nullopt;
    const QDBusMessage reply =
        bus.call(QDBusMessage::createMethodCall(service, path, interface, method), QDBus::Block, 200);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return reply.arguments().constFirst();
}

bool screenLocked()
{
    for (const auto &[service, path] :
         {std::pair{"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver"},
          std::pair{"org.gnome.ScreenSaver", "/org/gnome/ScreenSaver"}}) {
        const QString name = QString::fromLatin1(service);
        if (const std::optional<QVariant> active =
                busCall(name, QString::fromLatin1(path), name, QStringLiteral("GetActive")))
            return active->toBool();
    }
    return false;
}

IdleSource busSource()
{
    const QString fdo = QStringLiteral("org.freedesktop.ScreenSaver");
    const auto fdoIdle = [fdo] {
        return busCall(fdo, QStringLiteral("/org/freedesktop/ScreenSaver"), fdo,
                       QStringLiteral("GetSessionIdleTime"));
    };
    if (fdoIdle()) {
        return [fdoIdle]() -> std::optional<IdleReading> {
            const std::optional<QVariant> ms = fdoIdle();
            if (!ms)
                return std::nullopt;
            return IdleReading{ms->toLongLong(), screenLocked()};
        };
    }
    const auto mutterIdle = [] {
        return busCall(QStringLiteral("org.gnome.Mutter.IdleMonitor"),
                       QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
                       QStringLiteral("org.gnome.Mutter.IdleMonitor"), QStringLiteral("GetIdletime"));
    };
    if (mutterIdle()) {
        return [mutterIdle]() -> std::optional<IdleReading> {
            const std::optional<QVariant> ms = mutterIdle();
            if (!ms)
                return std::nullopt;
            return IdleReading{ms->toLongLong(), screenLocked()};
        };
    }
    return {};
}

#if defined(TAMBERLOCK_HAVE_XSS)
// A connection of its own to the X server: the extension's one request a
// second is all it carries.
struct XSession {
    Display *display = nullptr;
    XScreenSaverInfo *info = nullptr;
    ~XSession()
    {
        if (info)
            XFree(info);
        if (display)
            XCloseDisplay(display);
    }
};

IdleSource x11Source()
{
    auto session = std::make_shared<XSession>();
    session->display = XOpenDisplay(nullptr);
    if (!session->display)
        return {};
    int event = 0, error = 0;
    if (!XScreenSaverQueryExtension(session->display, &event, &error))
        return {};
    session->info = XScreenSaverAllocInfo();
    if (!session->info)
        return {};
    return [session]() -> std::optional<IdleReading> {
        Display *d = session->display;
        if (!XScreenSaverQueryInfo(d, DefaultRootWindow(d), session->info))
            return std::nullopt;
        return IdleReading{qint64(session->info->idle), session->info->state == ScreenSaverOn};
    };
}
#endif

} // namespace

IdleSource idleSource(QString *whyNot)
{
    if (IdleSource bus = busSource())
        return bus;
#if defined(TAMBERLOCK_HAVE_XSS)
    if (IdleSource x11 = x11Source())
        return x11;
#endif
    if (whyNot)
        *whyNot = QStringLiteral("neither the desktop's screen saver nor its idle monitor answers, and "
                                 "there is no X11 screen-saver extension");
    return {};
}

} // namespace Platform
