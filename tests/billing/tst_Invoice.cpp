#include "common/WidgetTestSupport.h"

#include "billing/InvoicePages.h"
#include "billing/Register.h"
#include "billing/ui/frmInvoice.h"
#include "data/Clock.h"
#include "data/DataPath.h"
#include "data/Formats.h"
#include "data/ListQueries.h"
#include "widgets/ListModels.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>

using namespace Billing;
using modTamberlock::formatCurrency;

namespace {

// The text of a PDF as a reader finds it, pages split by form feeds.
QString pdfText(const QString &file, int page = 0)
{
    QProcess p;
    QStringList args{QStringLiteral("-layout")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    p.start(QStringLiteral("pdftotext"), args << file << QStringLiteral("-"));
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("pdftotext failed: ") + QString::fromUtf8(p.readAllStandardError());
    // The reader's own marks around right-to-left runs and its ligature
    // letters ("fi" as one) are not what was printed.
    QString text = QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
    static const QRegularExpression marks(QStringLiteral("[\\x{200e}\\x{200f}\\x{202a}-\\x{202e}]"));
    return text.remove(marks);
}

Sender testSender()
{
    Sender s;
    s.businessName = QStringLiteral("Brum & Vale <i>Consulting</i>");
    s.addressLines = {QStringLiteral("12 Harbour Road"), QStringLiteral("Leeds LS1 4AP")};
    s.phone = QStringLiteral("0113 496 0000");
    s.email = QStringLiteral("bills@brumvale.example");
    s.web = QStringLiteral("brumvale.example");
    s.taxId = QStringLiteral("GB123456789");
    s.paymentInstructions = {QStringLiteral("Bank: Northern Bank"),
                             QStringLiteral("IBAN GB00 NBNK 0000 0000")};
    return s;
}

} // namespace

class InvoiceTest : public DatabaseTest
{
    Q_OBJECT

    int m_company = 0;
    int m_web = 0;
    int m_logo = 0;

    // Charges with odd seconds on two projects, one running.
    void addCharges(int perProject)
    {
        for (int i = 0; i < perProject; ++i) {
            db->addHour(m_web, ole(2026, 11, 1 + i % 27, 9, i % 50, 7),
                        ole(2026, 11, 1 + i % 27, 10, 37, 50 - i % 40));
            db->addHour(m_logo, ole(2026, 11, 2 + i % 26, 13, 0, 0),
                        ole(2026, 11, 2 + i % 26, 14, 20 + i % 30, 1));
        }
        db->addHour(m_web, ole(2026, 11, 30, 9), std::nullopt);
    }

    Request request(Detail detail = Detail::Charge) const
    {
        Request r;
        r.companyId = m_company;
        r.detail = detail;
        r.invoiceDate = QDate(2026, 12, 9);
        r.dueDate = QDate(2027, 1, 8);
        r.taxRate = 82'500; // 8.25 %
        r.taxLabel = QStringLiteral("VAT");
        r.note = QStringLiteral("Thank you & <b>see you</b>");
        return r;
    }

    Invoice computed(const Request &r)
    {
        QString error;
        std::optional<Invoice> inv = computeRegistered(db->file(), invoicesFolder(), r, testSender(), &error);
        if (!inv)
            qWarning("%s", qPrintable(error));
        return inv.value_or(Invoice());
    }

    IssueResult issueIt(const Invoice &inv, bool produceOk = true)
    {
        return issue(invoicesFolder(), inv, [produceOk](const Invoice &n, const QString &pdf, QString *why) {
            return produceOk && writePdf(n, defaultPageLayout(), pdf, why);
        });
    }

