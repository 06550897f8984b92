#pragma once

#include "common/WidgetTestSupport.h"
#include "main/frmMain.h"
#include "widgets/ReportList.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include <memory>

// Helpers for the main-window tests: a window on a database of the test's
// own, its lists and panels by name, and mouse releases on list rows.
namespace MainFixture {

inline std::unique_ptr<frmMain> openWindow()
{
    auto w = std::make_unique<frmMain>();
    w->show();
    // The watch would tick into the middle of a test; tests drive it by hand.
    w->setRealTimeWatch(false);
    return w;
}

inline ReportList *list(frmMain *w, const char *name)
{
    return w->findChild<ReportList *>(QString::fromLatin1(name));
}

inline QString panel(frmMain *w, int n)
{
    return w->findChild<QLabel *>(QStringLiteral("StBr1_%1").arg(n))->text();
}

inline int rowWithText(ReportList *l, const QString &text)
{
    for (int r = 0; r < l->rowCount(); ++r) {
        if (l->rowText(r) == text)
            return r;
    }
    return -1;
}

// A click (press and release) on a row, as the user makes it.
inline void clickRow(ReportList *l, int row, Qt::MouseButton button = Qt::LeftButton)
{
    const QRect r = l->rowRect(row);
    QTest::mouseClick(l->viewport(), button, {}, r.isValid() ? r.center() : QPoint(5, 5));
}

inline void clickRowWithText(ReportList *l, int id)
{
    clickRow(l, rowWithText(l, QString::number(id)));
}

// A window with a company chosen in its list, as the user chooses it.
inline std::unique_ptr<frmMain> openWindowOn(int company)
{
    auto w = openWindow();
    clickRowWithText(list(w.get(), "LvwCompanys"), company);
    return w;
}

// A release over an empty part of the list (no row under the mouse).
inline void clickEmpty(ReportList *l, Qt::MouseButton button)
{
    QTest::mouseClick(l->viewport(), button, {},
                      QPoint(l->viewport()->width() / 2, l->viewport()->height() - 3));
}

} // namespace MainFixture

#include <QPushButton>
#include <QSet>
#include <QTimer>

namespace MainFixture {

// Answers the confirmation boxes as they come (they wait in an event loop of
// their own), recording their captions and messages.
class ConfirmAnswerer
{
public:
    explicit ConfirmAnswerer(bool yes) : m_yes(yes)
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    QStringList captions;
    QStringList messages;

private:
    void poll()
    {
        const QWidgetList tops = QApplication::topLevelWidgets();
        for (QWidget *w : tops) {
            if (w->objectName() != QLatin1String("frmKivMsg") || !w->isVisible() || m_done.contains(w))
                continue;
            m_done.insert(w);
            captions << w->windowTitle();
            messages << w->property("Message").toString();
            w->findChild<QPushButton *>(m_yes ? QStringLiteral("OKButton") : QStringLiteral("CancelButton"))
                ->click();
        }
    }

    bool m_yes;
    QTimer m_timer;
    QSet<QWidget *> m_done;
};

} // namespace MainFixture
