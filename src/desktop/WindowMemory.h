#pragma once

#include <QObject>
#include <QRect>
#include <QSet>
#include <QString>

class QWidget;
class ReportList;

// Windows as the user left them, per user in the settings store (application
// "Kiv", section "Windows"): size, position, screen style, the lists' column
// widths and sort order. Nothing saved yet: the window keeps its own sizes.
namespace WindowMemory {

// The main window before it is shown: size and place (centred on
// the primary screen when the saved place lies off every screen now), and
// whether it was maximized. False when nothing was saved.
bool restoreMain(QWidget *window, short *screenStyle);
void saveMain(const QWidget *window, short screenStyle);

// The size of another window, by the name it is saved under.
void restoreSize(QWidget *window, const QString &name);
void saveSize(const QWidget *window, const QString &name);

// A list's column widths and sort column and direction, by the list's
// object name. Widths saved for another number of columns are not used.
void restoreColumns(ReportList *list);
void saveColumns(const ReportList *list);

// Where a window of this size goes for the saved top-left corner of its
// client area: that corner while the window's title bar lies on a screen,
// otherwise centred on the primary screen.
QPoint placeOnScreen(const QPoint &savedTopLeft, const QSize &frame);

} // namespace WindowMemory

// Installed on the application by the program: each window it remembers
// (the main window, the payments window) is restored when it is first shown,
// before it appears, and saved each time it is hidden (closing hides).
class WindowKeeper : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QSet<QObject *> m_restored;
};
