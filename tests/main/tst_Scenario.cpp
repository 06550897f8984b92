// Walks the program as a person does, through its windows: a company, a
// project with a rate, a charge started, two hours of work, the charge
// stopped, a payment, the status bar; then the company deleted with all it
// owns.
#include "MainWindowFixture.h"

#include "data/Clock.h"
#include "data/Formats.h"
#include "data/Settings.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace MainFixture;

namespace {

QWidget *topLevel(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    }
    return nullptr;
}

void type(QWidget *editor, int index, const QString &text)
{
    auto *box = editor->findChild<QLineEdit *>(QStringLiteral("txtComps_%1").arg(index));
    QVERIFY(box);
    // As a person types: into the active window, so that leaving a box cleans it up.
    QApplication::setActiveWindow(editor);
    QCOMPARE(QApplication::activeWindow(), editor);
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClicks(box, text);
}

void pressOk(QWidget *editor)
{
    editor->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class ScenarioTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DontAskSetting::write(QStringLiteral("0"));
        Clock::setNow(modTamberlock::makeDateTime(QDate(2026, 12, 8), QTime(9, 0)));
    }
    void cleanup()
    {
        Clock::useSystemClock();
        DontAskSetting::write(QStringLiteral("1"));
    }

    void aDayOfWorkFromCompanyToBalance()
    {
        TestDatabase db;
        ScriptedPrompter p;
        auto w = openWindow();
        ReportList *companies = list(w.get(), "LvwCompanys");
        ReportList *jobs = list(w.get(), "LvwJobs");
        ReportList *hours = list(w.get(), "lvwHours");

        // A company, through its editor.
        w->onCompanyMenu(frmMain::CompanyAdd);
        QWidget *comp = topLevel("frmComp");
        QVERIFY(comp);
        QCOMPARE(comp->windowTitle(), QStringLiteral("Add New Company"));
        type(comp, 0, QStringLiteral("  Acme Ltd  "));
        type(comp, 10, QStringLiteral("6175551234"));
        p.answer(BoxResult::Ok);
        pressOk(comp);
        QCOMPARE(p.last().text, QStringLiteral("Record Added Successfully!"));
        QVERIFY(!topLevel("frmComp"));
        QCOMPARE(companies->rowCount(), 1);
        QCOMPARE(companies->cell(0, 1), QStringLiteral("Acme Ltd"));
        QCOMPARE(companies->cell(0, 3), QStringLiteral("(617) 555-1234"));

        // A project with a rate, for the company clicked.
        clickRow(companies, 0);
        QCOMPARE(jobs->rowCount(), 0);
        w->onProjectMenu(frmMain::ProjectAdd);
        QWidget *job = topLevel("frmJob");
        QVERIFY(job);
        QCOMPARE(job->findChild<QComboBox *>(QStringLiteral("cboCompanyID"))->currentText(),
                 QStringLiteral("Acme Ltd"));
        type(job, 1, QStringLiteral("Web Site"));
        type(job, 2, QStringLiteral("40"));
        type(job, 3, QStringLiteral("12/31/2026"));
        p.answer(BoxResult::Ok);
        pressOk(job);
        QCOMPARE(p.last().text, QStringLiteral("Record Added Successfully!"));
        QCOMPARE(jobs->rowCount(), 1);
        QCOMPARE(jobs->cell(0, 3), QStringLiteral("$40.00"));
        QCOMPARE(jobs->cell(0, 4), QStringLiteral("12/31/2026 12:00:00 AM"));

        // Start a charge now (F12), work two hours, stop it (F11).
        clickRow(jobs, 0);
        QVERIFY(w->menuItem(QStringLiteral("mnuHours"), 7)->isEnabled());
        w->menuItem(QStringLiteral("mnuHours"), 7)->trigger();
        QCOMPARE(hours->rowCount(), 1);
        QCOMPARE(hours->cell(0, 2), QStringLiteral("12/08/2026 09:00:00 AM"));
        QCOMPARE(hours->cell(0, 3), QStringLiteral("Pending..."));
        Clock::advance(2 * 3600);
        w->RefreshActiveCosts();
        QCOMPARE(hours->cell(0, 4), QStringLiteral(" $80.00"));
        QCOMPARE(hours->cell(0, 5), QStringLiteral("0 02:00.00"));

        clickRow(hours, 0);
        w->menuItem(QStringLiteral("mnuHours"), 6)->trigger();
        QCOMPARE(hours->rowCount(), 1);
        QCOMPARE(hours->cell(0, 3), QStringLiteral("12/08/2026 11:00:00 AM"));
        QCOMPARE(hours->cell(0, 4), QStringLiteral(" $80.00"));
        Clock::advance(3600); // a stopped charge no longer grows
        w->RefreshActiveCosts();
        QCOMPARE(hours->cell(0, 4), QStringLiteral(" $80.00"));

        // A payment of the company.
        w->onCompanyMenu(frmMain::CompanyAddPayment);
        QWidget *pay = topLevel("frmPayment");
        QVERIFY(pay);
        QCOMPARE(pay->findChild<QComboBox *>(QStringLiteral("cboCompanyID"))->currentText(),
                 QStringLiteral("Acme Ltd"));
        type(pay, 2, QStringLiteral("50"));
        pay->findChild<QPushButton *>(QStringLiteral("cmdNow_4"))->click();
        p.answer(BoxResult::Ok);
        pressOk(pay);
        QCOMPARE(p.last().text, QStringLiteral("Payment Added Successfully!"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT curAmount FROM tblPayments")).toLongLong(), 500000);

        // The status bar sets the project's charges against the company's payments.
        w->menuItem(QStringLiteral("mnuView"), 1)->trigger();
        QCOMPARE(panel(w.get(), 2), QStringLiteral("$80.00"));
        QCOMPARE(panel(w.get(), 4), QStringLiteral("$50.00"));
        QCOMPARE(panel(w.get(), 6), QStringLiteral("$30.00"));

        // Deleting the company leaves nothing of it in any table.
        clickRow(companies, 0);
        p.answer(BoxResult::Yes);
        w->onCompanyMenu(frmMain::CompanyDelete);
        QCOMPARE(p.last().title,
                 QStringLiteral("Delete this Company All it's Projects and All of it's Projects Charges?"));
        for (const char *table : {"tblCompanys", "tblJobs", "tblHours", "tblPayments"})
            QCOMPARE(db.count(QLatin1String(table)), 0);
        QCOMPARE(companies->rowCount(), 0);
        QCOMPARE(jobs->rowCount(), 0);
        QCOMPARE(hours->rowCount(), 0);
        QCOMPARE(p.unexpected(), 0);
        QVERIFY(p.allAnswered());
    }
};

TAMBERLOCK_TEST_MAIN(ScenarioTest)
#include "tst_Scenario.moc"
