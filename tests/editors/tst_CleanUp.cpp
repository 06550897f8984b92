#include "EditorTestUtil.h"
#include "common/WidgetTestSupport.h"

#include "editors/frmComp.h"
#include "editors/frmHour.h"
#include "editors/frmJob.h"

#include <QTest>

using namespace editortest;

// The shape a box's text takes when the focus leaves it, for every kind of
// box, through the real windows.
class CleanUpTest : public QObject
{
    Q_OBJECT

private:
    static EditorBase *open(const QString &editor)
    {
        if (editor == QLatin1String("frmComp"))
            return openEditor<frmComp>(0);
        if (editor == QLatin1String("frmJob"))
            return openEditor<frmJob>(0);
        return openEditor<frmHour>(0);
    }

private slots:
    void cleanup() { closeAllEditors(); }

    void leavingTheBox_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("next");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const auto row = [](const QByteArray &name, const QString &editor, int index, int next,
                            const char *before, const char *after) {
            QTest::newRow(name.constData())
                << editor << index << next << QString::fromUtf8(before) << QString::fromUtf8(after);
        };

        const QString comp = QStringLiteral("frmComp");
        row("zip five digits", comp, 6, 0, "12345", "12345-0000");
        row("zip nine digits", comp, 6, 0, "123456789", "12345-6789");
        row("zip already formed", comp, 6, 0, "12345-6789", "12345-6789");
        row("zip leading zero kept", comp, 6, 0, "02134", "02134-0000");
        row("zip four digits", comp, 6, 0, "1234", "-1234");
        row("zip five characters not digits", comp, 6, 0, "1234a", "1234a");
        row("zip empty", comp, 6, 0, "", "");
        row("zip not trimmed", comp, 6, 0, " AB1 ", " AB1 ");
        for (int phone : {10, 11}) {
            const QByteArray tag = phone == 10 ? "phone " : "fax ";
            row(tag + "ten digits", comp, phone, 0, "5551234567", "(555) 123-4567");
            row(tag + "with dashes", comp, phone, 0, "555-123-4567", "(555) 123-4567");
            row(tag + "seven digits", comp, phone, 0, "5551234", "(000) 555-1234");
            row(tag + "letters", comp, phone, 0, "555-CALL", "555CALL");
            row(tag + "already formed", comp, phone, 0, "(555) 123-4567", "(555) 123-4567");
            row(tag + "empty", comp, phone, 0, "", "");
        }
        row("company name trimmed", comp, 0, 1, "  Acme Tools  ", "Acme Tools");
        row("city trimmed", comp, 4, 0, " Boston", "Boston");
        row("comments trimmed", comp, 7, 0, "  late payer  ", "late payer");

        const QString job = QStringLiteral("frmJob");
        row("project name trimmed", job, 1, 2, "  Website  ", "Website");
        row("wage plain", job, 2, 1, "1234.5", "$1,234.50");
        row("wage whole", job, 2, 1, "250", "$250.00");
        row("wage formed", job, 2, 1, "$1,234.50", "$1,234.50");
        row("wage letters", job, 2, 1, "abc", "abc");
        row("due date alone", job, 3, 1, "6/29/1973", "06/29/1973 12:00:00 AM");
        row("due date and time", job, 3, 1, "7/4/2005 9:15 AM", "07/04/2005 09:15:00 AM");
        row("due date not a date", job, 3, 1, "soon", "soon");

        const QString hour = QStringLiteral("frmHour");
        row("start time", hour, 1, 2, "7/4/2005 9:15 AM", "07/04/2005 09:15:00 AM");
        row("start time empty", hour, 1, 2, "", "");
        row("stop time", hour, 2, 1, "7/4/2005 5:00 PM", "07/04/2005 05:00:00 PM");
        row("stop time pending text", hour, 2, 1, "Pending...", "Pending...");
        row("stop time empty", hour, 2, 1, "", "");
        row("stop time sentinel as typed", hour, 2, 1, "6/29/1973 2:21 PM", "6/29/1973 2:21 PM");
        row("stop time zero date", hour, 2, 1, "12/30/1899", "12/30/1899");
    }

    void leavingTheBox()
    {
        QFETCH(QString, editor);
        QFETCH(int, index);
        QFETCH(int, next);
        QFETCH(QString, before);
        QFETCH(QString, after);
        TestDatabase db;
        EditorBase *e = open(editor);
        e->moveFocusTo(index);
        e->setBoxText(index, before);
        QCOMPARE(e->boxText(index), before); // nothing changes while the box has the focus
        e->moveFocusTo(next);
        QCOMPARE(e->boxText(index), after);
        // Leaving the box again keeps the cleaned-up form.
        e->moveFocusTo(index);
        e->moveFocusTo(next);
        QCOMPARE(e->boxText(index), after);
    }

    void typingAndTabbingCleansUp()
    {
        TestDatabase db;
        EditorBase *e = open(QStringLiteral("frmJob"));
        if (!QTest::qWaitForWindowActive(e))
            QSKIP("the platform does not activate windows");
        auto *wage = child<QLineEdit>(e, QStringLiteral("txtComps_2"));
        wage->setFocus();
        QTRY_VERIFY(wage->hasFocus());
        QTest::keyClicks(wage, QStringLiteral("60"));
        QTest::keyClick(wage, Qt::Key_Tab);
        QTRY_COMPARE(wage->text(), QStringLiteral("$60.00"));
    }

    void movingFocusInAnInactiveWindowCleansUp()
    {
        TestDatabase db;
        EditorBase *e = open(QStringLiteral("frmComp"));
        // Another window takes over; no focus events reach the editor.
        QWidget other;
        other.show();
        other.activateWindow();
        e->moveFocusTo(10);
        e->setBoxText(10, QStringLiteral("5551234567"));
        e->moveFocusTo(11);
        QCOMPARE(e->boxText(10), QStringLiteral("(555) 123-4567"));
        QCOMPARE(e->focusedBox(), 11);
    }
};

TAMBERLOCK_TEST_MAIN(CleanUpTest)
#include "tst_CleanUp.moc"
