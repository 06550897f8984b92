#include "app/WindowLog.h"

#include <QApplication>
#include <QEvent>
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
