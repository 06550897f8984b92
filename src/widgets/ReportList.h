#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QList>
#include <QTableView>

class ReportModel;

// A list in report view, as the main window and the payments window show
// them: a row text (the record number) in the first column, further cells as
// texts, one small icon per row from the list's image list, sorting by one
// column's text in either direction, no editing in place.
//
// Rows are appended without resetting the model: new rows are announced to
// the view in one batch at the next turn of the event loop (or as soon as
// the view is asked about them), so lists of 100 000 rows load quickly.
class ReportList : public QTableView
{
    Q_OBJECT

public:
    struct Column {
        QString caption;
        double widthTwips = 0; // 15 twips make a pixel
        Qt::Alignment alignment = Qt::AlignLeft;
        // A cell text of the widest usual form (a date, a phone number). The
        // widths in twips were made for a small classic font; where that text
        // does not fit the column in the list's font, the column is widened
        // so that it does.
        QString fitText = {};
    };

    // The starting width of a column in pixels.
    int columnPixels(const Column &column) const;

    explicit ReportList(QWidget *parent = nullptr);
    ~ReportList() override;

    // Removes all columns and rows and sets the columns given.
    void setColumns(const QList<Column> &columns);
    int columnCount() const;
    QString columnCaption(int column) const;
    Qt::Alignment columnAlignment(int column) const;

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

    // A row's identity that survives sorting: its position in the order the
    // rows were added (0-based), and back.
    int rowId(int row) const;
    int rowOfId(int id) const;
    // Goes up on every clear, so callers can tell whether something they
    // keep per row id still belongs to the current rows.
    quint64 generation() const;

    // The selected row in the current order, -1 without one.
    int selectedRow() const;
    void selectRow(int row);
    void scrollToRow(int row);
    // The rectangle of a row in viewport coordinates.
    QRect rowRect(int row) const;

    // Many cell changes announced to the view as one.
    void beginUpdate();
    void endUpdate();

    // Announces rows added so far to the view now.
    void flushRows() const;

    // Sorting by the text of one column (case-insensitive, stable), either
    // direction. The selected row stays selected wherever it moves.
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
    void scheduleFlush();

    ReportModel *m_model;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    mutable bool m_selectFirst = false;
    bool m_flushScheduled = false;
    mutable QElapsedTimer m_sinceFlush;
};
