#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>

#include <optional>
#include <vector>

// One column of a report list.
struct ReportColumn {
    QString caption;
    double widthTwips = 0; // 15 twips make a pixel
    Qt::Alignment alignment = Qt::AlignLeft;
    // A cell text of the widest usual form (a date, a phone number). The
    // widths in twips were made for a small classic font; where that text does
    // not fit the column in the list's font, the column is widened so that it
    // does.
    QString fitText = {};
};

// The rows of a report list. A subclass keeps its rows in the order they
// were added, each under its id (its index in that order), and makes a cell's
// text from them when the view asks. This class keeps the display order:
// sorting permutes it, so a row's id never changes. Rows added are announced
// to the view in batches (flush), not one by one.
class ReportModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ReportModel(QObject *parent = nullptr);

    void setColumns(const QList<ReportColumn> &columns);
    const QList<ReportColumn> &columns() const { return m_columns; }
    // The image list; row icons are 1-based indexes into it, 0 for none.
    void setImages(const QList<QIcon> &images);

    void clearRows();
    int storedRows() const { return int(m_order.size()); }
    bool validRow(int row) const { return row >= 0 && row < storedRows(); }
    // By display position (0-based), stored or announced.
    QString text(int row, int column) const;
    int icon(int row) const;
    int idOf(int row) const { return m_order[size_t(row)]; }
    int rowOfId(int id) const;

    // Announces the rows stored since the last announcement; false when there
    // were none.
    bool flush();
    // Stable, by the case-folded text of one column.
    void sortBy(int column, Qt::SortOrder order);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // Rows were stored (not yet announced); wasEmpty when they are the first.
    void rowsStored(bool wasEmpty);

protected:
    virtual QString cellText(int id, int column) const = 0;
    // What a column sorts by: its folded text, or a key that orders by value
    // (valueKey) for the money and date columns under formats of the
    // user's choosing, whose texts do not sort as their values do.
    virtual QString sortKey(int id, int column) const { return cellText(id, column).toCaseFolded(); }
    // A key that sorts as the value; no value sorts first.
    static QString valueKey(std::optional<qint64> value);
    virtual int cellIcon(int id) const = 0;
    virtual void clearStored() = 0;

    // The subclass stored one more row; returns its id.
    int stored();
    // Room for as many rows, made once before a long list fills.
    void reserveOrder(size_t rows) { m_order.reserve(rows); }
    // Cells of a stored row changed: the view hears of announced ones only,
    // and repaints just those cells.
    void cellsChanged(int id, int firstColumn, int lastColumn, int role = Qt::DisplayRole);

private:
    void rebuildPositions() const;

    QList<ReportColumn> m_columns;
    QList<QIcon> m_images;
    std::vector<int> m_order;            // display position -> id
    mutable std::vector<int> m_position; // id -> display position, after a sort
    int m_announced = 0;
};
