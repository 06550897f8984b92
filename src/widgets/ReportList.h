#pragma once

#include "widgets/ReportModel.h"

#include <QElapsedTimer>
#include <QIcon>
#include <QList>
#include <QTableView>

// A list in report view, as the main window and the payments window show
// them: a row text (the record number) in the first column, further cells as
// texts, one small icon per row from the list's image list, sorting by one
// column's text in either direction, no editing in place.
//
// The rows live in the list's model. Rows it stores are announced to the
// view in one batch at the next turn of the event loop (or as soon as the
// view is asked about them), so lists of 100 000 rows load quickly.
class ReportList : public QTableView
{
    Q_OBJECT

public:
    using Column = ReportColumn;

    // The starting width of a column in pixels.
    int columnPixels(const Column &column) const;

    // The list shows the model given, and owns it when it has no parent.
    explicit ReportList(ReportModel *model, QWidget *parent = nullptr);
    ~ReportList() override;

    // Removes all columns and rows and sets the columns given.
    void setColumns(const QList<Column> &columns);
    int columnCount() const;
    QString columnCaption(int column) const;
    Qt::Alignment columnAlignment(int column) const;

    // The image list; row icons are 1-based indexes into it, 0 for none.
    void setImages(const QList<QIcon> &images);

    void clearRows();
    // The rows stored, announced to the view or not. The first row stored in
    // an empty list becomes the selected row.
    int rowCount() const;
    QString cell(int row, int column) const;
    QString rowText(int row) const { return cell(row, 0); }
    int rowIcon(int row) const;

    // A row's identity that survives sorting: its position in the order the
    // rows were added (0-based), and back.
    int rowId(int row) const;
    int rowOfId(int id) const;

    // The selected row in the current order, -1 without one.
    int selectedRow() const;
    void selectRow(int row);
    void scrollToRow(int row);
    // The rectangle of a row in viewport coordinates.
    QRect rowRect(int row) const;

    // Announces rows added so far to the view now.
    void flushRows() const;

    // Sorting by the text of one column (case-insensitive, stable), either
    // direction. The selected row stays selected wherever it moves.
    int sortColumnIndex() const { return m_sortColumn; }
    Qt::SortOrder sortDirection() const { return m_sortOrder; }
    void setSortColumnIndex(int column) { m_sortColumn = column; }
    void setSortDirection(Qt::SortOrder order) { m_sortOrder = order; }
    void sortRows();
    // What a click on a column header does: sort by that column; a second
    // click on the same column turns the direction.
    void sortByClickedColumn(int column);

signals:
    // A mouse button released over the list (after the selection changed).
    void mouseReleased(Qt::MouseButton button, const QPoint &globalPos);
    void columnClicked(int column);
    // The rows were sorted (after each load, and on a header click).
    void rowsSorted();
    void rowDoubleClicked();

protected:
    // Repaints the visible part of the changed cells only.
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void scheduleFlush();

    ReportModel *m_model;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    mutable bool m_selectFirst = false;
    bool m_flushScheduled = false;
    mutable QElapsedTimer m_sinceFlush;
};
