#include "common/WidgetTestSupport.h"

#include "widgets/ComboFill.h"

#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

using namespace modTamberlock;

class ComboFillTest : public QObject
{
    Q_OBJECT

private slots:
    void listsRowsWithTheirIdsInDatabaseOrder()
    {
        TestDatabase db;
        ScriptedPrompter p;
        db.exec(QStringLiteral("DELETE FROM lkuPayTypes"));
        for (const char *t : {"Cash", "Check", "Cash", "Barter"})
            db.exec(
                QStringLiteral("INSERT INTO lkuPayTypes (strPayType) VALUES ('%1')").arg(QLatin1String(t)));
        const int first = db.scalar(QStringLiteral("SELECT MIN(lngPayTypeID) FROM lkuPayTypes")).toInt();
        QComboBox combo;
        combo.addItem(QStringLiteral("stale"));
        FillComboFromTable(&combo, QStringLiteral("lkuPayTypes"), QStringLiteral("lngPayTypeID"),
                           QStringLiteral("strPayType"), QStringLiteral("Cash"), true);
        QCOMPARE(combo.count(), 4);
        // Two rows with the same text give two items, each with its own id;
        // the later match is the one selected.
        QCOMPARE(combo.itemText(0), QStringLiteral("Cash"));
        QCOMPARE(combo.itemText(2), QStringLiteral("Cash"));
        QCOMPARE(combo.itemData(0).toInt(), first);
        QCOMPARE(combo.itemData(2).toInt(), first + 2);
        QCOMPARE(combo.currentIndex(), 2);

        FillComboFromTable(&combo, QStringLiteral("lkuPayTypes"), QStringLiteral("lngPayTypeID"),
                           QStringLiteral("strPayType"), QString::number(first + 1), false);
        QCOMPARE(combo.currentText(), QStringLiteral("Check"));
        // Comparing as text is case-sensitive; nothing matched selects the first item.
        FillComboFromTable(&combo, QStringLiteral("lkuPayTypes"), QStringLiteral("lngPayTypeID"),
                           QStringLiteral("strPayType"), QStringLiteral("barter"), true);
        QCOMPARE(combo.currentIndex(), 0);
        QCOMPARE(p.count(), 0);
    }

    void stopsAtFiveThousandRows()
    {
        TestDatabase db;
        db.exec(
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 6000) "
                           "INSERT INTO tblCompanys (strCompanyName) SELECT 'Company ' || i FROM n"));
        QComboBox combo;
        FillComboFromTable(&combo, QStringLiteral("tblCompanys"), QStringLiteral("lngCompanyID"),
                           QStringLiteral("strCompanyName"), QStringLiteral("5500"), false);
        QCOMPARE(combo.count(), kMaxListedRows);
        QCOMPARE(combo.itemText(4999), QStringLiteral("Company 5000"));
        QCOMPARE(combo.currentIndex(), 0); // 5500 is beyond the listed rows
    }

    void emptyTableAndMissingFileLeaveTheBoxEmptyWithoutABox()
    {
        TestDatabase db;
        ScriptedPrompter p;
        QComboBox combo;
        combo.addItem(QStringLiteral("stale"));
        FillComboFromTable(&combo, QStringLiteral("tblJobs"), QStringLiteral("lngJobID"),
                           QStringLiteral("strJobName"), QStringLiteral("1"), false);
        QCOMPARE(combo.count(), 0);
        combo.addItem(QStringLiteral("stale"));
        QFile::remove(db.file());
        FillComboFromTable(&combo, QStringLiteral("tblJobs"), QStringLiteral("lngJobID"),
                           QStringLiteral("strJobName"), QStringLiteral("1"), false);
        QCOMPARE(combo.count(), 0);
        QVERIFY(!QFile::exists(db.file()));
        QCOMPARE(p.count(), 0);
    }

    void busyPointer()
    {
        SetBusyPointer(true);
        SetBusyPointer(true);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        SetBusyPointer(false);
        QVERIFY(!QGuiApplication::overrideCursor());
        SetBusyPointer(false);
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

TAMBERLOCK_TEST_MAIN(ComboFillTest)
#include "tst_ComboFill.moc"
