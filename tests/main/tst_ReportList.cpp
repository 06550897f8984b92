#include "common/WidgetTestSupport.h"
#include "widgets/ReportList.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>

// The plainest rows: a text per cell, set by the test.
class TextModel : public ReportModel
{
public:
    using ReportModel::ReportModel;
    int addRow(const QString &text, int icon)
    {
        m_rows.push_back({{text}, icon});
        return rowOfId(stored());
    }
    void setCell(int row, int column, const QString &text)
    {
        QStringList &cells = m_rows[size_t(idOf(row))].cells;
        while (cells.size() <= column)
            cells.append(QString());
        if (cells[column] == text)
            return;
        cells[column] = text;
        cellsChanged(idOf(row), column, column);
    }
    void setRowIcon(int row, int icon)
    {
        m_rows[size_t(idOf(row))].icon = icon;
        cellsChanged(idOf(row), 0, 0, Qt::DecorationRole);
    }

protected:
    QString cellText(int id, int column) const override { return m_rows[size_t(id)].cells.value(column); }
    int cellIcon(int id) const override { return m_rows[size_t(id)].icon; }
    void clearStored() override { m_rows.clear(); }

private:
    struct Row {
        QStringList cells;
        int icon;
    };
    std::vector<Row> m_rows;
};

// A list over its own text model, as the tests drive it.
class TextList : public ReportList
{
public:
    TextList() : ReportList(new TextModel) {}
    TextModel &rows() const { return *static_cast<TextModel *>(model()); }
    int addRow(const QString &text, int icon) { return rows().addRow(text, icon); }
    void setCell(int row, int column, const QString &text) { rows().setCell(row, column, text); }
    void setRowIcon(int row, int icon) { rows().setRowIcon(row, icon); }
};

class ReportListTest : public QObject
{
    Q_OBJECT

    static QList<ReportList::Column> threeColumns()
    {
        return {{QStringLiteral("Id"), 285, Qt::AlignLeft},
                {QStringLiteral("Name"), 2009.764, Qt::AlignLeft},
                {QStringLiteral("Amount"), 1075.024, Qt::AlignRight}};
    }

private slots:
    void columnWidthsComeFromTwips_data()
    {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("285") << 285.0 << 19;
        QTest::newRow("2009.764 rounds to 2010") << 2009.764 << 134;
        QTest::newRow("1075.024 rounds to 1075") << 1075.024 << 72;
        QTest::newRow("1319.811 rounds to 1320") << 1319.811 << 88;
        QTest::newRow("one twip is hidden") << 1.0 << 0;
    }
    void columnWidthsComeFromTwips()
    {
        QFETCH(double, twips);
        QFETCH(int, pixels);
        TextList list;
        list.setColumns(
            {{QStringLiteral("A"), twips, Qt::AlignLeft}, {QStringLiteral("B"), 300, Qt::AlignLeft}});
        QCOMPARE(list.horizontalHeader()->sectionSize(0), pixels);
    }

    void aColumnWidensToShowItsWidestUsualText()
    {
        TextList list;
        const QString date = QStringLiteral("12/31/2026 12:59:59 PM");
        list.setColumns({{QStringLiteral("Narrow"), 300, Qt::AlignLeft, date},
                         {QStringLiteral("Wide"), 9000, Qt::AlignLeft, date}});
        QVERIFY(list.horizontalHeader()->sectionSize(0) > list.fontMetrics().horizontalAdvance(date));
        QCOMPARE(list.horizontalHeader()->sectionSize(1), 600);
    }

