#include "common/WidgetTestSupport.h"

#include "dialogs/QtPrompter.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

// The real boxes the program shows: a timer finds the modal box once it is
// up and answers it as a person would, with a click or a key.
class QtPrompterTest : public QObject
{
    Q_OBJECT

    // Runs answer on the first modal widget of type T; gives up (and closes
    // whatever is modal) after five seconds so a failing test cannot hang.
    template <typename T> static void whenShown(std::function<void(T *)> answer)
    {
        auto *timer = new QTimer;
        auto *waited = new int(0);
        QObject::connect(timer, &QTimer::timeout, [timer, waited, answer] {
            QWidget *modal = QApplication::activeModalWidget();
            auto *box = qobject_cast<T *>(modal);
            if (!box && ++*waited < 500)
                return;
            timer->stop();
            timer->deleteLater();
            delete waited;
            if (box)
                answer(box);
            else if (modal)
                modal->close();
        });
        timer->start(10);
    }

    // The captions of a box's buttons from left to right, without their "&".
    static QStringList captionsLeftToRight(QMessageBox *box)
    {
        QList<QAbstractButton *> buttons = box->buttons();
        std::sort(buttons.begin(), buttons.end(), [box](QAbstractButton *a, QAbstractButton *b) {
            return a->mapTo(box, QPoint()).x() < b->mapTo(box, QPoint()).x();
        });
        QStringList captions;
        for (QAbstractButton *b : buttons)
            captions << b->text().remove(QLatin1Char('&'));
        return captions;
    }

private slots:
    void buttonsAnswerInTheirOrder_data()
    {
        QTest::addColumn<BoxButtons>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<QString>("press"); // a caption, "Enter" or "Esc"
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<BoxResult>("expected");

        const QStringList ari{QStringLiteral("Abort"), QStringLiteral("Retry"), QStringLiteral("Ignore")};
        const QStringList yesNo{QStringLiteral("Yes"), QStringLiteral("No")};
        const QStringList ok{QStringLiteral("OK")};
        QTest::newRow("abort") << BoxButtons::AbortRetryIgnore << 2 << "Abort" << ari << BoxResult::Abort;
        QTest::newRow("retry") << BoxButtons::AbortRetryIgnore << 2 << "Retry" << ari << BoxResult::Retry;
        QTest::newRow("ignore") << BoxButtons::AbortRetryIgnore << 2 << "Ignore" << ari << BoxResult::Ignore;
        QTest::newRow("enter is retry")
            << BoxButtons::AbortRetryIgnore << 2 << "Enter" << ari << BoxResult::Retry;
        QTest::newRow("esc is abort")
            << BoxButtons::AbortRetryIgnore << 2 << "Esc" << ari << BoxResult::Abort;
        QTest::newRow("yes") << BoxButtons::YesNo << 1 << "Yes" << yesNo << BoxResult::Yes;
        QTest::newRow("no") << BoxButtons::YesNo << 1 << "No" << yesNo << BoxResult::No;
        QTest::newRow("enter is the default no")
            << BoxButtons::YesNo << 2 << "Enter" << yesNo << BoxResult::No;
        QTest::newRow("esc is no") << BoxButtons::YesNo << 1 << "Esc" << yesNo << BoxResult::No;
        QTest::newRow("ok") << BoxButtons::Ok << 1 << "OK" << ok << BoxResult::Ok;
        QTest::newRow("esc is ok") << BoxButtons::Ok << 1 << "Esc" << ok << BoxResult::Ok;
    }
    void buttonsAnswerInTheirOrder()
    {
        QFETCH(BoxButtons, buttons);
        QFETCH(int, defaultButton);
        QFETCH(QString, press);
        QFETCH(QStringList, order);
        QFETCH(BoxResult, expected);

        QStringList seen;
        QString title;
        QString defaultCaption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenShown<QMessageBox>([&](QMessageBox *box) {
            seen = captionsLeftToRight(box);
            title = box->windowTitle();
            icon = box->icon();
            if (box->defaultButton())
                defaultCaption = box->defaultButton()->text().remove(QLatin1Char('&'));
            if (press == QLatin1String("Enter"))
                QTest::keyClick(box, Qt::Key_Return);
            else if (press == QLatin1String("Esc"))
                QTest::keyClick(box, Qt::Key_Escape);
            else {
                for (QAbstractButton *b : box->buttons()) {
                    if (b->text().remove(QLatin1Char('&')) == press)
                        b->click();
                }
            }
        });
        QtPrompter prompter;
        const BoxResult result = prompter.message({QStringLiteral("An Error Occured!"),
                                                   QStringLiteral("Error: 5 - locked\r\nFrom: SQLite."),
                                                   BoxIcon::Warning, buttons, defaultButton});
        QCOMPARE(seen, order);
        QCOMPARE(title, QStringLiteral("An Error Occured!"));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(defaultCaption, order.at(defaultButton - 1));
        QCOMPARE(result, expected);
    }

    void inputBoxGivesTheTypedTextOrNothing_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("ok") << true;
        QTest::newRow("cancel") << false;
    }
    void inputBoxGivesTheTypedTextOrNothing()
    {
        QFETCH(bool, accept);
        QString shownDefault;
        whenShown<QInputDialog>([&](QInputDialog *box) {
            shownDefault = box->textValue();
            auto *line = box->findChild<QLineEdit *>();
            line->selectAll();
            QTest::keyClicks(line, QStringLiteral("Wire Transfer"));
            QTest::keyClick(line, accept ? Qt::Key_Return : Qt::Key_Escape);
        });
        QtPrompter prompter;
        const auto text =
            prompter.input({QStringLiteral("Payment type:"), QStringLiteral("Add"), QStringLiteral("Check")});
        QCOMPARE(shownDefault, QStringLiteral("Check"));
        QCOMPARE(text.has_value(), accept);
        if (accept)
            QCOMPARE(*text, QStringLiteral("Wire Transfer"));
    }
};

TAMBERLOCK_TEST_MAIN(QtPrompterTest)
#include "tst_QtPrompter.moc"