    int registered()
    {
        QString error;
        const auto entries = readRegister(invoicesFolder(), &error);
        return entries ? int(entries->size()) : -1;
    }

private slots:
    void init()
    {
        startScene();
        Clock::setNow(modTamberlock::makeDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        saveSender(testSender());
        m_company = db->addCompany(QStringLiteral("Acme <b>&amp;</b> <img src=x> \u05e9\u05dc\u05d5\u05dd"),
                                   QStringLiteral("Jane Roe"));
        db->exec(QStringLiteral("UPDATE tblCompanys SET strCompanyAddr1 = '1 Main St', strCompanyCity = "
                                "'Springfield', strCompanyState = 'IL', strCompanyZip = '62701'"));
        m_web = db->addJob(m_company, QStringLiteral("Web </table> site"), 375000);
        m_logo = db->addJob(m_company, QStringLiteral("Logo"), 401234);
    }
    void cleanup()
    {
        endScene();
        Clock::useSystemClock();
    }

    void pdfHoldsEveryFieldAndLine_data()
    {
        QTest::addColumn<int>("detail");
        QTest::newRow("charge") << int(Detail::Charge);
        QTest::newRow("project") << int(Detail::Project);
        QTest::newRow("day") << int(Detail::Day);
    }
    void pdfHoldsEveryFieldAndLine()
    {
        QFETCH(int, detail);
        addCharges(6);
        const Invoice inv = computed(request(Detail(detail)));
        QCOMPARE(int(inv.charges.size()), 12);
        QCOMPARE(inv.runningLeftOut, 1);
        QVERIFY(inv.refusals.isEmpty());

        // Each charge costs what the charge list shows for it, and the
        // project's charges add up to the list's "Charges:" total.
        for (int project : {m_web, m_logo}) {
            ChargeListModel model;
            Currency sum = 0;
            for (const Lists::ChargeRow &row : ListLoader(Lists::charges(project)).rows<Lists::ChargeRow>()) {
                const int id = model.append(row);
                model.cost(id, *row.rate, modTamberlock::oleToSeconds(*row.stop).value_or(0));
            }
            for (int row = 0; row < model.storedRows(); ++row) {
                const qint64 charge = model.text(row, ChargeListModel::RowText).toLongLong();
                for (const ChargeItem &c : inv.charges)
                    if (c.id == charge) {
                        QCOMPARE(QLatin1Char(' ') + formatCurrency(c.amount),
                                 model.text(row, ChargeListModel::Cost));
                        sum += c.amount;
                    }
            }
            if (project == m_web) // the running charge is the list's, not the invoice's
                continue;
            QCOMPARE(sum, *model.total());
        }
        Currency lines = 0;
        for (const Line &l : inv.lines) {
            lines += l.amount;
            if (Detail(detail) == Detail::Charge) // hours printed x rate printed = amount printed
                QCOMPARE(modTamberlock::roundToCent(*modTamberlock::costOfHours(hoursText(l.hours), l.rate)),
                         l.amount);
        }
        QCOMPARE(lines, inv.subtotal);
        QCOMPARE(inv.tax, *taxOf(inv.subtotal, 82'500));
        QCOMPARE(inv.total, inv.subtotal + inv.tax);

        const QString pdf = QDir(db->folder()).filePath(QStringLiteral("draft.pdf"));
        QString error;
        QVERIFY2(writePdf(inv, defaultPageLayout(), pdf, &error), qPrintable(error));
        const QString text = pdfText(pdf);
        const Sender s = testSender();
        QStringList expected{inv.client.name,
                             QStringLiteral("Jane Roe"),
                             QStringLiteral("1 Main St"),
                             QStringLiteral("Springfield, IL 62701"),
                             s.businessName,
                             s.phone,
                             s.email,
                             s.web,
                             s.taxId,
                             s.paymentInstructions[0],
                             s.paymentInstructions[1],
                             s.addressLines[1],
                             QStringLiteral("DRAFT"),
                             dateText(inv.invoiceDate),
                             dateText(inv.dueDate),
                             formatCurrency(inv.subtotal),
                             QStringLiteral("VAT (8.25 %)"),
                             formatCurrency(inv.tax),
                             formatCurrency(inv.total),
                             hoursText(inv.hours),
                             QStringLiteral("Thank you & <b>see you</b>"),
                             QStringLiteral("1 running charge left out")};
        for (const Line &l : inv.lines)
            expected << formatCurrency(l.amount) << hoursText(l.hours) << rateText(l.rate);
        for (const QString &field : expected)
            QVERIFY2(text.contains(field), qPrintable(field + QStringLiteral(" missing from:\n") + text));
        QVERIFY(text.contains(QStringLiteral("$40.1234"))); // the rate as stored, to its last decimal
    }

    void taxIsRoundedOnceHalfAwayFromZero_data()
    {
        QTest::addColumn<qint64>("subtotal");
        QTest::addColumn<qint64>("rate");
        QTest::addColumn<qint64>("tax");
        QTest::newRow("8.25% of $10.00") << qint64(100000) << qint64(82500) << qint64(8300);
        QTest::newRow("half a cent up") << qint64(1000) << qint64(50000) << qint64(100);
        QTest::newRow("just under half") << qint64(999) << qint64(50000) << qint64(0);
        QTest::newRow("negative half") << qint64(-1000) << qint64(50000) << qint64(-100);
        QTest::newRow("no tax") << qint64(123456) << qint64(0) << qint64(0);
    }
    void taxIsRoundedOnceHalfAwayFromZero()
    {
        QFETCH(qint64, subtotal);
        QFETCH(qint64, rate);
        QFETCH(qint64, tax);
        QCOMPARE(*taxOf(subtotal, rate), tax);
    }

    void pageSizeFollowsTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("size");
        QTest::newRow("US") << "en_US" << int(QPageSize::Letter);
        QTest::newRow("UK") << "en_GB" << int(QPageSize::A4);
        QTest::newRow("Germany") << "de_DE" << int(QPageSize::A4);
    }
    void pageSizeFollowsTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(int, size);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        const QPageLayout layout = defaultPageLayout();
        QLocale::setDefault(before);
        QCOMPARE(int(layout.pageSize().id()), size);
    }

    void noRateAndNothingToBillAreRefused()
    {
        db->addHour(db->addJob(m_company, QStringLiteral("Unpriced"), 0), ole(2026, 11, 3, 9),
                    ole(2026, 11, 3, 10));
        db->exec(QStringLiteral("UPDATE tblJobs SET curHourlyWage = NULL WHERE strJobName = 'Unpriced'"));
        const Invoice inv = computed(request());
        QVERIFY(!inv.refusals.isEmpty());
        QVERIFY(inv.refusals.join(' ').contains(QStringLiteral("no rate")));
        QVERIFY(!issueIt(inv).error.isEmpty());
        db->exec(QStringLiteral("DELETE FROM tblJobs WHERE strJobName = 'Unpriced'"));
        const Invoice empty = computed(request());
        QVERIFY(empty.charges.empty());
        QVERIFY(!issueIt(empty).error.isEmpty());
        QCOMPARE(registered(), 0);
    }

    void numberingNeverRepeatsOrSkips()
    {
        addCharges(2);
        Invoice inv = computed(request());
        QString error;
        QCOMPARE(peekNumber(invoicesFolder(), testSender(), inv.invoiceDate, &error),
                 QStringLiteral("2026-0001"));
        QVERIFY(!issueIt(inv, false).error.isEmpty()); // the PDF could not be written
        QCOMPARE(registered(), 0);
        {
            ReadOnlyDatabase readOnly(*db); // no "Invoices" folder can be made
            QVERIFY(!issueIt(computed(request())).error.isEmpty());
        }
        QCOMPARE(registered(), 0);
        const IssueResult first = issueIt(inv);
        QCOMPARE(first.number, QStringLiteral("2026-0001"));
        QVERIFY(QFileInfo(first.keptFile)
                    .fileName()
                    .startsWith(QStringLiteral("2026-0001 Acme _b_&amp;__b_ _img")));
        QVERIFY(!pdfText(first.keptFile).contains(QStringLiteral("DRAFT")));
        // Billed now: nothing is left to invoice.
        QVERIFY(computed(request()).charges.empty());
        // A process killed after keeping 0002 but before registering it.
        QFile leftover(QDir(invoicesFolder()).filePath(QStringLiteral("2026-0002 Acme.pdf")));
        QVERIFY(leftover.open(QIODevice::WriteOnly));
        leftover.close();
        Request period = request();
        period.from = QDate(2026, 11, 1);
        period.to = QDate(2026, 11, 30);
        const Invoice again = computed(period);
        QCOMPARE(again.alreadyBilled, 4);
        QCOMPARE(issueIt(again).number, QStringLiteral("2026-0002"));
        QVERIFY(QFile::exists(leftover.fileName() + QStringLiteral(".unfinished")));
        QCOMPARE(registered(), 2);
        // A register that cannot be read takes no number.
        QFile reg(registerFile(invoicesFolder()));
        QVERIFY(reg.open(QIODevice::WriteOnly | QIODevice::Truncate));
        reg.write("{ not json");
        reg.close();
        QVERIFY(issueIt(again).error.contains(QStringLiteral("damaged")));
    }

    void headerRepeatsAndMarkupPrintsLiterally()
    {
        addCharges(40);
        const Invoice inv = computed(request());
        const InvoicePages pages(inv, defaultPageLayout());
        QVERIFY(pages.count() >= 3);
        const QString pdf = QDir(db->folder()).filePath(QStringLiteral("long.pdf"));
        QString error;
        QVERIFY(writePdf(inv, defaultPageLayout(), pdf, &error));
        const QString second = pdfText(pdf, 2);
        for (const char *header : {"Date", "Description", "Hours", "Rate", "Amount"})
            QVERIFY2(second.contains(QLatin1String(header)), qPrintable(second));
        QVERIFY(second.contains(QStringLiteral("Page 2 of %1").arg(pages.count())));
        QVERIFY(second.contains(QStringLiteral("Web </table> site")));
        QVERIFY(pdfText(pdf, 1).contains(QStringLiteral("Acme <b>&amp;</b> <img src=x>")));
    }

    void statementCarriesTheBalance()
    {
        addCharges(3);
        db->addPayment(m_company, 500000, ole(2026, 10, 20)); // before the period
        db->addPayment(m_company, 1000000, ole(2026, 11, 15), QStringLiteral("<b>thanks</b>"));
        db->addHour(m_web, ole(2026, 10, 1, 9), ole(2026, 10, 1, 11)); // $75.00 before the period
        Request r = request();
        r.kind = Kind::Statement;
        r.from = QDate(2026, 11, 1);
        r.to = QDate(2026, 11, 30);
        const Invoice s = computed(r);
        QCOMPARE(s.broughtForward, 750000 - 500000);
        QCOMPARE(s.periodPayments, 1000000);
        QCOMPARE(s.balanceDue, s.broughtForward + s.periodCharges - s.periodPayments);
        QCOMPARE(s.statementLines.back().balance, s.balanceDue);
        r.from.reset();
        r.to.reset();
        const Invoice all = computed(r);
        QCOMPARE(all.balanceDue, all.periodCharges - 1500000);
    }

    void windowIssuesOnlyWhatWasSavedOrPrinted()
    {
        addCharges(2);
        static QString savePath;
        frmInvoice::chooseSavePath = [](QWidget *, const QString &suggested) {
            QTest::qVerify(suggested.endsWith(QStringLiteral("2026-0001 Acme _b_&amp;__b_ _img src=x_ "
                                                             "\u05e9\u05dc\u05d5\u05dd.pdf")),
                           "suggested", "", __FILE__, __LINE__);
            return savePath;
        };
        static bool printerAnswer = false;
        frmInvoice::choosePrinter = [](QWidget *, QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QDir(DataPath()).filePath(QStringLiteral("printed.pdf")));
            return printerAnswer;
        };
        QPointer<frmInvoice> held;
        frmInvoice::showFor(nullptr, held, request());
        QVERIFY(held->pageCount() >= 1);
        QTRY_VERIFY(held->pageRendered(0));
        QCOMPARE(registered(), 0); // a preview takes no number

        savePath.clear();
        held->savePdf(); // cancelled
        held->print();   // cancelled
        savePath = QDir(db->folder()).filePath(QStringLiteral("no such folder/x.pdf"));
        p->answer(BoxResult::Ok);
        held->savePdf(); // cannot be written
        QCOMPARE(p->last().title, QStringLiteral("Invoice Not Issued"));
        QCOMPARE(registered(), 0);

        savePath = QDir(db->folder()).filePath(QStringLiteral("saved.pdf"));
        const Invoice shown = *held->invoice();
        QTest::keyClick(held, Qt::Key_Return); // Enter is "Save PDF..."
        QCOMPARE(registered(), 1);
        const QString saved = pdfText(savePath);
        QVERIFY(saved.contains(QStringLiteral("2026-0001")));
        QVERIFY(saved.contains(formatCurrency(shown.total)));

        // The kept invoice is listed; printing takes the next number.
        held->setPreset(frmInvoice::LastMonth);
        held->refresh();
        printerAnswer = true;
        held->print();
        QCOMPARE(registered(), 2);
        QVERIFY(pdfText(QDir(DataPath()).filePath(QStringLiteral("printed.pdf")))
                    .contains(QStringLiteral("2026-0002")));
        QCOMPARE(held->findChild<QListWidget *>(QStringLiteral("lstInvoices"))->count(), 2);
        static QString opened;
        frmInvoice::openFile = [](const QString &path) { return !(opened = path).isEmpty(); };
        held->openEarlier(); // the newest, as kept
        QVERIFY(pdfText(opened).contains(QStringLiteral("2026-0002")));
        QTest::keyClick(held, Qt::Key_Escape);
        waitGone(held);
    }

