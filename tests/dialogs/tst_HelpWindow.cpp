#include "common/WidgetTestSupport.h"
#include "dialogs/frmHelpStruct.h"

#include <QApplication>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class HelpWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void helpLines_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("1") << 1
                           << "The data is structured as objects.  The first thing you must do, is Create a "
                              "Company Entry.";
        QTest::newRow("2") << 2 << "";
        QTest::newRow("3")
            << 3
            << "Once you have entered a Company, you can then assign Projects to it (Right-Click "
               "on Company).";
        QTest::newRow("4")
            << 4
            << "Clicking on a Company in the Company list, will load all of the projects, assigned "
               "to that company, in the list below it.";
        QTest::newRow("5") << 5
                           << "If you delete the company, the projects assigned to it will also be deleted, "
                              "because they are part of the company.";
        QTest::newRow("6") << 6 << "";
        QTest::newRow("7")
            << 7
            << "You can then assign Payments to the company (Right-click on the Company).  The "
               "Payments, like the Projects, will also be deleted if you delete the company.";
        QTest::newRow("8") << 8 << "";
        QTest::newRow("9") << 9
                           << "Once you have created a Project, you can create Zarividude Charges.(1) "
                              "(Right-Click on Project)";
        QTest::newRow("10")
            << 10
            << "The Charges keep track of the hours you spend on the project.  If you stop for a "
               "short break, Stop the current charge (by right-clicking on it) then start a new "
               "charge when you come back.";
        QTest::newRow("11") << 11 << "";
        QTest::newRow("12")
            << 12
            << "The Charges are assigned to the project, so if you delete the project, all the "
               "charges assigned to it will also be deleted.";
        QTest::newRow("13") << 13 << "";
        QTest::newRow("14") << 14 << "";
        QTest::newRow("15") << 15 << "(1)";
        QTest::newRow("16") << 16 << "Zarividude";
    }
    void helpLines()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        const QStringList lines = frmHelpStruct::helpText().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(line - 1), text);
    }

    void everyLineEndsWithCrLf()
    {
        const QString text = frmHelpStruct::helpText();
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        QCOMPARE(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n")));
        QCOMPARE(text.count(QLatin1Char('\r')), text.count(QStringLiteral("\r\n")));
        // The footnote: the word, its entry with a pronunciation, a quotation
        // and the dictionary it comes from.
        const QStringList footnote = text.split(QStringLiteral("\r\n")).mid(15);
        QVERIFY(footnote.size() >= 4);
        QVERIFY(footnote.at(1).contains(QLatin1Char('\\')));
        QVERIFY(footnote.at(2).startsWith(QLatin1Char('"')));
        QVERIFY(footnote.at(3).contains(QStringLiteral("Dictionary")));
    }

    void windowShowsTheText()
    {
        QWidget owner;
        QPointer<frmHelpStruct> w = frmHelpStruct::showFor(&owner);
        QCOMPARE(w->objectName(), QStringLiteral("frmHelpStruct"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Help on Data Structure"));
        QCOMPARE(w->parentWidget(), &owner);
        QVERIFY(w->isWindow());
        auto *text = child<QPlainTextEdit>(w, "txtHolder");
        QVERIFY(text->isReadOnly());
        QString expected = frmHelpStruct::helpText();
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        expected.chop(1);
        QCOMPARE(text->toPlainText(), expected);
        QCOMPARE(child<QPushButton>(w, "cmdClose")->text(), QStringLiteral("Close"));
        QCOMPARE(child<QPushButton>(w, "cmdClose")->parentWidget(), child<QWidget>(w, "picAligner"));
        QVERIFY(child<QWidget>(w, "Image1"));
        QCOMPARE(frmHelpStruct::showFor(&owner), w.data());
        closeAndWait(w);
    }

    void shrinkingSnapsBack_data()
    {
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("both too small") << QSize(100, 80) << QSize(359, 233);
        QTest::newRow("too narrow") << QSize(200, 500) << QSize(359, 500);
        QTest::newRow("too low") << QSize(700, 100) << QSize(700, 233);
        QTest::newRow("large enough") << QSize(700, 500) << QSize(700, 500);
    }
    void shrinkingSnapsBack()
    {
        QFETCH(QSize, asked);
        QFETCH(QSize, expected);
        QWidget owner;
        QPointer<frmHelpStruct> w = frmHelpStruct::showFor(&owner);
        // The floor is the outer size, frame included.
        const QSize frame = w->frameGeometry().size() - w->size();
        QCOMPARE(w->minimumSize() + frame, QSize(359, 233));
        w->resize(asked - frame);
        QTRY_COMPARE(w->frameGeometry().size(), expected);
        closeAndWait(w);
    }

    void layoutFollowsTheSize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("minimum") << QSize(359, 233);
        QTest::newRow("wide") << QSize(900, 300);
        QTest::newRow("tall") << QSize(400, 800);
    }
    void layoutFollowsTheSize()
    {
        QFETCH(QSize, size);
        QWidget owner;
        QPointer<frmHelpStruct> w = frmHelpStruct::showFor(&owner);
        w->resize(size);
        QTRY_COMPARE(w->size(), size);
        auto *bar = child<QFrame>(w, "picAligner");
        auto *close = child<QPushButton>(w, "cmdClose");
        auto *text = child<QPlainTextEdit>(w, "txtHolder");
        // The bar along the bottom edge, the button at its right end.
        QCOMPARE(bar->geometry().bottom(), size.height() - 1);
        QCOMPARE(bar->width(), size.width());
        QCOMPARE(close->x() + close->width(), bar->width());
        // The text fills the space above the bar, 25 twips short of the right.
        QCOMPARE(text->y() + text->height(), bar->y());
        QCOMPARE(text->x() + text->width(), size.width() - 2);
        closeAndWait(w);
    }

    void closeGivesTheMainWindowTheFocus_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Close") << false;
        QTest::newRow("Esc") << true;
    }
    void closeGivesTheMainWindowTheFocus()
    {
        QFETCH(bool, byEscape);
        QWidget main;
        main.setObjectName(QStringLiteral("frmMain"));
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QPointer<frmHelpStruct> w = frmHelpStruct::showFor(&main);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QApplication::setActiveWindow(w);
        if (byEscape)
            QTest::keyClick(w, Qt::Key_Escape);
        else
            child<QPushButton>(w, "cmdClose")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTRY_VERIFY(w.isNull());
        QTRY_COMPARE(QApplication::activeWindow(), &main);
    }
};

TAMBERLOCK_TEST_MAIN(HelpWindowTest)
#include "tst_HelpWindow.moc"
