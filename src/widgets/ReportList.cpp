#include "widgets/ReportList.h"

#include "widgets/Twips.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>
#include <vector>

ReportList::ReportList(ReportModel *model, QWidget *parent) : QTableView(parent), m_model(model)
{
    if (!m_model->parent())
        m_model->setParent(this);
    setModel(m_model);
    connect(m_model, &ReportModel::rowsStored, this, [this](bool wasEmpty) {
        if (wasEmpty)
            m_selectFirst = true;
        scheduleFlush();
    });
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setIconSize(QSize(16, 16));
    setTextElideMode(Qt::ElideRight);

    verticalHeader()->hide();
    // Fixed row heights keep a list of 100 000 rows cheap to lay out.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(qMax(18, fontMetrics().height() + 4));

    QHeaderView *h = horizontalHeader();
    h->setSectionsClickable(true);
    h->setHighlightSections(false);
    h->setStretchLastSection(false);
    h->setMinimumSectionSize(0);
    h->setSectionResizeMode(QHeaderView::Interactive);
    h->setSortIndicatorShown(false);
    connect(h, &QHeaderView::sectionClicked, this, &ReportList::sortByClickedColumn);
    connect(h, &QHeaderView::sectionClicked, this, &ReportList::columnClicked);
}

ReportList::~ReportList() = default;

int ReportList::columnPixels(const Column &column) const
{
    const int pixels = Twips::toPixels(qRound(column.widthTwips));
    if (column.fitText.isEmpty())
        return pixels;
    // Room for the cell's margins and the sort arrow of the header.
    const int needed = fontMetrics().horizontalAdvance(column.fitText) + 14;
    return qMax(pixels, needed);
}

void ReportList::setColumns(const QList<Column> &columns)
{
    m_model->setColumns(columns);
    m_selectFirst = false;
    QHeaderView *h = horizontalHeader();
    for (int i = 0; i < columns.size(); ++i) {
        // Whole twips first, as a list sized in whole units does.
        h->resizeSection(i, columnPixels(columns.at(i)));
        h->setSectionResizeMode(i, QHeaderView::Interactive);
    }
}

int ReportList::columnCount() const
{
    return int(m_model->columns().size());
}

QString ReportList::columnCaption(int column) const
{
    return m_model->columns().value(column).caption;
}

Qt::Alignment ReportList::columnAlignment(int column) const
{
    return m_model->columns().value(column).alignment;
}

void ReportList::setImages(const QList<QIcon> &images)
{
    m_model->setImages(images);
}

void ReportList::clearRows()
{
    m_model->clearRows();
    m_selectFirst = false;
}

int ReportList::rowCount() const
{
    return m_model->storedRows();
}

QString ReportList::cell(int row, int column) const
{
    return m_model->text(row, column);
}

int ReportList::rowIcon(int row) const
{
    return m_model->icon(row);
}

int ReportList::rowId(int row) const
{
    return m_model->validRow(row) ? m_model->idOf(row) : -1;
}

int ReportList::rowOfId(int id) const
{
    return m_model->rowOfId(id);
}

int ReportList::selectedRow() const
{
    flushRows();
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ReportList::selectRow(int row)
{
    flushRows();
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex i = m_model->index(row, 0);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ReportList::scrollToRow(int row)
{
    flushRows();
    if (row >= 0 && row < m_model->rowCount())
        scrollTo(m_model->index(row, 0));
}

QRect ReportList::rowRect(int row) const
{
    flushRows();
    if (row < 0 || row >= m_model->rowCount())
        return {};
    QRect r = visualRect(m_model->index(row, 0));
    for (int c = 1; c < columnCount(); ++c)
        r = r.united(visualRect(m_model->index(row, c)));
    return r;
}

void ReportList::flushRows() const
{
    if (m_model->flush())
        m_sinceFlush.start();
    if (m_selectFirst) {
        m_selectFirst = false;
        if (m_model->rowCount() > 0)
            selectionModel()->setCurrentIndex(m_model->index(0, 0), QItemSelectionModel::ClearAndSelect |
                                                                        QItemSelectionModel::Rows);
    }
}

void ReportList::scheduleFlush()
{
    if (m_flushScheduled)
        return;
    m_flushScheduled = true;
    // While a long load keeps adding rows, the view hears of them a few
    // times a second rather than at every pause of the load.
    constexpr qint64 kInterval = 50;
    const qint64 since = m_sinceFlush.isValid() ? m_sinceFlush.elapsed() : kInterval;
    QTimer::singleShot(int(qMax<qint64>(0, kInterval - since)), this, [this] {
        m_flushScheduled = false;
        flushRows();
    });
}

void ReportList::sortRows()
{
    flushRows();
    m_model->sortBy(m_sortColumn, m_sortOrder);
    emit rowsSorted();
}

void ReportList::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                             const QList<int> &roles)
{
    // The view itself would repaint the whole viewport for a change of more
    // than one cell; the live watch changes a few cells of a long list every
    // second.
    if (!topLeft.isValid() || !bottomRight.isValid() || !isVisible())
        return;
    const QRect changed = visualRect(topLeft).united(visualRect(bottomRight));
    const QRect shown = changed.intersected(viewport()->rect());
    if (!shown.isEmpty())
        viewport()->update(shown);
    Q_UNUSED(roles);
}

void ReportList::sortByClickedColumn(int column)
{
    if (column == m_sortColumn)
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_sortColumn = column;
    sortRows();
}

void ReportList::mouseReleaseEvent(QMouseEvent *event)
{
    flushRows();
    QTableView::mouseReleaseEvent(event);
    emit mouseReleased(event->button(), event->globalPosition().toPoint());
}

void ReportList::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit rowDoubleClicked();
}
