#include "EditorTestUtil.h"
#include "common/WidgetTestSupport.h"

#include "data/Clock.h"
#include "data/Formats.h"
#include "editors/frmComp.h"
#include "editors/frmHour.h"
#include "editors/frmJob.h"
#include "editors/frmPayment.h"
#include "main/frmMain.h"
#include "payments/frmPayTypes.h"
#include "payments/frmPayments.h"
#include "widgets/ReportList.h"

#include <QClipboard>
#include <QListWidget>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace editortest;
using modTamberlock::dateTimeTextToOle;
using modTamberlock::formatDigitMask;
using modTamberlock::formatOleDate;
using modTamberlock::parseCurrency;

namespace {

enum EditorKind { Company, Project, Charge, Payment };
// How a box's text reaches its column.
enum class Stored { Text, Zip, Phone, Money, Date };

struct BoxCase {
    EditorKind editor;
    int index;
    const char *column;
    int maxLength; // 0: no limit
    Stored stored;
    int neighbour; // a box of the same editor to move the focus to
};

const BoxCase kBoxes[] = {
    {Company, 0, "strCompanyName", 50, Stored::Text, 1},
    {Company, 1, "strCompanyWeb", 100, Stored::Text, 2},
    {Company, 2, "strCompanyAddr1", 50, Stored::Text, 3},
    {Company, 3, "strCompanyAddr2", 50, Stored::Text, 4},
    {Company, 4, "strCompanyCity", 50, Stored::Text, 5},
    {Company, 5, "strCompanyState", 2, Stored::Text, 6},
    {Company, 6, "strCompanyZip", 10, Stored::Zip, 8},
    {Company, 7, "strComments", 0, Stored::Text, 0},
    {Company, 8, "strCompanyContact", 50, Stored::Text, 9},
    {Company, 9, "strCompanyEmail", 100, Stored::Text, 10},
    {Company, 10, "strCompanyPhone", 50, Stored::Phone, 11},
    {Company, 11, "strCompanyFax", 50, Stored::Phone, 7},
    {Project, 1, "strJobName", 50, Stored::Text, 2},
    {Project, 2, "curHourlyWage", 50, Stored::Money, 3},
    {Project, 3, "dtmDeadLine", 50, Stored::Date, 1},
    {Charge, 1, "dtmStartTime", 50, Stored::Date, 2},
    {Charge, 2, "dtmStopTime", 50, Stored::Date, 1},
    {Payment, 2, "curAmount", 50, Stored::Money, 4},
    {Payment, 4, "dtmTransaction", 50, Stored::Date, 6},
    {Payment, 6, "memComments", 50, Stored::Text, 2},
};

struct TableSpec {
    const char *table;
    const char *key;
    const char *addedNotice;
};

TableSpec tableOf(EditorKind kind)
{
    switch (kind) {
    case Company: return {"tblCompanys", "lngCompanyID", "Record Added Successfully!"};
    case Project: return {"tblJobs", "lngJobID", "Record Added Successfully!"};
    case Charge: return {"tblHours", "lngHourID", "Record Added Successfully!"};
    case Payment: return {"tblPayments", "lngPaymentID", "Payment Added Successfully!"};
    }
    return {};
}

const char *nameOf(EditorKind kind)
{
    switch (kind) {
    case Company: return "frmComp";
    case Project: return "frmJob";
    case Charge: return "frmHour";
    case Payment: return "frmPayment";
    }
    return "";
}

// A text of a given length made of a repeated pattern.
QString filled(const QString &pattern, int length)
{
    QString s;
    while (s.size() < length)
        s += pattern;
    return s.left(length);
}

struct Hostile {
    QString name;
    QString text;
    bool typed; // typed key by key rather than pasted
};

// The hostile texts for a box of the given maximum length.
QList<Hostile> hostileTexts(int maxLength)
{
    QList<Hostile> list;
    list << Hostile{QStringLiteral("10000 characters"), filled(QStringLiteral("Ab'\";-- "), 10000), false};
    if (maxLength > 0) {
        list << Hostile{QStringLiteral("exactly the maximum"), filled(QStringLiteral("Mx"), maxLength),
                        false};
        list << Hostile{QStringLiteral("one over the maximum"), filled(QStringLiteral("Mx"), maxLength + 1),
                        false};
        list << Hostile{QStringLiteral("typed one over the maximum"),
                        filled(QStringLiteral("Tq"), maxLength + 1), true};
        // The cut falls inside a surrogate pair.
        list << Hostile{QStringLiteral("emoji across the cut"),
                        filled(QStringLiteral("e"), maxLength - 1) + QStringLiteral("\U0001F4B0\U0001F600"),
                        false};
    }
    list << Hostile{QStringLiteral("quotes"), QStringLiteral("O'Brien \"Bob\" `x` ''"), true};
    list << Hostile{QStringLiteral("typed quotes"), QStringLiteral("it's \"q\""), true};
    list << Hostile{QStringLiteral("semicolons"), QStringLiteral(";;;SELECT * FROM tblJobs;"), false};
    list << Hostile{QStringLiteral("sql"), QStringLiteral("'); DROP TABLE tblCompanys; --"), false};
    list << Hostile{QStringLiteral("typed sql"), QStringLiteral("x'); DELETE FROM tblJobs; --"), true};
    list << Hostile{QStringLiteral("control characters"),
                    QStringLiteral("a\tb\x01"
                                   "c\x7f"
                                   "d\x1b[2J"),
                    false};
    list << Hostile{QStringLiteral("line breaks"), QStringLiteral("one\r\ntwo\nthree\rfour"), false};
    list << Hostile{QStringLiteral("nul"), QString(QStringLiteral("a")) + QChar(0) + QStringLiteral("b"),
                    false};
    list << Hostile{QStringLiteral("right to left"),
                    QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u0639\u0627\u0644\u0645 \u202Eabc"), false};
    list << Hostile{QStringLiteral("combining"), QStringLiteral("e\u0301\u0308 a\u0300\u0323\u0334"), false};
    list << Hostile{QStringLiteral("emoji"),
                    QStringLiteral("\U0001F4B0\U0001F600 \U0001F468\u200D\U0001F469\u200D\U0001F467"), false};
    list << Hostile{QStringLiteral("blanks around"), QStringLiteral("   padded text   "), false};
    list << Hostile{QStringLiteral("huge amount"), QStringLiteral("99999999999999999999999"), false};
    list << Hostile{QStringLiteral("largest amount"), QStringLiteral("922337203685477.5807"), false};
    list << Hostile{QStringLiteral("exponent"), QStringLiteral("1e308"), false};
    list << Hostile{QStringLiteral("not a number"), QStringLiteral("NaN"), false};
    list << Hostile{QStringLiteral("negative money"), QStringLiteral("-$1,234.56"), false};
    list << Hostile{QStringLiteral("last date"), QStringLiteral("12/31/9999 11:59:59 PM"), false};
    list << Hostile{QStringLiteral("first date"), QStringLiteral("01/01/1601 12:00:00 AM"), false};
    list << Hostile{QStringLiteral("no such day"), QStringLiteral("02/30/2024 10:00:00 AM"), false};
    list << Hostile{QStringLiteral("wild date"), QStringLiteral("99/99/99999 99:99:99 PM"), false};
    list << Hostile{QStringLiteral("arabic digits"), QStringLiteral("\u0661\u0662\u0663\u0664\u0665"), false};
    return list;
}

// True when every surrogate has its partner.
bool wellFormed(const QString &s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i).isHighSurrogate()) {
            if (i + 1 >= s.size() || !s.at(i + 1).isLowSurrogate())
                return false;
            ++i;
        } else if (s.at(i).isLowSurrogate()) {
            return false;
        }
    }
    return true;
}

