#include "widgets/ReportList.h"

#include "widgets/Twips.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>
#include <vector>

// Rows are kept in the order they were added; sorting permutes a separate
// display order, so a row's id (its storage index) never changes.
class ReportModel : public QAbstractTableModel
{
public:
    struct Row {
        QList<QString> cells;
        int icon = 0;
    };

    explicit ReportModel(QObject *parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_announced; }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_columns.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_announced)
            return {};
        const Row &r = m_rows[size_t(m_order[size_t(index.row())])];
        switch (role) {
        case Qt::DisplayRole: return index.column() < r.cells.size() ? r.cells.at(index.column()) : QString();
        case Qt::DecorationRole:
            if (index.column() == 0 && r.icon > 0 && r.icon <= m_images.size())
                return m_images.at(r.icon - 1);
            return {};
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(m_columns.at(index.column()).alignment | Qt::AlignVCenter);
        default: return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
            return {};
        if (role == Qt::DisplayRole)
            return m_columns.at(section).caption;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(m_columns.at(section).alignment | Qt::AlignVCenter);
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

    void setColumns(const QList<ReportList::Column> &columns)
    {
        beginResetModel();
        m_columns = columns;
        clearStorage();
        endResetModel();
    }

    void clearRows()
    {
        beginResetModel();
        clearStorage();
        endResetModel();
    }

    int addRow(const QString &text, int icon)
    {
        Row r;
        r.cells.resize(qMax<qsizetype>(1, m_columns.size()));
        r.cells[0] = text;
        r.icon = icon;
        m_rows.push_back(std::move(r));
        m_order.push_back(int(m_rows.size() - 1));
        return int(m_order.size() - 1);
    }

    // Announces the rows added since the last announcement.
    bool flush()
    {
        const int total = int(m_order.size());
        if (total <= m_announced)
            return false;
        beginInsertRows({}, m_announced, total - 1);
        m_announced = total;
        endInsertRows();
        return true;
    }

    int totalRows() const { return int(m_order.size()); }
    bool validRow(int row) const { return row >= 0 && row < int(m_order.size()); }
    Row &rowAt(int row) { return m_rows[size_t(m_order[size_t(row)])]; }
    const Row &rowAt(int row) const { return m_rows[size_t(m_order[size_t(row)])]; }
    int idOf(int row) const { return m_order[size_t(row)]; }
    int rowOfId(int id) const
    {
        if (id < 0 || id >= int(m_position.size()))
            return -1;
        return m_position[size_t(id)];
    }
    bool announced(int row) const { return row < m_announced; }

    void noteChanged(int row, int column)
    {
        if (m_batchDepth > 0) {
            m_dirtyTop = qMin(m_dirtyTop, row);
            m_dirtyBottom = qMax(m_dirtyBottom, row);
            m_dirtyLeft = qMin(m_dirtyLeft, column);
            m_dirtyRight = qMax(m_dirtyRight, column);
            return;
        }
        const QModelIndex i = index(row, column);
        emit dataChanged(i, i);
    }

    void beginBatch()
    {
        if (m_batchDepth++ == 0) {
            m_dirtyTop = m_dirtyLeft = INT_MAX;
            m_dirtyBottom = m_dirtyRight = -1;
        }
    }

    void endBatch()
    {
        if (m_batchDepth == 0 || --m_batchDepth > 0)
            return;
        if (m_dirtyBottom >= 0)
            emit dataChanged(index(m_dirtyTop, m_dirtyLeft), index(m_dirtyBottom, m_dirtyRight));
    }

    void sortBy(int column, Qt::SortOrder order)
    {
        flush();
        if (column < 0 || column >= m_columns.size() || m_order.size() < 2)
            return;
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const QModelIndexList before = persistentIndexList();
        std::vector<int> ids;
        ids.reserve(size_t(before.size()));
        for (const QModelIndex &i : before)
            ids.push_back(m_order[size_t(i.row())]);

        // Folded once per row, not once per comparison.
        std::vector<QString> keys(m_rows.size());
        for (size_t i = 0; i < m_rows.size(); ++i)
            keys[i] = m_rows[i].cells.value(column).toCaseFolded();
        if (order == Qt::AscendingOrder)
            std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) { return keys[a] < keys[b]; });
        else
            std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) { return keys[b] < keys[a]; });
        rebuildPositions();

        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            after.append(index(m_position[size_t(ids[size_t(i)])], before.at(i).column()));
        changePersistentIndexList(before, after);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

    void setImages(const QList<QIcon> &images)
    {
        m_images = images;
        if (m_announced > 0)
            emit dataChanged(index(0, 0), index(m_announced - 1, 0), {Qt::DecorationRole});
    }

    const QList<ReportList::Column> &columns() const { return m_columns; }
    quint64 generation() const { return m_generation; }

private:
    void clearStorage()
    {
        m_rows.clear();
        m_order.clear();
        m_position.clear();
        m_announced = 0;
        ++m_generation;
    }

    void rebuildPositions()
    {
        m_position.assign(m_order.size(), 0);
        for (size_t i = 0; i < m_order.size(); ++i)
            m_position[size_t(m_order[i])] = int(i);
    }

public:
    // Positions are only needed after a sort; until then id == row.
    void ensurePositions()
    {
        if (m_position.size() != m_order.size())
            rebuildPositions();
    }

private:
    QList<ReportList::Column> m_columns;
    QList<QIcon> m_images;
    std::vector<Row> m_rows;
    std::vector<int> m_order;    // display position -> id
    std::vector<int> m_position; // id -> display position
    int m_announced = 0;
    int m_batchDepth = 0;
    int m_dirtyTop = 0, m_dirtyBottom = -1, m_dirtyLeft = 0, m_dirtyRight = -1;
    quint64 m_generation = 0;
};

ReportList::ReportList(QWidget *parent) : QTableView(parent), m_model(new ReportModel(this))
{
    setModel(m_model);
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
    return m_model->totalRows();
}

int ReportList::addRow(const QString &text, int icon)
{
    if (m_model->totalRows() == 0)
        m_selectFirst = true;
    const int row = m_model->addRow(text, icon);
    scheduleFlush();
    return row;
}

void ReportList::setCell(int row, int column, const QString &text)
{
    if (!m_model->validRow(row) || column < 0 || column >= columnCount())
        return;
    ReportModel::Row &r = m_model->rowAt(row);
    if (r.cells.size() <= column)
        r.cells.resize(column + 1);
    if (r.cells.at(column) == text)
        return;
    r.cells[column] = text;
    if (m_model->announced(row))
        m_model->noteChanged(row, column);
}

QString ReportList::cell(int row, int column) const
{
    if (!m_model->validRow(row))
        return {};
    return m_model->rowAt(row).cells.value(column);
}

void ReportList::setRowIcon(int row, int icon)
{
    if (!m_model->validRow(row))
        return;
    ReportModel::Row &r = m_model->rowAt(row);
    if (r.icon == icon)
        return;
    r.icon = icon;
    if (m_model->announced(row))
        m_model->noteChanged(row, 0);
}

int ReportList::rowIcon(int row) const
{
    return m_model->validRow(row) ? m_model->rowAt(row).icon : 0;
}

int ReportList::rowId(int row) const
{
    return m_model->validRow(row) ? m_model->idOf(row) : -1;
}

int ReportList::rowOfId(int id) const
{
    m_model->ensurePositions();
    return m_model->rowOfId(id);
}

quint64 ReportList::generation() const
{
    return m_model->generation();
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

void ReportList::beginUpdate()
{
    m_model->beginBatch();
}

void ReportList::endUpdate()
{
    m_model->endBatch();
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
