#include "common/WidgetTestSupport.h"
#include "data/Settings.h"
#include "dialogs/frmKivMsg.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// The open boxes, newest last; with a caption, only the box of that caption.
QList<frmKivMsg *> openBoxes(const QString &caption = {})
{
    QList<frmKivMsg *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<frmKivMsg *>(w);
        if (box && box->objectName() == QLatin1String("frmKivMsg") && box->isVisible() &&
            (caption.isEmpty() || box->windowTitle() == caption))
            boxes.append(box);
    }
    return boxes;
}

// Runs fn on the open box once the waiting call has shown it.
void whenShown(std::function<void(frmKivMsg *)> fn, const QString &caption = {}, int delayMs = 20)
{
    QTimer::singleShot(delayMs, [fn, caption] {
        const QList<frmKivMsg *> boxes = openBoxes(caption);
        if (boxes.isEmpty()) {
            qWarning("no confirmation box is open");
            return;
        }
        fn(boxes.last());
    });
}

void press(frmKivMsg *box, const char *name)
{
    box->findChild<QPushButton *>(QLatin1String(name))->click();
}

void removeSetting()
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kiv"), QStringLiteral("Kiv"));
    s.remove(QStringLiteral("Billing/Bugger"));
    s.sync();
}

} // namespace

class ConfirmBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { removeSetting(); }
    void cleanup()
    {
        removeSetting();
        QTRY_VERIFY(openBoxes().isEmpty());
    }

    void boxStartsAsDrawn()
    {
        frmKivMsg box;
        QCOMPARE(box.windowTitle(), QStringLiteral("Dialog Caption"));
        QCOMPARE(box.Response(), short(0));
        QCOMPARE(box.size(), QSize(221, 134));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QVERIFY(!(box.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(box.findChild<QLabel *>(QStringLiteral("Image1")));
        QCOMPARE(box.findChild<QLabel *>(QStringLiteral("Image1"))->geometry(), QRect(12, 11, 32, 32));
        auto *text = box.findChild<QPlainTextEdit *>(QStringLiteral("txtMessage"));
        QVERIFY(text && text->isReadOnly());
        QCOMPARE(text->geometry(), QRect(48, 16, 161, 49));
        QCOMPARE(text->palette().color(QPalette::Base), box.palette().color(QPalette::Button));
        auto *yes = box.findChild<QPushButton *>(QStringLiteral("OKButton"));
        auto *no = box.findChild<QPushButton *>(QStringLiteral("CancelButton"));
        auto *check = box.findChild<QCheckBox *>(QStringLiteral("Check1"));
        QCOMPARE(yes->text(), QStringLiteral("Yes"));
        QCOMPARE(no->text(), QStringLiteral("No"));
        QCOMPARE(check->text(), QStringLiteral("Dont ask this again"));
        QCOMPARE(yes->geometry(), QRect(32, 80, 73, 23));
        QCOMPARE(no->geometry(), QRect(112, 80, 73, 23));
        QCOMPARE(check->geometry(), QRect(40, 112, 153, 17));
        QVERIFY(!check->isChecked());
        QCOMPARE(yes->nextInFocusChain(), no);
    }

    void messageFillsTheTextBox()
    {
        frmKivMsg box;
        box.setMessage(QStringLiteral("There are no Companies.\r\n\r\nWould you like to add one now?"));
        QCOMPARE(box.Message(),
                 QStringLiteral("There are no Companies.\r\n\r\nWould you like to add one now?"));
        QVERIFY(box.findChild<QPlainTextEdit *>(QStringLiteral("txtMessage"))
                    ->toPlainText()
                    .startsWith(QStringLiteral("There are no Companies.")));
    }

    void defaultButtonSwapsRoles()
    {
        frmKivMsg box;
        auto *yes = box.findChild<QPushButton *>(QStringLiteral("OKButton"));
        auto *no = box.findChild<QPushButton *>(QStringLiteral("CancelButton"));
        box.setDefaultButton(1);
        QVERIFY(yes->isDefault());
        QVERIFY(!no->isDefault());
        QCOMPARE(box.escapeButton(), no);
        box.setDefaultButton(2);
        QVERIFY(no->isDefault());
        QVERIFY(!yes->isDefault());
        QCOMPARE(box.escapeButton(), yes);
    }

    void answersRecordWithoutClosing()
    {
        frmKivMsg box;
        box.show();
        press(&box, "OKButton");
        QCOMPARE(box.Response(), short(6));
        QVERIFY(box.isVisible());
        press(&box, "CancelButton");
        QCOMPARE(box.Response(), short(7));
        QVERIFY(box.isVisible());
    }

    // The answer for each way of leaving the box: Yes 6, No 7, the close box
    // 7, Esc the button that is not the default, Enter the default.
    void answer_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("expected");
        QTest::newRow("yesAnswersSix") << 0 << "Add New Company?" << 1 << 6;
        QTest::newRow("noAnswersSeven") << 1 << "Add New Company?" << 1 << 7;
        QTest::newRow("closeBoxAnswersSeven") << 2 << "Add New Project?" << 1 << 7;
        QTest::newRow("escape: Yes is default: Esc answers no") << 3 << "C" << 1 << 7;
        QTest::newRow("escape: No is default: Esc answers yes") << 3 << "C" << 2 << 6;
        QTest::newRow("escape: any other value swaps too") << 3 << "C" << 0 << 6;
        QTest::newRow("enterPressesTheDefaultButton: Yes") << 4 << "C" << 1 << 6;
        QTest::newRow("enterPressesTheDefaultButton: No") << 4 << "C" << 2 << 7;
    }
    void answer()
    {
        QFETCH(int, how);
        QFETCH(QString, caption);
        QFETCH(int, defaultButton);
        QFETCH(int, expected);
        whenShown([how](frmKivMsg *box) {
            if (how == 0)
                press(box, "OKButton");
            else if (how == 1)
                press(box, "CancelButton");
            else if (how == 2)
                box->close();
            else if (how == 3)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box,
                                Qt::Key_Return);
        });
        QCOMPARE(int(modTamberlock::ShowConfirmBox(nullptr, QStringLiteral("Q?"), caption, defaultButton, 0)),
                 expected);
    }

    void boxShowsCaptionAndMessage()
    {
        QString caption, message;
        whenShown([&](frmKivMsg *box) {
            caption = box->windowTitle();
            message = box->findChild<QPlainTextEdit *>(QStringLiteral("txtMessage"))->toPlainText();
            press(box, "OKButton");
        });
        modTamberlock::ShowConfirmBox(nullptr, QStringLiteral("There are no Payments."),
                                      QStringLiteral("Add New Payment?"), 1, 0);
        QCOMPARE(caption, QStringLiteral("Add New Payment?"));
        QCOMPARE(message, QStringLiteral("There are no Payments."));
    }

    void timeOutAnswersZero()
    {
        QCOMPARE(modTamberlock::ShowConfirmBox(nullptr, QStringLiteral("Q?"), QStringLiteral("C"), 1, 1),
                 short(0));
        QVERIFY(openBoxes().isEmpty());
    }

    void answerBeforeTimeOutWins()
    {
        whenShown([](frmKivMsg *box) { press(box, "OKButton"); });
        QCOMPARE(modTamberlock::ShowConfirmBox(nullptr, QStringLiteral("Q?"), QStringLiteral("C"), 1, 30),
                 short(6));
    }

    void boxIsDeletedAfterTheAnswer()
    {
        QPointer<frmKivMsg> seen;
        bool sawBox = false;
        whenShown([&](frmKivMsg *box) {
            seen = box;
            sawBox = true;
            press(box, "OKButton");
        });
        modTamberlock::ShowConfirmBox(nullptr, QStringLiteral("Q?"), QStringLiteral("C"), 1, 0);
        QVERIFY(sawBox);
        QVERIFY(seen.isNull());
    }

    void ownedByTheMainWindow()
    {
        QWidget main;
        main.setObjectName(QStringLiteral("frmMain"));
        main.show();
        QWidget *parent = reinterpret_cast<QWidget *>(1);
        whenShown([&](frmKivMsg *box) {
            parent = box->parentWidget();
            press(box, "OKButton");
        });
        modTamberlock::ShowConfirmBox(&main, QStringLiteral("Q?"), QStringLiteral("C"), 1, 0);
        QCOMPARE(parent, &main);
    }

    void withoutMainWindowNoOwner()
    {
        QWidget *parent = reinterpret_cast<QWidget *>(1);
        whenShown([&](frmKivMsg *box) {
            parent = box->parentWidget();
            press(box, "OKButton");
        });
        modTamberlock::ShowConfirmBox(nullptr, QStringLiteral("Q?"), QStringLiteral("C"), 1, 0);
        QCOMPARE(parent, nullptr);
    }

    void tickThenNoSwitchesOffersOff()
    {
        QString whileOpen;
        whenShown([&](frmKivMsg *box) {
            box->findChild<QCheckBox *>(QStringLiteral("Check1"))->click();
            whileOpen = DontAskSetting::text();
            press(box, "CancelButton");
        });
        QCOMPARE(modTamberlock::ShowConfirmBox(nullptr, QStringLiteral("Q?"), QStringLiteral("C"), 1, 0),
                 short(7));
        QCOMPARE(whileOpen, QStringLiteral("0"));
        QCOMPARE(DontAskSetting::text(), QStringLiteral("0"));
        QVERIFY(!DontAskSetting::asks());
    }

    void tickAndUntickLeavesAsking()
    {
        whenShown([&](frmKivMsg *box) {
            auto *check = box->findChild<QCheckBox *>(QStringLiteral("Check1"));
            check->click();
            check->click();
            press(box, "OKButton");
        });
        QCOMPARE(modTamberlock::ShowConfirmBox(nullptr, QStringLiteral("Q?"), QStringLiteral("C"), 1, 0),
                 short(6));
        QCOMPARE(DontAskSetting::text(), QStringLiteral("1"));
        QVERIFY(DontAskSetting::asks());
    }

    void newBoxStartsUnticked()
    {
        DontAskSetting::write(QStringLiteral("0"));
        bool ticked = true;
        whenShown([&](frmKivMsg *box) {
            ticked = box->findChild<QCheckBox *>(QStringLiteral("Check1"))->isChecked();
            press(box, "OKButton");
        });
        modTamberlock::ShowConfirmBox(nullptr, QStringLiteral("Q?"), QStringLiteral("C"), 1, 0);
        QVERIFY(!ticked);
        QCOMPARE(DontAskSetting::text(), QStringLiteral("0")); // the box never reads or resets it
    }

    void missingSettingAsks()
    {
        QCOMPARE(DontAskSetting::text(), QStringLiteral("1"));
        QVERIFY(DontAskSetting::asks());
    }

    void nestedQuestionsGetTheirOwnAnswers()
    {
        short inner = -1;
        int openTogether = 0;
        QTimer::singleShot(20, [&] {
            // A second question while the first one waits; the first is
            // answered yes while the second is still open, then the second no.
            QTimer::singleShot(20, [&] {
                openTogether = int(openBoxes().size());
                press(openBoxes(QStringLiteral("First")).value(0), "OKButton");
            });
            QTimer::singleShot(60,
                               [&] { press(openBoxes(QStringLiteral("Second")).value(0), "CancelButton"); });
            inner = modTamberlock::ShowConfirmBox(nullptr, QStringLiteral("Second?"),
                                                  QStringLiteral("Second"), 1, 0);
        });
        const short outer =
            modTamberlock::ShowConfirmBox(nullptr, QStringLiteral("First?"), QStringLiteral("First"), 1, 0);
        QCOMPARE(openTogether, 2);
        QCOMPARE(outer, short(6));
        QCOMPARE(inner, short(7));
        QVERIFY(openBoxes().isEmpty());
    }

    void ownerGoneAnswersNo()
    {
        auto *main = new QWidget;
        main->setObjectName(QStringLiteral("frmMain"));
        main->show();
        whenShown([main](frmKivMsg *) { delete main; });
        QCOMPARE(modTamberlock::ShowConfirmBox(main, QStringLiteral("Q?"), QStringLiteral("C"), 1, 0),
                 short(7));
    }
};

TAMBERLOCK_TEST_MAIN(ConfirmBoxTest)
#include "tst_ConfirmBox.moc"