QString visible(const QString &s)
{
    QString out;
    for (QChar c : s) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.isSurrogate())
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out.left(200);
}

} // namespace

class HostileInputTest : public QObject
{
    Q_OBJECT

private:
    EditorBase *openEditor(EditorKind kind, int company, int job)
    {
        EditorBase *e = kind == Company   ? static_cast<EditorBase *>(editortest::openEditor<frmComp>(0))
                        : kind == Project ? editortest::openEditor<frmJob>(0)
                        : kind == Charge  ? static_cast<EditorBase *>(editortest::openEditor<frmHour>(0))
                                          : editortest::openEditor<frmPayment>(0);
        // What the main window's selection does in add mode.
        switch (kind) {
        case Company: break;
        case Project:
            chooseRow(e, QStringLiteral("cboCompanyID"), QStringLiteral("tblCompanys"),
                      QStringLiteral("lngCompanyID"), QStringLiteral("strCompanyName"), company);
            break;
        case Charge:
            chooseRow(e, QStringLiteral("cboJobID"), QStringLiteral("tblJobs"), QStringLiteral("lngJobID"),
                      QStringLiteral("strJobName"), job);
            // A stop time of its own: the box takes typing only then.
            child<QRadioButton>(e, QStringLiteral("optStop_1"))->setChecked(true);
            break;
        case Payment:
            chooseRow(e, QStringLiteral("cboCompanyID"), QStringLiteral("tblCompanys"),
                      QStringLiteral("lngCompanyID"), QStringLiteral("strCompanyName"), company);
            chooseRow(e, QStringLiteral("cboPayTypes"), QStringLiteral("lkuPayTypes"),
                      QStringLiteral("lngPayTypeID"), QStringLiteral("strPayType"), 1);
            break;
        }
        return e;
    }

