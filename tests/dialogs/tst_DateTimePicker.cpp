#include "common/WidgetTestSupport.h"
#include "data/Clock.h"
#include "data/Formats.h"
#include "dialogs/frmDateTime.h"
#include "editors/frmHour.h"
#include "editors/frmJob.h"
#include "editors/frmPayment.h"

#include <QAbstractItemModel>
#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <memory>

namespace {

QDateTime wall(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return modTamberlock::makeDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

using Dest = frmDateTime::Destination;

// A stand-in editor window: a top-level widget with the destination box. As
// an editor does, it hands the picker its box's text and writes what the
// picker chose into its own box of that code (txtComps_<code>).
struct Editor {
    explicit Editor(const char *form, const char *box)
    {
        window = std::make_unique<QWidget>();
        window->setObjectName(QLatin1String(form));
        window->resize(400, 300);
        edit = new QLineEdit(window.get());
        edit->setObjectName(QLatin1String(box));
        window->show();
    }
    QLineEdit *boxOf(int code) const
    {
        return window->findChild<QLineEdit *>(QStringLiteral("txtComps_%1").arg(code));
    }
    frmDateTime *picker()
    {
        frmDateTime *p = frmDateTime::forOwner(window.get());
        if (connected != p) {
            connected = p;
            QObject::connect(p, &frmDateTime::chosen, window.get(), [this](Dest dest, const QString &text) {
                if (QLineEdit *box = boxOf(int(dest)))
                    box->setText(text);
            });
        }
        return p;
    }
    void load(frmDateTime *p, int code) const
    {
        const QLineEdit *box = boxOf(code);
        p->LoadPicker(Dest(code), box ? box->text() : QString());
    }
    std::unique_ptr<QWidget> window;
    QLineEdit *edit = nullptr;
    QPointer<frmDateTime> connected;
};

// Clicks a day of the month shown by the calendar, as the user would.
bool clickDay(QCalendarWidget *calendar, int day)
{
    auto *view = calendar->findChild<QTableView *>();
    if (!view)
        return false;
    QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int col = 0; col < model->columnCount(); ++col) {
            const QModelIndex index = model->index(row, col);
            // Days of the neighbouring months share numbers; they sit in the
            // first and last rows.
            if (model->data(index).toInt() != day)
                continue;
            if ((day > 20 && row < 3) || (day < 10 && row > 3))
                continue;
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
            return true;
        }
    }
    return false;
}

} // namespace

class DateTimePickerTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { Clock::setNow(wall(2024, 3, 5, 10, 20, 30)); }
    void cleanup()
    {
        Clock::useSystemClock();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void windowAsDrawn()
    {
        Editor e("frmHour", "txtComps_1");
        QPointer<frmDateTime> p = e.picker();
        QVERIFY(p);
        QVERIFY(!p->isVisible());
        QCOMPARE(p->objectName(), QStringLiteral("frmDateTime"));
        QCOMPARE(p->windowTitle(), QStringLiteral("Pick a Date and Time"));
        QCOMPARE(p->parentWidget(), e.window.get());
        QCOMPARE(p->windowType(), Qt::Tool);
        QVERIFY(!(p->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(p->size(), QSize(414, 198));
        QCOMPARE(p->minimumSize(), p->maximumSize());
        QCOMPARE(child<QCalendarWidget>(p, "MonthView1")->geometry(), QRect(0, 0, 412, 158));
        QCOMPARE(child<QWidget>(p, "Label1")->geometry(), QRect(0, 160, 409, 3));
        auto *dt = child<QDateTimeEdit>(p, "DTPicker1");
        QCOMPARE(dt->geometry(), QRect(8, 168, 225, 25));
        QCOMPARE(dt->displayFormat(), QStringLiteral("MM/dd/yyyy hh:mm:ss AP"));
        QCOMPARE(dt->minimumDateTime(), wall(1601, 1, 1));
        QCOMPARE(dt->maximumDate(), QDate(9999, 12, 31));
        QCOMPARE(dt->dateTime(), wall(1973, 6, 29, 14, 21, 0));
        QCOMPARE(dt->text(), QStringLiteral("06/29/1973 02:21:00 PM"));
        auto *ok = child<QPushButton>(p, "cmdOK");
        auto *cancel = child<QPushButton>(p, "cmdCancel");
        QCOMPARE(ok->text(), QStringLiteral("Ok"));
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->geometry(), QRect(240, 168, 81, 25));
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        QCOMPARE(cancel->geometry(), QRect(328, 168, 81, 25));
        QCOMPARE(child<QCalendarWidget>(p, "MonthView1")->nextInFocusChain()->window(), p.data());
        QCOMPARE(child<QCalendarWidget>(p, "MonthView1")->selectedDate(), QDate(2024, 3, 5));
        QCOMPARE(e.picker(), p.data()); // one picker
        p->close();
        waitGone(p);
    }

    // What the picker starts at for the text in the destination box.
    void loadedValue_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("pendingStartsAtTheSentinel")
            << "frmHour" << 2 << "Pending..." << wall(1973, 6, 29, 14, 21, 0);
        QTest::newRow("emptyStartsNow") << "frmJob" << 3 << "" << wall(2024, 3, 5, 10, 20, 30);
        QTest::newRow("typedFormsAreRead")
            << "frmHour" << 1 << "6/29/1973 2:21 PM" << wall(1973, 6, 29, 14, 21, 0);
    }
    void loadedValue()
    {
        QFETCH(QString, form);
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        Editor e(form.toLatin1().constData(), qPrintable(QStringLiteral("txtComps_%1").arg(code)));
        e.edit->setText(text);
        QPointer<frmDateTime> p = e.picker();
        e.load(p, code);
        QCOMPARE(p->destination(), Dest(code));
        QCOMPARE(p->value(), expected);
        QCOMPARE(child<QCalendarWidget>(p, "MonthView1")->selectedDate(), QDate(2024, 3, 5));
        QVERIFY(!p->isVisible());
        p->close();
        waitGone(p);
    }

    // "Ok" writes the general form into the box, the time left off at midnight.
    void okWritesGeneralForm_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("roundTripWritesGeneralForm") << "frmPayment" << 4 << "07/04/2005 09:15:00 AM"
                                                    << wall(2005, 7, 4, 9, 15, 0) << "7/4/2005 9:15:00 AM";
        QTest::newRow("midnightWritesTheDateAlone")
            << "frmJob" << 3 << "03/15/2006 12:00:00 AM" << wall(2006, 3, 15) << "3/15/2006";
    }
    void okWritesGeneralForm()
    {
        QFETCH(QString, form);
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(QDateTime, value);
        QFETCH(QString, written);
        Editor e(form.toLatin1().constData(), qPrintable(QStringLiteral("txtComps_%1").arg(code)));
        e.edit->setText(text);
        QSignalSpy changed(e.edit, &QLineEdit::textChanged);
        QPointer<frmDateTime> p = e.picker();
        e.load(p, code);
        p->show();
        QCOMPARE(p->value(), value);
        QCOMPARE(child<QDateTimeEdit>(p, "DTPicker1")->text(), text);
        child<QPushButton>(p, "cmdOK")->click();
        QCOMPARE(e.edit->text(), written);
        QCOMPARE(changed.count(), 1); // an ordinary change the editor reacts to
        waitGone(p);
    }

    void calendarClickChangesOnlyTheDate()
    {
        Editor e("frmHour", "txtComps_1");
        e.edit->setText(QStringLiteral("01/31/2005 03:00:00 PM"));
        QPointer<frmDateTime> p = e.picker();
        e.load(p, 1);
        p->show();
        QVERIFY(QTest::qWaitForWindowExposed(p));
        auto *calendar = child<QCalendarWidget>(p, "MonthView1");
        calendar->setCurrentPage(2005, 2);
        QVERIFY(clickDay(calendar, 10));
        QCOMPARE(p->value(), wall(2005, 2, 10, 15, 0, 0));
        QCOMPARE(child<QDateTimeEdit>(p, "DTPicker1")->text(), QStringLiteral("02/10/2005 03:00:00 PM"));
        child<QPushButton>(p, "cmdOK")->click();
        QCOMPARE(e.edit->text(), QStringLiteral("2/10/2005 3:00:00 PM"));
        waitGone(p);
    }

    void cancelWritesNothing_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("Esc") << 2;
    }
    void cancelWritesNothing()
    {
        QFETCH(int, how);
        Editor e("frmHour", "txtComps_2");
        e.edit->setText(QStringLiteral("Pending..."));
        QSignalSpy changed(e.edit, &QLineEdit::textChanged);
        QPointer<frmDateTime> p = e.picker();
        e.load(p, 2);
        p->show();
        child<QDateTimeEdit>(p, "DTPicker1")->setDateTime(wall(2010, 1, 1, 8, 0, 0));
        if (how == 0)
            child<QPushButton>(p, "cmdCancel")->click();
        else if (how == 1)
            p->close();
        else
            QTest::keyClick(p, Qt::Key_Escape);
        waitGone(p);
        QCOMPARE(e.edit->text(), QStringLiteral("Pending..."));
        QCOMPARE(changed.count(), 0);
    }

    void unknownCodeStartsNowAndWritesNothing_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("0") << 0;
        QTest::newRow("5") << 5;
        QTest::newRow("-1") << -1;
    }
    void unknownCodeStartsNowAndWritesNothing()
    {
        QFETCH(int, code);
        Editor hour("frmHour", "txtComps_1");
        QLineEdit *stop = new QLineEdit(hour.window.get());
        stop->setObjectName(QStringLiteral("txtComps_2"));
        Editor job("frmJob", "txtComps_3");
        Editor pay("frmPayment", "txtComps_4");
        const QList<QLineEdit *> boxes = {hour.edit, stop, job.edit, pay.edit};
        for (QLineEdit *b : boxes)
            b->setText(QStringLiteral("07/04/2005 09:15:00 AM"));
        QPointer<frmDateTime> p = hour.picker();
        hour.load(p, code);
        QCOMPARE(p->value(), wall(2024, 3, 5, 10, 20, 30));
        p->show();
        child<QPushButton>(p, "cmdOK")->click();
        waitGone(p);
        for (QLineEdit *b : boxes)
            QCOMPARE(b->text(), QStringLiteral("07/04/2005 09:15:00 AM"));
    }

    void destinationsName_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("box");
        QTest::newRow("start time") << 1 << "frmHour"
                                    << "txtComps_1";
        QTest::newRow("stop time") << 2 << "frmHour"
                                   << "txtComps_2";
        QTest::newRow("due date") << 3 << "frmJob"
                                  << "txtComps_3";
        QTest::newRow("transaction date") << 4 << "frmPayment"
                                          << "txtComps_4";
    }
    void destinationsName()
    {
        QFETCH(int, code);
        QFETCH(QString, form);
        QFETCH(QString, box);
        EditorBase *editor =
            form == QLatin1String("frmHour")  ? static_cast<EditorBase *>(frmHour::showEditor(nullptr))
            : form == QLatin1String("frmJob") ? static_cast<EditorBase *>(frmJob::showEditor(nullptr))
                                              : frmPayment::showEditor(nullptr);
        auto *edit = child<QLineEdit>(editor, box.toLatin1().constData());
        edit->setText(QStringLiteral("07/04/2005 09:15:00 AM"));
        // Another window of that name with a box of that name is no destination.
        Editor wrong(form.toLatin1().constData(), box.toLatin1().constData());
        wrong.edit->setText(QStringLiteral("01/01/2001"));
        editor->findChild<QPushButton *>(QStringLiteral("cmdPicker_%1").arg(code))->click();
        QPointer<frmDateTime> p = editor->findChild<frmDateTime *>();
        QVERIFY(p && p->isVisible());
        QCOMPARE(p->destination(), Dest(code));
        QCOMPARE(p->value(), wall(2005, 7, 4, 9, 15, 0));
        child<QDateTimeEdit>(p, "DTPicker1")->setDateTime(wall(2010, 1, 2, 8, 0, 0));
        child<QPushButton>(p, "cmdOK")->click();
        waitGone(p);
        QCOMPARE(edit->text(), QStringLiteral("1/2/2010 8:00:00 AM"));
        QVERIFY(editor->windowTitle().endsWith(QStringLiteral(" *")));
        QCOMPARE(wrong.edit->text(), QStringLiteral("01/01/2001"));
        editor->close();
    }

    void chosenReachesOnlyTheLastOpener()
    {
        // The one picker moves from the charge editor to another window; its
        // "Ok" there writes nothing into the charge editor's start box.
        frmHour *hour = frmHour::showEditor(nullptr);
        hour->findChild<QPushButton *>(QStringLiteral("cmdPicker_1"))->click();
        QPointer<frmDateTime> p = hour->findChild<frmDateTime *>();
        QVERIFY(p);
        Editor other("frmOther", "txtComps_1");
        QCOMPARE(other.picker(), p.data());
        other.load(p, 1);
        p->show();
        child<QPushButton>(p, "cmdOK")->click();
        waitGone(p);
        QCOMPARE(other.edit->text(), QStringLiteral("3/5/2024 10:20:30 AM"));
        QCOMPARE(hour->boxText(1), QString());
        hour->close();
    }

    void reloadWhileOpen()
    {
        Editor e("frmHour", "txtComps_1");
        auto *stop = new QLineEdit(e.window.get());
        stop->setObjectName(QStringLiteral("txtComps_2"));
        e.edit->setText(QStringLiteral("07/04/2005 09:15:00 AM"));
        stop->setText(QStringLiteral("08/01/2006 05:00:00 PM"));
        QPointer<frmDateTime> p = e.picker();
        e.load(p, 1);
        p->show();
        QVERIFY(p->isVisible());
        QCOMPARE(e.picker(), p.data());
        e.load(p, 2);
        QVERIFY(!p->isVisible()); // hidden until the caller shows it again
        QCOMPARE(p->value(), wall(2006, 8, 1, 17, 0, 0));
        QCOMPARE(child<QCalendarWidget>(p, "MonthView1")->selectedDate(), QDate(2024, 3, 5));
        p->show();
        child<QPushButton>(p, "cmdOK")->click();
        QCOMPARE(stop->text(), QStringLiteral("8/1/2006 5:00:00 PM"));
        QCOMPARE(e.edit->text(), QStringLiteral("07/04/2005 09:15:00 AM"));
        waitGone(p);
    }

    void freshPickerAfterOk()
    {
        Editor e("frmHour", "txtComps_2");
        e.edit->setText(QStringLiteral("07/04/2005 09:15:00 AM"));
        QPointer<frmDateTime> p = e.picker();
        e.load(p, 2);
        p->show();
        child<QPushButton>(p, "cmdOK")->click();
        waitGone(p);
        e.edit->setText(QStringLiteral("Pending..."));
        QPointer<frmDateTime> q = e.picker();
        e.load(q, 2);
        QCOMPARE(q->value(), wall(1973, 6, 29, 14, 21, 0)); // not the last one's value
        q->close();
        waitGone(q);
    }

    void closesWithItsOwner()
    {
        Editor e("frmHour", "txtComps_1");
        QPointer<frmDateTime> p = e.picker();
        e.load(p, 1);
        p->show();
        e.window->close();
        waitGone(p);

        Editor f("frmHour", "txtComps_1");
        QPointer<frmDateTime> q = f.picker();
        q->show();
        f.window.reset();
        QVERIFY(q.isNull());
    }
};

TAMBERLOCK_TEST_MAIN(DateTimePickerTest)
#include "tst_DateTimePicker.moc"