    void emptySenderOpensTheSettingsFirst()
    {
        saveSender(Sender());
        QPointer<frmInvoice> held;
        frmInvoice::showFor(nullptr, held, request());
        QWidget *settings = nullptr;
        QTRY_VERIFY((settings = held->findChild<QWidget *>(QStringLiteral("frmInvoiceSettings"))));
        QTest::keyClicks(child<QLineEdit>(settings, "txtBusinessName"), QStringLiteral("Brum <b>"));
        QTest::keyClick(settings, Qt::Key_Return);
        QCOMPARE(loadSender().businessName, QStringLiteral("Brum <b>"));
        QCOMPARE(held->invoice()->sender.businessName, QStringLiteral("Brum <b>"));
        held->close();
        waitGone(held);
    }

    void commandDraftsAndIssuesAcrossProcesses()
    {
        addCharges(3);
        const auto run = [this](const QStringList &extra) {
            auto *p = new QProcess(this);
            // The command's own settings store, never the person's.
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("XDG_CONFIG_HOME"), db->folder() + QStringLiteral("config"));
            p->setProcessEnvironment(env);
            p->start(QStringLiteral(EXPORT_COMMAND),
                     QStringList{QStringLiteral("invoice"), QStringLiteral("--db"), db->file(),
                                 QStringLiteral("--company"), QString::number(m_company)} +
                         extra);
            return p;
        };
        const QString draft = QDir(db->folder()).filePath(QStringLiteral("draft.pdf"));
        QProcess *d = run({QStringLiteral("-o"), draft, QStringLiteral("--detail"), QStringLiteral("day")});
        QVERIFY(d->waitForFinished(30000));
        QCOMPARE(d->exitCode(), 0);
        QVERIFY(pdfText(draft).contains(QStringLiteral("DRAFT")));
        QCOMPARE(registered(), 0);

