#include "MainWindowFixture.h"

#include "data/Formats.h"
#include "data/Settings.h"
#include "widgets/Twips.h"

#include <QGroupBox>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>

using namespace MainFixture;

class MainLayoutTest : public DatabaseTest
{
    Q_OBJECT

    static QGroupBox *frame(frmMain *w, int i)
    {
        return w->findChild<QGroupBox *>(QStringLiteral("framBig_%1").arg(i));
    }
    static QTabWidget *tabs(frmMain *w) { return w->findChild<QTabWidget *>(QStringLiteral("TabS1")); }

private slots:
    void init()
    {
        DontAskSetting::write(QStringLiteral("0"));
        startScene();
    }
    void cleanup()
    {
        endScene();
        DontAskSetting::write(QStringLiteral("1"));
    }

    void controlsAtStart()
    {
        auto w = openWindow();
        QCOMPARE(w->objectName(), QStringLiteral("frmMain"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Tamberlock"));
        auto *label = w->findChild<QLabel *>(QStringLiteral("Label1"));
        QCOMPARE(label->text(), QStringLiteral("Tamberlock"));
        QVERIFY(label->font().bold());
        QCOMPARE(label->font().family(), QStringLiteral("Verdana"));
        // 2100 by 435 twips, the whole word inside; a font standing in for
        // a missing Verdana is set smaller to fit.
        QCOMPARE(label->geometry(), QRect(48, 0, 140, 29));
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        if (QFontInfo(label->font()).family() == QStringLiteral("Verdana"))
            QCOMPARE(label->font().pointSize(), 18);
        QVERIFY(w->findChild<QLabel *>(QStringLiteral("Image1")));
        QCOMPARE(frame(w.get(), 0)->title(), QStringLiteral("Companies:"));
        QCOMPARE(frame(w.get(), 1)->title(), QStringLiteral("Projects:"));
        QCOMPARE(frame(w.get(), 2)->title(), QStringLiteral("Zarividude Charges:"));
        QCOMPARE(list(w.get(), "LvwCompanys")->parentWidget(), frame(w.get(), 0));
        QCOMPARE(list(w.get(), "lvwHours")->parentWidget(), frame(w.get(), 2));
        QTabWidget *t = tabs(w.get());
        QVERIFY(t->isHidden());
        QCOMPARE(t->count(), 3);
        QCOMPARE(t->tabText(0), QStringLiteral("Companies"));
        QCOMPARE(t->tabText(1), QStringLiteral("Projects"));
        QCOMPARE(t->tabText(2), QStringLiteral("Charges"));
        const QStringList texts = {"Charges:", "$0.00", "Payments:", "$0.00", "Balance:", "$0.00"};
        for (int i = 0; i < 6; ++i) {
            auto *panel = w->findChild<QLabel *>(QStringLiteral("StBr1_%1").arg(i + 1));
            QCOMPARE(panel->text(), texts.at(i));
            QCOMPARE(panel->toolTip(), texts.at(i));
        }
        auto *timer = w->findChild<QTimer *>(QStringLiteral("tmrRealTimeCost"));
        QCOMPARE(timer->interval(), 1000);
        QCOMPARE(w->ScreenStyle(), short(0));
    }

    void stackedFramesAreEqualAnd105Apart_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("start") << QSize();
        QTest::newRow("wide") << QSize(900, 700);
        QTest::newRow("odd") << QSize(611, 517);
    }
    void stackedFramesAreEqualAnd105Apart()
    {
        QFETCH(QSize, size);
        auto w = openWindow();
        if (size.isValid())
            w->resize(size);
        QCoreApplication::processEvents(); // the start is laid out as any resize
        QGroupBox *f0 = frame(w.get(), 0), *f1 = frame(w.get(), 1), *f2 = frame(w.get(), 2);
        QCOMPARE(f0->y(), Twips::toPixels(600));
        QCOMPARE(f0->height(), f1->height());
        QCOMPARE(f1->height(), f2->height());
        QCOMPARE(Twips::fromPixels(f1->y() - f0->geometry().bottom() - 1), 105.0);
        QCOMPARE(Twips::fromPixels(f2->y() - f1->geometry().bottom() - 1), 105.0);
        // Steady state: (ScaleHeight - status bar - 1000) / 3, to the pixel.
        const double scaleHeight = Twips::fromPixels(w->centralWidget()->height() + w->statusBar()->height());
        const double expected = (scaleHeight - Twips::fromPixels(w->statusBar()->height()) - 1000) / 3;
        QVERIFY(qAbs(Twips::fromPixels(f0->height()) - expected) <= 15);
        const double scaleWidth = Twips::fromPixels(w->centralWidget()->width());
        QCOMPARE(f0->width(), Twips::toPixels(scaleWidth - (120 + 50)));
        ReportList *l = list(w.get(), "LvwJobs");
        QCOMPARE(l->width(), Twips::toPixels(Twips::fromPixels(f1->width()) - (120 + 50)));
        QCOMPARE(l->height(), Twips::toPixels(Twips::fromPixels(f1->height()) - (240 + 50)));
        QVERIFY(tabs(w.get())->isHidden());
    }

    void minimumSizeSnapsBack()
    {
        auto w = openWindow();
        // The status bar's last panel stays whole inside the window.
        const auto statusFits = [&] {
            QTest::qWait(50);
            auto *last = w->findChild<QLabel *>(QStringLiteral("StBr1_6"));
            return last->mapTo(w.get(), QPoint(last->sizeHint().width(), 0)).x() <= w->width();
        };
        w->resize(100, 100);
        // The smallest outer size, title bar and borders included.
        QCOMPARE(w->frameGeometry().width(), Twips::toPixels(6090));
        QCOMPARE(w->frameGeometry().height(), Twips::toPixels(4725));
        QVERIFY(statusFits());
        w->setScreenStyle(1);
        w->resize(100, 100);
        QCOMPARE(w->frameGeometry().width(), Twips::toPixels(4500));
        QCOMPARE(w->frameGeometry().height(), Twips::toPixels(3135));
        QVERIFY(statusFits());
        w->setScreenStyle(0);
        QCOMPARE(w->frameGeometry().width(), Twips::toPixels(6090));
        QCOMPARE(w->frameGeometry().height(), Twips::toPixels(4725));
    }

    // Every amount is shown whole, its sign included, at the first size and
    // at the smallest width; the captions and then the font give way.
    void statusAmountsAreNeverCut_data()
    {
        QTest::addColumn<bool>("smallest");
        QTest::addColumn<QString>("charges");
        QTest::addColumn<QString>("payments");
        for (const bool smallest : {false, true}) {
            const char *size = smallest ? "smallest" : "first size";
            QTest::addRow("%s, zero", size) << smallest << "0"
                                            << "0";
            QTest::addRow("%s, millions owed", size) << smallest << "3139.66"
                                                     << "2439435.84";
            QTest::addRow("%s, the largest", size) << smallest << "-461168601842738.79"
                                                   << "461168601842738.79";
        }
    }
    void statusAmountsAreNeverCut()
    {
        QFETCH(bool, smallest);
        QFETCH(QString, charges);
        QFETCH(QString, payments);
        auto w = openWindow();
        if (smallest)
            w->resize(100, w->height());
        w->UpdateStatus(charges, payments);
        QTest::qWait(50);
        const auto balance = modTamberlock::subtractCurrency(*modTamberlock::parseCurrency(charges),
                                                             *modTamberlock::parseCurrency(payments));
        QCOMPARE(panel(w.get(), 6), modTamberlock::formatCurrency(*balance));
        for (int i = 2; i <= 6; i += 2) {
            auto *amount = w->findChild<QLabel *>(QStringLiteral("StBr1_%1").arg(i));
            QVERIFY2(amount->contentsRect().width() >=
                         amount->fontMetrics().horizontalAdvance(amount->text()),
                     qPrintable(amount->text()));
            QVERIFY(amount->mapTo(w.get(), amount->contentsRect().topRight()).x() < w->width());
        }
    }

    void singleStyleShowsTheSelectedTabsFrame()
    {
        auto w = openWindow();
        w->resize(640, 520);
        QAction *single = w->menuItem(QStringLiteral("mnuView"), 3);
        w->onViewMenu(frmMain::ViewSingle);
        QCOMPARE(w->ScreenStyle(), short(1));
        QVERIFY(single->isChecked());
        QTabWidget *t = tabs(w.get());
        QVERIFY(!t->isHidden());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(frame(w.get(), i)->y(), Twips::toPixels(840));
        QVERIFY(!frame(w.get(), 0)->isHidden());
        QVERIFY(frame(w.get(), 1)->isHidden());
        QVERIFY(frame(w.get(), 2)->isHidden());
        // Second pass: the heights follow from the final top.
        const double scaleHeight = Twips::fromPixels(w->centralWidget()->height() + w->statusBar()->height());
        const double status = Twips::fromPixels(w->statusBar()->height());
        QCOMPARE(frame(w.get(), 0)->height(), Twips::toPixels(scaleHeight - (status + 840 + 50)));
        QCOMPARE(frame(w.get(), 0)->width(),
                 Twips::toPixels(Twips::fromPixels(w->centralWidget()->width()) - (120 + 100)));
        QCOMPARE(t->width(), w->centralWidget()->width());
        QCOMPARE(t->height(), Twips::toPixels(scaleHeight - 480 - status));

        t->setCurrentIndex(2);
        QVERIFY(frame(w.get(), 0)->isHidden());
        QVERIFY(!frame(w.get(), 2)->isHidden());

        w->onViewMenu(frmMain::ViewSingle);
        QCOMPARE(w->ScreenStyle(), short(0));
        QVERIFY(!single->isChecked());
        QVERIFY(t->isHidden());
        for (int i = 0; i < 3; ++i)
            QVERIFY(!frame(w.get(), i)->isHidden());
        QCOMPARE(frame(w.get(), 0)->y(), Twips::toPixels(600));
        QCOMPARE(frame(w.get(), 0)->height(), frame(w.get(), 2)->height());
    }

    void minimizedChangesNothing()
    {
        auto w = openWindow();
        w->applyLayout();
        QList<QRect> before;
        for (int i = 0; i < 3; ++i)
            before << frame(w.get(), i)->geometry();
        const QRect listBefore = list(w.get(), "LvwCompanys")->geometry();
        w->setWindowState(Qt::WindowMinimized);
        QVERIFY(w->isMinimized());
        w->centralWidget()->resize(300, 200);
        w->applyLayout();
        for (int i = 0; i < 3; ++i)
            QCOMPARE(frame(w.get(), i)->geometry(), before.at(i));
        QCOMPARE(list(w.get(), "LvwCompanys")->geometry(), listBefore);
    }

    void otherStylesOnlyFitTheLists()
    {
        auto w = openWindow();
        const QRect f = frame(w.get(), 1)->geometry();
        w->setScreenStyle(5);
        QCOMPARE(frame(w.get(), 1)->geometry(), f);
        QVERIFY(!w->menuItem(QStringLiteral("mnuView"), 3)->isChecked());
    }
};

TAMBERLOCK_TEST_MAIN(MainLayoutTest)
#include "tst_MainLayout.moc"
