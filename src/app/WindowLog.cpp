#include "app/WindowLog.h"

#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QWidget>

namespace {
Q_LOGGING_CATEGORY(lcWindows, "tamberlock.windows", QtWarningMsg)
}

void WindowLog::installIfEnabled()
{
    if (!lcWindows().isInfoEnabled())
        return;
    static WindowLog log;
    qApp->installEventFilter(&log);
}

bool WindowLog::eventFilter(QObject *watched, QEvent *event)
{
    // What each status-bar panel shows, and whether its text has the room it
    // needs, whenever that changes on screen.
    if (event->type() == QEvent::Paint && watched->objectName().startsWith(QLatin1String("StBr1_"))) {
        if (const auto *panel = qobject_cast<const QLabel *>(watched)) {
            const QString line = QStringLiteral("panel %1 \"%2\" needs %3 has %4")
                                     .arg(panel->objectName(), panel->text())
                                     .arg(panel->fontMetrics().horizontalAdvance(panel->text()))
                                     .arg(panel->contentsRect().width());
            static QHash<QString, QString> lastShown;
            if (lastShown.value(panel->objectName()) != line) {
                lastShown.insert(panel->objectName(), line);
                qCInfo(lcWindows).noquote() << line;
            }
        }
    }
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        const auto *w = static_cast<QWidget *>(watched);
        if (w->isWindow()) {
            QString line = QStringLiteral("shown %1 \"%2\"").arg(w->objectName(), w->windowTitle());
            if (const auto *box = qobject_cast<const QMessageBox *>(w))
                line += QStringLiteral(": ") + box->text().simplified();
            qCInfo(lcWindows).noquote() << line;
        }
    }
    return QObject::eventFilter(watched, event);
}
