#pragma once

#include <QIcon>
#include <QList>
#include <QTreeView>

class ReportModel;

// A list in report view, as the main window and the payments window show
// them: a row text (the record number) in the first column, further cells as
// texts, one small icon per row from the list's image list, sorting by one
// column's text in either direction, no editing in place.
class ReportList : public QTreeView
{
    Q_OBJECT

public:
    struct Column {
        QString caption;
        double widthTwips = 0; // 15 twips make a pixel
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    explicit ReportList(QWidget *parent = nullptr);
    ~ReportList() override;

    // Removes all columns and rows and sets the columns given.
    void setColumns(const QList<Column> &columns);
    int columnCount() const;

    // The image list; row icons are 1-based indexes into it, 0 for none.
    void setImages(const QList<QIcon> &images);

    void clearRows();
    int rowCount() const;
    // Appends a row with its text (column 0) and icon; returns its index.
    // The first row added to an empty list becomes the selected row.
    int addRow(const QString &text, int icon);
    void setCell(int row, int column, const QString &text);
    QString cell(int row, int column) const;
    QString rowText(int row) const { return cell(row, 0); }
    void setRowIcon(int row, int icon);
    int rowIcon(int row) const;

    // The selected row in the current order, -1 without one.
    int selectedRow() const;
    void selectRow(int row);
    void scrollToRow(int row);

    // Sorting by the text of one column (case-insensitive), either direction.
    int sortColumnIndex() const { return m_sortColumn; }
    Qt::SortOrder sortDirection() const { return m_sortOrder; }
    void setSortColumnIndex(int column) { m_sortColumn = column; }
    void setSortDirection(Qt::SortOrder order) { m_sortOrder = order; }
    void sortRows();

signals:
    // A mouse button released over the list (after the selection changed).
    void mouseReleased(Qt::MouseButton button, const QPoint &globalPos);
    void columnClicked(int column);
    void rowDoubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    ReportModel *m_model;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
