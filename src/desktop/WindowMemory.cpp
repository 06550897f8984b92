#include "desktop/WindowMemory.h"

#include "main/frmMain.h"
#include "widgets/ReportList.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace {

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kiv"),
                     QStringLiteral("Kiv"));
}

QString key(const QString &name, const char *what)
{
    return QStringLiteral("Windows/%1%2").arg(name, QLatin1String(what));
}

// A size the user could have left: positive and not beyond any screen ever made.
bool plausible(const QSize &s)
{
    return s.isValid() && s.width() <= 32768 && s.height() <= 32768;
}

} // namespace

namespace WindowMemory {

QPoint placeOnScreen(const QPoint &savedTopLeft, const QSize &frame)
{
    // The title bar must be reachable to move the window: a strip around
    // the top edge of the client area.
    const QRect titleBar(savedTopLeft - QPoint(0, 16), QSize(qMax(1, frame.width()), 24));
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect shared = screen->availableGeometry().intersected(titleBar);
        if (shared.width() >= qMin(titleBar.width(), 48) && shared.height() >= 8)
            return savedTopLeft;
    }
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return savedTopLeft;
    const QRect area = primary->availableGeometry();
    return QPoint(area.x() + qMax(0, (area.width() - frame.width()) / 2),
                  area.y() + qMax(0, (area.height() - frame.height()) / 2));
}

bool restoreMain(QWidget *window, short *screenStyle)
{
    QSettings s = store();
    const QString name = QStringLiteral("Main");
    bool ok = false;
    const int style = s.value(key(name, "Style")).toInt(&ok);
    if (ok && (style == 0 || style == 1) && screenStyle)
        *screenStyle = short(style);
    QSize size = s.value(key(name, "Size")).toSize();
    if (!plausible(size))
        return false;
    size = size.expandedTo(window->minimumSize());
    // The place of the client area: the frame's is only known once the
    // window manager has framed the window, and differs between them.
    if (s.contains(key(name, "Position")))
        window->setGeometry(QRect(placeOnScreen(s.value(key(name, "Position")).toPoint(), size), size));
    else
        window->resize(size);
    if (s.value(key(name, "Maximized")).toBool())
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    return true;
}

void saveMain(const QWidget *window, short screenStyle)
{
    QSettings s = store();
    const QString name = QStringLiteral("Main");
    const bool maximized = window->isMaximized();
    // A maximized window keeps the place it comes back to when restored.
    const QRect normal = maximized ? window->normalGeometry() : window->geometry();
    s.setValue(key(name, "Size"), normal.size());
    s.setValue(key(name, "Position"), normal.topLeft());
    s.setValue(key(name, "Maximized"), maximized);
    s.setValue(key(name, "Style"), int(screenStyle));
    s.sync();
}

void restoreSize(QWidget *window, const QString &name)
{
    const QSize size = store().value(key(name, "Size")).toSize();
    if (plausible(size))
        window->resize(size.expandedTo(window->minimumSize()));
}

void saveSize(const QWidget *window, const QString &name)
{
    QSettings s = store();
    s.setValue(key(name, "Size"), window->isMaximized() ? window->normalGeometry().size() : window->size());
    s.sync();
}

void restoreColumns(ReportList *list)
{
    QSettings s = store();
    const QString name = list->objectName();
    const QVariantList widths = s.value(key(name, "/Widths")).toList();
    if (widths.size() == list->columnCount()) {
        for (int i = 0; i < widths.size(); ++i) {
            bool ok = false;
            const int w = widths.at(i).toInt(&ok);
            // A column dragged shut stays findable.
            if (ok && w >= 0 && w <= 10000)
                list->horizontalHeader()->resizeSection(i, qMax(w, 8));
        }
    }
    bool ok = false;
    const int column = s.value(key(name, "/SortColumn")).toInt(&ok);
    if (!ok || column < 0 || column >= list->columnCount())
        return;
    list->setSortColumnIndex(column);
    list->setSortDirection(s.value(key(name, "/SortDescending")).toBool() ? Qt::DescendingOrder
                                                                          : Qt::AscendingOrder);
    // A load sorts its list by the row text; after the first load of this
    // run the rows come in the order the user left them instead.
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = QObject::connect(list, &ReportList::rowsSorted, list, [list, column, once] {
        const QMetaObject::Connection connection = *once;
        QTimer::singleShot(0, list, [list, column] {
            if (list->sortColumnIndex() == column)
                return;
            list->setSortColumnIndex(column);
            list->sortRows();
        });
        QObject::disconnect(connection);
    });
}

void saveColumns(const ReportList *list)
{
    QSettings s = store();
    const QString name = list->objectName();
    QVariantList widths;
    for (int i = 0; i < list->columnCount(); ++i)
        widths << list->horizontalHeader()->sectionSize(i);
    s.setValue(key(name, "/Widths"), widths);
    s.setValue(key(name, "/SortColumn"), list->sortColumnIndex());
    s.setValue(key(name, "/SortDescending"), list->sortDirection() == Qt::DescendingOrder);
    s.sync();
}

} // namespace WindowMemory

namespace {

QList<ReportList *> listsOf(QWidget *window)
{
    QList<ReportList *> lists;
    // Only the window's own lists, not those of windows it owns.
    for (ReportList *l : window->findChildren<ReportList *>()) {
        if (l->window() == window)
            lists << l;
    }
    return lists;
}

} // namespace

bool WindowKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
        return QObject::eventFilter(watched, event);
    auto *main = qobject_cast<frmMain *>(watched);
    QWidget *window = main;
    if (!window && watched->objectName() == QLatin1String("frmPayments") && watched->isWidgetType())
        window = static_cast<QWidget *>(watched);
    if (!window || !window->isWindow())
        return QObject::eventFilter(watched, event);

    if (event->type() == QEvent::Show && !m_restored.contains(watched)) {
        m_restored.insert(watched);
        connect(watched, &QObject::destroyed, this, [this, watched] { m_restored.remove(watched); });
        // The show event comes before the window appears: restored now, it
        // appears in its place at once.
        short style = frmMain::StackedStyle;
        if (main)
            WindowMemory::restoreMain(main, &style);
        else
            WindowMemory::restoreSize(window, window->objectName());
        for (ReportList *l : listsOf(window))
            WindowMemory::restoreColumns(l);
        // The style switch lets events run, which the show event must not.
        if (main && style != main->ScreenStyle()) {
            QPointer<frmMain> guard(main);
            QTimer::singleShot(0, main, [guard, style] {
                if (guard && !guard->isClosed())
                    guard->setScreenStyle(style);
            });
        }
    } else if (event->type() == QEvent::Hide && m_restored.contains(watched) && !event->spontaneous()) {
        if (main)
            WindowMemory::saveMain(main, main->ScreenStyle());
        else
            WindowMemory::saveSize(window, window->objectName());
        for (ReportList *l : listsOf(window))
            WindowMemory::saveColumns(l);
    }
    return QObject::eventFilter(watched, event);
}
