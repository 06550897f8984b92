// The two screen styles and the resize rules of the main window.
#include "main/frmMain.h"

#include "widgets/ReportList.h"
#include "widgets/Twips.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLayout>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTabWidget>

namespace {

double tw(int pixels)
{
    return Twips::fromPixels(pixels);
}

int px(double twips)
{
    return Twips::toPixels(twips);
}

} // namespace

void frmMain::setScreenStyle(short style)
{
    m_screenStyle = style;
    if (QAction *single = menuItem(QStringLiteral("mnuView"), ViewSingle))
        single->setChecked(style == SingleListStyle);
    // Two passes: in the single-list style a frame's height is taken from
    // its top before the top moves, so only the second pass is final.
    QCoreApplication::processEvents();
    applyLayout();
    QCoreApplication::processEvents();
    applyLayout();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    applyLayout();
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    applyLayout();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        fitStatusBar();
        applyLayout();
    } else if (watched == statusBar() && event->type() == QEvent::LayoutRequest) {
        fitStatusBar();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::applyLayout()
{
    if (!m_frames[0])
        return;
    // A hidden window gets no layout pass of its own; the rules need the
    // client area as it is now.
    if (!isVisible() && layout())
        layout()->setGeometry(rect());
    if (m_screenStyle == StackedStyle) {
        if (isMinimized())
            return; // nothing to arrange in a minimized window
        layoutStyle0();
    } else if (m_screenStyle == SingleListStyle) {
        layoutStyle1();
    }
    fitLists();
}

void frmMain::layoutStyle0()
{
    // The smallest window that still shows the three lists.
    Twips::keepOuterMinimum(this, 6090, 4725);

    // The status bar stands inside the client area the rules measure.
    const double statusHeight = tw(statusBar()->height());
    const double scaleWidth = tw(centralWidget()->width());
    const double scaleHeight = tw(centralWidget()->height()) + statusHeight;

    const double t = qRound(scaleHeight - tw(m_frames[0]->y()) + 200);

    for (QGroupBox *frame : m_frames) {
        if (frame->isHidden())
            frame->show();
    }
    if (!m_tabs->isHidden())
        m_tabs->hide();

    m_frames[0]->move(m_frames[0]->x(), px(600));
    for (QGroupBox *frame : m_frames)
        frame->resize(px(scaleWidth - (tw(frame->x()) + 50)), frame->height());

    const int h = qMax(0, px((t - (statusHeight + 600)) / 3));
    for (QGroupBox *frame : m_frames)
        frame->resize(frame->width(), h);

    const double common = tw(m_frames[0]->height());
    const double top1 = 600 + common + 105;
    m_frames[1]->move(m_frames[1]->x(), px(top1));
    m_frames[2]->move(m_frames[2]->x(), px(top1 + common + 105));
}

void frmMain::layoutStyle1()
{
    Twips::keepOuterMinimum(this, 4500, 3135);

    const double statusHeight = tw(statusBar()->height());
    const double scaleWidth = tw(centralWidget()->width());
    const double scaleHeight = tw(centralWidget()->height()) + statusHeight;

    if (m_tabs->isHidden())
        m_tabs->show();

    for (QGroupBox *frame : m_frames) {
        if (!frame->isHidden())
            frame->hide();
        const int width = qMax(0, px(scaleWidth - (tw(frame->x()) + 100)));
        const int height = qMax(0, px(scaleHeight - (statusHeight + tw(frame->y()) + 50)));
        frame->resize(width, height);
        frame->move(frame->x(), px(840));
    }

    const int shown = m_tabs->currentIndex(); // tab 1 shows frame 0, and so on
    if (shown >= 0 && shown < 3) {
        m_frames[shown]->show();
        m_frames[shown]->raise();
    }

    m_tabs->resize(qMax(0, px(scaleWidth - tw(m_tabs->x()))),
                   qMax(0, px(scaleHeight - tw(m_tabs->y()) - statusHeight)));
}

void frmMain::fitLists()
{
    ReportList *lists[3] = {m_companyList, m_projectList, m_chargeList};
    for (int i = 0; i < 3; ++i) {
        ReportList *list = lists[i];
        const QGroupBox *frame = m_frames[i];
        list->resize(qMax(0, px(tw(frame->width()) - (tw(list->x()) + 50))),
                     qMax(0, px(tw(frame->height()) - (tw(list->y()) + 50))));
    }
}