    std::unique_ptr<TestDatabase> m_rows;
    QStringList m_rowsBefore;
    int m_company = 0;
    int m_job = 0;

private slots:
    void initTestCase()
    {
        m_rows = std::make_unique<TestDatabase>();
        m_company =
            m_rows->addCompany(QStringLiteral("Acme"), QStringLiteral("Ann"), QStringLiteral("5551234567"));
        m_job = m_rows->addJob(m_company, QStringLiteral("Site"), 400000, ole(2026, 12, 31));
        m_rows->addHour(m_job, ole(2026, 3, 1, 9), ole(2026, 3, 1, 11));
        m_rows->addPayment(m_company, 1250000, ole(2026, 3, 1), QStringLiteral("first"));
        m_rowsBefore = databaseRows(m_rows->file());
    }

    void init() { Clock::setNow(modTamberlock::makeDateTime(QDate(2026, 3, 2), QTime(9, 30))); }

    void cleanup()
    {
        closeAllEditors();
        Clock::useSystemClock();
        QVERIFY2(QSqlDatabase::connectionNames().isEmpty(),
                 qPrintable(QSqlDatabase::connectionNames().join(QLatin1Char(','))));
    }

    void everyBoxTakesHostileText_data()
    {
        QTest::addColumn<int>("boxCase");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("typed");
        for (int s = 0; s < int(std::size(kBoxes)); ++s) {
            const BoxCase &b = kBoxes[s];
            for (const Hostile &h : hostileTexts(b.maxLength)) {
                const QByteArray name = QStringLiteral("%1 %2: %3")
                                            .arg(QLatin1String(nameOf(b.editor)))
                                            .arg(b.index)
                                            .arg(h.name)
                                            .toUtf8();
                QTest::newRow(name.constData()) << s << h.text << h.typed;
            }
        }
    }
    void everyBoxTakesHostileText()
    {
        QFETCH(int, boxCase);
        QFETCH(QString, text);
        QFETCH(bool, typed);
        const BoxCase &b = kBoxes[boxCase];
        const TableSpec t = tableOf(b.editor);

        // Every case starts from a copy of the same rows.
        TestDatabase db(*m_rows);
        ScriptedPrompter p;
        const int company = m_company;
        const int job = m_job;
        const QStringList &before = m_rowsBefore;

        QPointer<EditorBase> e = openEditor(b.editor, company, job);
        // A charge needs a start, and its stop may not come before it.
        if (b.editor == Charge)
            e->setBoxText(3 - b.index, b.index == 1 ? QString() : QStringLiteral("1/1/1601"));
        QWidget *box = e->box(b.index);
        QVERIFY(box);
        auto *line = qobject_cast<QLineEdit *>(box);
        if (line)
            QCOMPARE(line->maxLength(), b.maxLength > 0 ? b.maxLength : 32767);

        // Entered as a person would: typed key by key, or pasted.
        e->moveFocusTo(b.index);
        e->setBoxText(b.index, QString());
        if (typed && text.size() > 20) {
            // A long text arrives as a person pastes it, with Ctrl+V.
            QApplication::clipboard()->setText(text);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else if (typed) {
            QTest::keyClicks(box, text);
        } else
            e->setBoxText(b.index, text);
        const QString entered = e->boxText(b.index);
        if (b.maxLength > 0) {
            QVERIFY2(entered.size() <= b.maxLength, qPrintable(QString::number(entered.size())));
        }
        // A multi-line box keeps its line breaks as "\n"; a cut never leaves
        // half of a surrogate pair.
        QString expected = text;
        if (!line)
            expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                .replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (b.maxLength > 0 && expected.size() > b.maxLength) {
            const bool split = expected.at(b.maxLength - 1).isHighSurrogate();
            expected = expected.left(split ? b.maxLength - 1 : b.maxLength);
        }
        QCOMPARE(entered, expected);
        QVERIFY2(wellFormed(entered),
                 qPrintable(QStringLiteral("a surrogate pair was cut: ") + visible(entered)));

        // Leaving the box cleans it up; the save reads what it then shows.
        e->moveFocusTo(b.neighbour);
        const QString shown = e->boxText(b.index);
        QVERIFY(wellFormed(shown));
        // The limit is for typing: a clean-up may lengthen the text past it
        // ("1234567890" becomes "123456-7890"), never cut it.
        if (b.maxLength > 0 && shown.size() > b.maxLength)
            QVERIFY(shown.size() > entered.size());

        p.answer(BoxResult::Ok);
        QPushButton *ok = button(e, QStringLiteral("cmdOK"));
        QVERIFY(ok);
        ok->click();
        QCOMPARE(p.count(), 1);
        // Money or a date-time that cannot be read is refused, not saved as 0.
        if (p.last().title.startsWith(QStringLiteral("Cannot Read"))) {
            QVERIFY(b.stored == Stored::Money || b.stored == Stored::Date);
            QVERIFY(e && !e->isClosed() && e->boxText(b.index) == shown);
            QCOMPARE(databaseRows(db.file()), before);
            return;
        }
        QCOMPARE(p.last().text, QLatin1String(t.addedNotice));
        QCOMPARE(p.unexpected(), 0);
        QVERIFY(!e || e->isClosed());

        const QString table = QLatin1String(t.table);
        const QString key = QLatin1String(t.key);
        const int id = db.scalar(QStringLiteral("SELECT MAX(%1) FROM %2").arg(key, table)).toInt();
        const QVariant stored = db.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4")
                                              .arg(QLatin1String(b.column), table, key)
                                              .arg(id));
        switch (b.stored) {
        case Stored::Text:
            QCOMPARE(db.scalar(QStringLiteral("SELECT typeof(%1) FROM %2 WHERE %3 = %4")
                                   .arg(QLatin1String(b.column), table, key)
                                   .arg(id))
                         .toString(),
                     QStringLiteral("text"));
            QVERIFY2(stored.toString() == shown,
                     qPrintable(visible(stored.toString()) + QStringLiteral(" / ") + visible(shown)));
            break;
        case Stored::Zip:
            QCOMPARE(stored.toString(), formatDigitMask(shown, QStringLiteral("#########")));
            break;
        case Stored::Phone:
            QCOMPARE(stored.toString(), formatDigitMask(shown, QStringLiteral("##########")));
            break;
        case Stored::Money: {
            const std::optional<Currency> amount = parseCurrency(shown);
            QVERIFY(amount || shown.trimmed().isEmpty());
            QCOMPARE(stored.toLongLong(), amount.value_or(0));
            // What the box shows is what comes back.
            if (amount)
                QCOMPARE(modTamberlock::formatCurrency(stored.toLongLong()),
                         modTamberlock::formatCurrency(*parseCurrency(shown)));
            break;
        }
        case Stored::Date: {
            const OleDate when = dateTimeTextToOle(shown);
            QCOMPARE(stored.toDouble(), when);
            if (when != 0.0)
                QCOMPARE(formatOleDate(stored.toDouble()), modTamberlock::formatDateTimeText(shown));
            break;
        }
        }

        // One row more in the editor's table; every other row as it was.
        QCOMPARE(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        const QStringList after = databaseRows(db.file());
        QCOMPARE(after.size(), before.size() + 1);
        for (const QString &row : before)
            QVERIFY2(after.contains(row), qPrintable(row));
        QCOMPARE(db.count(QStringLiteral("tblCompanys")), b.editor == Company ? 2 : 1);
        QCOMPARE(db.count(QStringLiteral("lkuPayTypes")), 5);
    }

    void payTypeBoxesTakeHostileText_data()
    {
        QTest::addColumn<QString>("text");
        for (const Hostile &h : hostileTexts(0))
            QTest::newRow(h.name.toUtf8().constData()) << h.text;
    }
    void payTypeBoxesTakeHostileText()
    {
        QFETCH(QString, text);
        TestDatabase db;
        ScriptedPrompter p;
        QWidget owner;
        owner.setObjectName(QStringLiteral("frmPayment"));
        QPointer<frmPayTypes> d;
        frmPayTypes::showFor(d, &owner);
        QVERIFY(d);
        const QStringList before = databaseRows(db.file());

        // Add: the answer is stored as typed, blanks included.
        p.answerInput(text);
        p.answer(BoxResult::Ok);
        d->onButtonClicked(frmPayTypes::AddButton);
        QCOMPARE(p.count(), 2);
        QCOMPARE(p.last().text, QStringLiteral("Record Added Successfully!"));
        const int added = db.scalar(QStringLiteral("SELECT MAX(lngPayTypeID) FROM lkuPayTypes")).toInt();
        QCOMPARE(added, 6);
        QVERIFY2(db.scalar(QStringLiteral("SELECT strPayType FROM lkuPayTypes WHERE lngPayTypeID = 6"))
                         .toString() == text,
                 qPrintable(visible(text)));
        QCOMPARE(d->list()->count(), 6);
        QCOMPARE(d->list()->currentItem()->text(), text);
        QCOMPARE(d->list()->currentItem()->data(Qt::UserRole).toInt(), 6);

        // Edit "Check" (id 2) to the same text.
        d->list()->setCurrentRow(1);
        QCOMPARE(d->list()->currentItem()->data(Qt::UserRole).toInt(), 2);
        p.answerInput(text);
        p.answer(BoxResult::Ok);
        d->onButtonClicked(frmPayTypes::EditButton);
        QCOMPARE(p.count(), 4);
        QCOMPARE(p.shown().at(2).input.defaultText, QStringLiteral("Check"));
        QCOMPARE(p.last().text, QStringLiteral("Record Saved."));
        QVERIFY(db.scalar(QStringLiteral("SELECT strPayType FROM lkuPayTypes WHERE lngPayTypeID = 2"))
                    .toString() == text);
        QCOMPARE(d->list()->currentItem()->data(Qt::UserRole).toInt(), 2);
        QCOMPARE(d->list()->currentItem()->text(), text);
        QCOMPARE(p.unexpected(), 0);

        QCOMPARE(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        const QStringList after = databaseRows(db.file());
        QCOMPARE(after.size(), before.size() + 1);
        int changed = 0;
        for (const QString &row : before)
            changed += after.contains(row) ? 0 : 1;
        QCOMPARE(changed, 1); // the edited "Check"
        delete d;
    }

    void blankPayTypeAnswersAddNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks") << QStringLiteral("     ");
        QTest::newRow("tabs and blanks") << QStringLiteral(" \t \t ");
    }
    void blankPayTypeAnswersAddNothing()
    {
        QFETCH(QString, text);
        TestDatabase db;
        ScriptedPrompter p;
        QWidget owner;
        owner.setObjectName(QStringLiteral("frmPayment"));
        QPointer<frmPayTypes> d;
        frmPayTypes::showFor(d, &owner);
        const QStringList before = databaseRows(db.file());
        p.answerInput(text);
        d->onButtonClicked(frmPayTypes::AddButton);
        p.answerInput(text);
        d->onButtonClicked(frmPayTypes::EditButton);
        QCOMPARE(p.count(), 2);
        QCOMPARE(p.unexpected(), 0);
        QCOMPARE(databaseRows(db.file()), before);
        delete d;
    }

    // Rows with hostile texts written by any means show in the lists and
    // load into the editors without harm.
    void hostileRowsListAndLoad()
    {
        TestDatabase db;
        ScriptedPrompter p;
        NoEmptyListOffers noOffers;
        QList<int> companies;
        const QList<Hostile> texts = hostileTexts(50);
        for (const Hostile &h : texts) {
            const int c = db.addCompany(h.text, h.text, h.text, h.text);
            const int j = db.addJob(c, h.text, 400000, ole(2026, 12, 31));
            db.addHour(j, ole(2026, 3, 1, 9), ole(2026, 3, 1, 11));
            db.addPayment(c, 10000, ole(2026, 3, 1), h.text);
            companies << c;
        }
        const QStringList before = databaseRows(db.file());
        auto w = std::make_unique<frmMain>();
        w->show();
        w->setRealTimeWatch(false);
        auto *lvw = w->findChild<ReportList *>(QStringLiteral("LvwCompanys"));
        QCOMPARE(lvw->rowCount(), int(texts.size()));
        for (int i = 0; i < texts.size(); ++i) {
            int row = -1;
            for (int r = 0; r < lvw->rowCount(); ++r) {
                if (lvw->rowText(r) == QString::number(companies[i]))
                    row = r;
            }
            QVERIFY(row >= 0);
            QCOMPARE(lvw->cell(row, 1), texts[i].text);
            lvw->selectRow(row);
            w->onCompanyListReleased(Qt::LeftButton, QPoint());
            auto *jobs = w->findChild<ReportList *>(QStringLiteral("LvwJobs"));
            QCOMPARE(jobs->rowCount(), 1);
            QCOMPARE(jobs->cell(0, 2), texts[i].text);
            QCOMPARE(w->findChild<ReportList *>(QStringLiteral("lvwHours"))->rowCount(), 1);

            frmPayments *payments = frmPayments::forOwner(w.get());
            payments->LoadPayments(companies[i]);
            auto *lvwPayments = payments->findChild<ReportList *>(QStringLiteral("LvwPayments"));
            QVERIFY(lvwPayments);
            QCOMPARE(lvwPayments->rowCount(), 1);
            QCOMPARE(lvwPayments->cell(0, 6), texts[i].text);

            // Opened and closed again without a save, the row stays as it is.
            frmComp *e = frmComp::showEditor(w.get());
            e->SwapFormMode(-1, companies[i]);
            // Loaded whole, even beyond the box's limit of 50, then trimmed.
            const QString trimmed = EditorBase::cleanUpText(EditorBase::CleanUp::Trim, texts[i].text);
            QCOMPARE(e->boxText(0), trimmed);
            QCOMPARE(e->boxText(8), trimmed);
            QCOMPARE(e->boxText(7), QStringLiteral("N/A"));
            button(e, QStringLiteral("cmdCancel"))->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            payments->close();
        }
        QCOMPARE(p.count(), 0);
        QCOMPARE(databaseRows(db.file()), before);
    }
};

TAMBERLOCK_TEST_MAIN(HostileInputTest)
#include "tst_HostileInput.moc"