        // Two at once, on November's two halves: two numbers, one each.
        QProcess *a = run({QStringLiteral("--from"), QStringLiteral("2026-11-01"), QStringLiteral("--to"),
                           QStringLiteral("2026-11-02"), QStringLiteral("-o"), db->folder() + "a.pdf",
                           QStringLiteral("--issue")});
        QProcess *b = run({QStringLiteral("--from"), QStringLiteral("2026-11-03"), QStringLiteral("--to"),
                           QStringLiteral("2026-11-30"), QStringLiteral("-o"), db->folder() + "b.pdf",
                           QStringLiteral("--issue")});
        QVERIFY(a->waitForFinished(30000) && b->waitForFinished(30000));
        QCOMPARE(a->exitCode() + b->exitCode(), 0);
        QStringList numbers{QString::fromUtf8(a->readAllStandardOutput()).trimmed(),
                            QString::fromUtf8(b->readAllStandardOutput()).trimmed()};
        numbers.sort();
        QCOMPARE(numbers, QStringList({QStringLiteral("2026-0001"), QStringLiteral("2026-0002")}));
        QCOMPARE(registered(), 2);
        QVERIFY(!pdfText(db->folder() + "a.pdf").contains(QStringLiteral("DRAFT")));

        // Everything is billed now: one clear message, nothing written.
        QProcess *none = run({QStringLiteral("-o"), draft + QStringLiteral("2"), QStringLiteral("--issue")});
        QVERIFY(none->waitForFinished(30000));
        QCOMPARE(none->exitCode(), 1);
        QVERIFY(
            QString::fromUtf8(none->readAllStandardError()).contains(QStringLiteral("no stopped charges")));
        QVERIFY(!QFile::exists(draft + QStringLiteral("2")));
        QCOMPARE(registered(), 2);
    }
};

TAMBERLOCK_TEST_MAIN(InvoiceTest)
#include "tst_Invoice.moc"
