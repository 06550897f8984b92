#include "MainWindowFixture.h"

#include "../editors/EditorTestUtil.h"
#include "data/Clock.h"
#include "data/Formats.h"
#include "data/Settings.h"
#include "dialogs/RegionalFormatsPage.h"
#include "dialogs/frmPreferences.h"
#include "editors/frmJob.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>

using namespace MainFixture;

namespace {
const QChar kNbsp(0x00a0);
}

class PreferencesTest : public DatabaseTest
{
    Q_OBJECT

private slots:
    void init()
    {
        DontAskSetting::write(QStringLiteral("0"));
        Clock::setNow(QDateTime(QDate(2024, 3, 15), QTime(10, 0, 0), Qt::UTC));
        startScene();
    }
    void cleanup()
    {
        endScene();
        Formats::setCurrent(RegionalFormats());
        RegionalFormats().writeSettings();
        Clock::useSystemClock();
        DontAskSetting::write(QStringLiteral("1"));
    }

    // New formats repaint what the lists and the status bar show from the
    // rows they hold; nothing is read again.
    void switchRepaintsWithoutReload_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("payments");
        QTest::newRow("de_DE") << "de_DE" << QString("1.234,57") + kNbsp + "€"
                               << "01.03.2024 09:00:00" << QString("-12,50") + kNbsp + "€";
        QTest::newRow("ja_JP") << "ja_JP" << QString(QChar(0xffe5)) + "1,235"
                               << "2024/03/01 09:00:00" << QString("-") + QChar(0xffe5) + "13";
        QTest::newRow("default") << ""
                                 << "$1,234.57"
                                 << "03/01/2024 09:00:00 AM"
                                 << "-$12.50";
    }
    void switchRepaintsWithoutReload()
    {
        QFETCH(QString, locale);
        QFETCH(QString, rate);
        QFETCH(QString, start);
        QFETCH(QString, payments);
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j = db->addJob(c, QStringLiteral("Web"), 12345678);
        db->addHour(j, ole(2024, 3, 1, 9), ole(2024, 3, 1, 10));
        db->addPayment(c, -125000, ole(2024, 3, 2));
        auto w = openWindowOn(c);
        ReportList *jobs = list(w.get(), "LvwJobs");
        ReportList *hours = list(w.get(), "lvwHours");
        clickRowWithText(jobs, j);
        QCOMPARE(hours->rowCount(), 1);
        Formats::setCurrent(RegionalFormats::fromLocale(QLocale(QLocale::French, QLocale::France)));
        QSignalSpy resets(jobs->model(), &QAbstractItemModel::modelReset);
        QSignalSpy painted(jobs->model(), &QAbstractItemModel::dataChanged);

        Formats::setCurrent(locale.isEmpty() ? RegionalFormats()
                                             : RegionalFormats::fromLocale(QLocale(locale)));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(painted.count(), 1);
        QCOMPARE(jobs->cell(0, 3), rate);
        QCOMPARE(
            jobs->model()->headerData(3, Qt::Horizontal).toString(),
            rate.remove(QRegularExpression("[-0-9.,\\s]", QRegularExpression::UseUnicodePropertiesOption)) +
                "Rate/Hr");
        QCOMPARE(hours->cell(0, 2), start);
        QCOMPARE(panel(w.get(), 4), payments);
    }

    // Texts such as "1.234,50 €" and "75,00 €" do not sort as their values
    // do; under the user's formats the money and date columns sort by value.
    void moneyAndDatesSortByValue_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("first");
        QTest::newRow("default rate by text") << "" << 3 << "Big";
        QTest::newRow("de rate by value") << "de_DE" << 3 << "Small";
        QTest::newRow("de deadline by value") << "de_DE" << 4 << "Big";
        QTest::newRow("default deadline by text") << "" << 4 << "Small";
    }
    void moneyAndDatesSortByValue()
    {
        QFETCH(QString, locale);
        QFETCH(int, column);
        QFETCH(QString, first);
        const int c = db->addCompany(QStringLiteral("Acme"));
        db->addJob(c, QStringLiteral("Big"), 12345000, ole(2024, 2, 1));
        db->addJob(c, QStringLiteral("Small"), 750000, ole(2025, 1, 31));
        Formats::setCurrent(locale.isEmpty() ? RegionalFormats()
                                             : RegionalFormats::fromLocale(QLocale(locale)));
        auto w = openWindowOn(c);
        ReportList *jobs = list(w.get(), "LvwJobs");
        qobject_cast<ReportModel *>(jobs->model())->sortBy(column, Qt::AscendingOrder);
        QCOMPARE(jobs->cell(0, 2), first);
    }

    // An open editor shows its amounts and moments anew; what it holds, and
    // its change marker, stay.
    void openEditorShowsTheNewFormats()
    {
        const int c = db->addCompany(QStringLiteral("Acme"));
        const int j = db->addJob(c, QStringLiteral("Web"), 12345000, ole(2026, 12, 31, 17, 30));
        frmJob *e = editortest::openEditor<frmJob>(EditorBase::EditMode, j);
        e->setBoxText(2, QStringLiteral("$1,234.5"));
        e->SetDirty(false);
        Formats::setCurrent(RegionalFormats::fromLocale(QLocale(QLocale::German, QLocale::Germany)));
        QCOMPARE(e->boxText(2), QString("1.234,50") + kNbsp + "€");
        QCOMPARE(e->boxText(3), QStringLiteral("31.12.2026 17:30:00"));
        QVERIFY(!e->windowTitle().endsWith(QLatin1String(" *")));
        closeAllEditors();
    }

    void preferencesWindow()
    {
        auto w = openWindow();
        QAction *item = w->menuItem(QStringLiteral("mnuView"), 4);
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("&Preferences..."));
        QCOMPARE(item->parent()->objectName(), QStringLiteral("MenuView"));
        item->trigger();
        auto *prefs = w->findChild<frmPreferences *>(QStringLiteral("frmPreferences"));
        QVERIFY(prefs && prefs->isVisible() && !prefs->isModal());
        auto *page = prefs->findChild<RegionalFormatsPage *>();
        QVERIFY(page);
        QCOMPARE(page->value(), RegionalFormats());

        // The group separator cannot be chosen equal to the decimal one.
        auto *decimal = page->findChild<QComboBox *>(QStringLiteral("cboDecimalSeparator"));
        auto *group = page->findChild<QComboBox *>(QStringLiteral("cboGroupSeparator"));
        decimal->setCurrentIndex(decimal->findData(QStringLiteral(",")));
        QCOMPARE(group->currentData().toString(), QStringLiteral("."));
        auto *items = qobject_cast<QStandardItemModel *>(group->model());
        QVERIFY(!items->item(group->findData(QStringLiteral(",")))->isEnabled());

        const RegionalFormats german =
            RegionalFormats::fromLocale(QLocale(QLocale::German, QLocale::Germany));
        page->setValue(german);
        QCOMPARE(page->sampleText().section(u'\n', 1), QStringLiteral("31.12.2026 17:30:00    1d 2h 5m 09s"));
        QVERIFY(page->sampleText().startsWith(QString("1.234.567,89") + kNbsp + "€"));
        prefs->findChild<QPushButton *>(QStringLiteral("cmdApply"))->click();
        QCOMPARE(Formats::current(), german);
        QCOMPARE(RegionalFormats::fromSettings(), german);
        QCOMPARE(panel(w.get(), 2), QString("0,00") + kNbsp + "€");
        // Cancel keeps what was applied; the window only hides.
        prefs->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
        QVERIFY(!prefs->isVisible());
        QCOMPARE(Formats::current(), german);
    }
};

TAMBERLOCK_TEST_MAIN(PreferencesTest)

#include "tst_Preferences.moc"