    void columnsCarryCaptionAndAlignment()
    {
        TextList list;
        list.setColumns(threeColumns());
        QCOMPARE(list.columnCount(), 3);
        QCOMPARE(list.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Amount"));
        list.addRow(QStringLiteral("1"), 0);
        list.flushRows();
        const auto align = list.model()->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        QVERIFY(align & Qt::AlignRight);
        const auto left = list.model()->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        QVERIFY(left & Qt::AlignLeft);
    }

    void cellsAreNotEditable()
    {
        TextList list;
        list.setColumns(threeColumns());
        list.addRow(QStringLiteral("1"), 0);
        list.flushRows();
        QVERIFY(!(list.model()->flags(list.model()->index(0, 1)) & Qt::ItemIsEditable));
        QCOMPARE(list.editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(list.selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(list.selectionBehavior(), QAbstractItemView::SelectRows);
    }

    void firstRowAddedBecomesSelected()
    {
        TextList list;
        list.setColumns(threeColumns());
        QCOMPARE(list.selectedRow(), -1);
        list.addRow(QStringLiteral("7"), 0);
        list.addRow(QStringLiteral("8"), 0);
        QCOMPARE(list.selectedRow(), 0);
        list.selectRow(1);
        list.addRow(QStringLiteral("9"), 0);
        QCOMPARE(list.selectedRow(), 1);
        list.clearRows();
        QCOMPARE(list.selectedRow(), -1);
        list.addRow(QStringLiteral("3"), 0);
        QCOMPARE(list.selectedRow(), 0);
    }

    void rowsAreAnnouncedInBatchesWithoutResets()
    {
        TextList list;
        list.setColumns(threeColumns());
        QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy reset(list.model(), &QAbstractItemModel::modelReset);
        for (int i = 0; i < 100000; ++i) {
            const int row = list.addRow(QString::number(i), 1);
            list.setCell(row, 1, QStringLiteral("Name %1").arg(i));
        }
        QCOMPARE(list.rowCount(), 100000);
        QCOMPARE(list.cell(99999, 1), QStringLiteral("Name 99999"));
        QCoreApplication::processEvents();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(reset.count(), 0);
        QCOMPARE(list.model()->rowCount(), 100000);
    }

    void sortsByTextCaseInsensitiveAndStable()
    {
        TextList list;
        list.setColumns(threeColumns());
        const QStringList names = {QStringLiteral("beta"), QStringLiteral("Alpha"), QStringLiteral("alpha"),
                                   QStringLiteral("Gamma")};
        for (int i = 0; i < names.size(); ++i)
            list.setCell(list.addRow(QString::number(i + 1), 0), 1, names.at(i));
        list.setSortColumnIndex(1);
        list.sortRows();
        QStringList ids;
        for (int r = 0; r < list.rowCount(); ++r)
            ids << list.rowText(r);
        // "Alpha" and "alpha" compare equal and keep their order.
        QCOMPARE(ids, QStringList({"2", "3", "1", "4"}));
        list.setSortDirection(Qt::DescendingOrder);
        list.sortRows();
        ids.clear();
        for (int r = 0; r < list.rowCount(); ++r)
            ids << list.rowText(r);
        QCOMPARE(ids, QStringList({"4", "1", "2", "3"}));
    }

    void numbersSortAsText()
    {
        TextList list;
        list.setColumns(threeColumns());
        list.addRow(QStringLiteral("9"), 0);
        list.addRow(QStringLiteral("10"), 0);
        list.sortRows();
        QCOMPARE(list.rowText(0), QStringLiteral("10"));
        QCOMPARE(list.rowText(1), QStringLiteral("9"));
    }

    void selectedRowFollowsItsRowWhenSorting()
    {
        TextList list;
        list.setColumns(threeColumns());
        for (const char *id : {"3", "1", "2"})
            list.addRow(QString::fromLatin1(id), 0);
        list.selectRow(0); // "3"
        list.sortRows();
        QCOMPARE(list.rowText(list.selectedRow()), QStringLiteral("3"));
        QCOMPARE(list.selectedRow(), 2);
    }

    void rowIdsSurviveSorting()
    {
        TextList list;
        list.setColumns(threeColumns());
        for (const char *id : {"b", "c", "a"})
            list.addRow(QString::fromLatin1(id), 0);
        list.sortRows();
        QCOMPARE(list.rowText(0), QStringLiteral("a"));
        QCOMPARE(list.rowId(0), 2);
        QCOMPARE(list.rowOfId(0), 1);
    }

    void iconsAreOneBasedIndexes()
    {
        TextList list;
        list.setColumns(threeColumns());
        QPixmap pm(16, 16);
        pm.fill(Qt::red);
        list.setImages({QIcon(pm), QIcon(pm)});
        list.addRow(QStringLiteral("1"), 2);
        list.addRow(QStringLiteral("2"), 0);
        list.flushRows();
        QCOMPARE(list.rowIcon(0), 2);
        QVERIFY(!list.model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(list.model()->index(1, 0).data(Qt::DecorationRole).isNull());
        list.setRowIcon(1, 1);
        QVERIFY(!list.model()->index(1, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    }

    void aChangedCellRepaintsThatCellOnly()
    {
        TextList list;
        list.setColumns(threeColumns());
        list.resize(300, 200);
        for (int i = 0; i < 50; ++i)
            list.addRow(QString::number(i), 0);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        struct PaintSpy : QObject {
            QRegion painted;
            bool eventFilter(QObject *, QEvent *e) override
            {
                if (e->type() == QEvent::Paint)
                    painted += static_cast<QPaintEvent *>(e)->region();
                return false;
            }
        } spy;
        list.viewport()->installEventFilter(&spy);
        QSignalSpy changed(list.model(), &QAbstractItemModel::dataChanged);
        list.setCell(1, 2, QStringLiteral("x"));
        list.setCell(40, 2, QStringLiteral("x")); // below the visible rows
        list.setCell(1, 2, QStringLiteral("x"));  // unchanged text: no notice
        QCOMPARE(changed.count(), 2);
        QTRY_VERIFY(!spy.painted.isEmpty());
        const QRect cell = list.visualRect(list.model()->index(1, 2));
        QCOMPARE(spy.painted.boundingRect(), cell);
        QCOMPARE(list.cell(1, 2), QStringLiteral("x"));
    }

    void releaseAndHeaderClickAreSignalled()
    {
        TextList list;
        list.setColumns(threeColumns());
        list.resize(300, 200);
        list.addRow(QStringLiteral("1"), 0);
        list.addRow(QStringLiteral("2"), 0);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy released(&list, &ReportList::mouseReleased);
        QSignalSpy header(&list, &ReportList::columnClicked);
        QSignalSpy doubled(&list, &ReportList::rowDoubleClicked);
        int selectedAtRelease = -1;
        connect(&list, &ReportList::mouseReleased, this, [&] { selectedAtRelease = list.selectedRow(); });
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.rowRect(1).center());
        QCOMPARE(released.count(), 1);
        QCOMPARE(released.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
        QCOMPARE(selectedAtRelease, 1);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.rowRect(0).center());
        QCOMPARE(doubled.count(), 1);
        QHeaderView *h = list.horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(1) + 5, 5));
        QCOMPARE(header.count(), 1);
        QCOMPARE(header.at(0).at(0).toInt(), 1);
    }
};

TAMBERLOCK_TEST_MAIN(ReportListTest)
#include "tst_ReportList.moc"
