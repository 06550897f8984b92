#include "common/TestSupport.h"

#include "data/StepRunner.h"
#include "dialogs/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

// The real message box behind the error boxes of the data routines.
class MessageBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void errorBoxesReadAbortRetryIgnore_data()
    {
        QTest::addColumn<bool>("loader");
        QTest::newRow("An Error Occured!") << false;
        QTest::newRow("Error!") << true;
    }
    void errorBoxesReadAbortRetryIgnore()
    {
        QFETCH(bool, loader);
        const DbError error{5, QStringLiteral("boom"), QStringLiteral("Test")};
        const MessageBoxRequest request =
            loader ? loaderErrorBoxRequest(error, QStringLiteral("In X:    "), QStringLiteral("SELECT 1;"))
                   : errorBoxRequest(error);
        QStringList order;
        QString focused;
        QTimer::singleShot(50, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            QList<QPushButton *> buttons = box->findChildren<QPushButton *>();
            std::sort(buttons.begin(), buttons.end(),
                      [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
            for (QPushButton *b : buttons)
                order << b->text();
            focused = box->defaultButton() ? box->defaultButton()->text() : QString();
            // Enter presses the default button.
            QTest::keyClick(box, Qt::Key_Return);
        });
        QtPrompter prompter;
        QCOMPARE(prompter.message(request), BoxResult::Retry);
        QCOMPARE(order, QStringList({"&Abort", "&Retry", "&Ignore"}));
        QCOMPARE(focused, QStringLiteral("&Retry"));
    }
};

TAMBERLOCK_TEST(MessageBoxTest)
#include "MessageBoxTest.moc"
