#include "widgets/ReportModel.h"

#include "data/RegionalFormats.h"

#include <algorithm>

ReportModel::ReportModel(QObject *parent) : QAbstractTableModel(parent)
{
    // Cells are made from the typed rows when painted, so new formats need
    // only a repaint of what the view was told of, never a reload.
    connect(Formats::notifier(), &FormatsNotifier::changed, this, [this] {
        if (m_announced > 0 && !m_columns.isEmpty())
            emit dataChanged(index(0, 0), index(m_announced - 1, int(m_columns.size()) - 1),
                             {Qt::DisplayRole});
    });
}

void ReportModel::setColumns(const QList<ReportColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    clearStored();
    m_order.clear();
    m_position.clear();
    m_announced = 0;
    endResetModel();
}

void ReportModel::setImages(const QList<QIcon> &images)
{
    m_images = images;
    if (m_announced > 0)
        emit dataChanged(index(0, 0), index(m_announced - 1, 0), {Qt::DecorationRole});
}

void ReportModel::clearRows()
{
    setColumns(m_columns);
}

QString ReportModel::text(int row, int column) const
{
    return validRow(row) ? cellText(idOf(row), column) : QString();
}

int ReportModel::icon(int row) const
{
    return validRow(row) ? cellIcon(idOf(row)) : 0;
}

int ReportModel::rowOfId(int id) const
{
    if (m_position.size() != m_order.size())
        rebuildPositions();
    if (id < 0 || id >= int(m_position.size()))
        return -1;
    return m_position[size_t(id)];
}

void ReportModel::rebuildPositions() const
{
    m_position.assign(m_order.size(), 0);
    for (size_t i = 0; i < m_order.size(); ++i)
        m_position[size_t(m_order[i])] = int(i);
}

int ReportModel::stored()
{
    const int id = int(m_order.size());
    m_order.push_back(id);
    emit rowsStored(id == 0);
    return id;
}

bool ReportModel::flush()
{
    const int total = storedRows();
    if (total <= m_announced)
        return false;
    beginInsertRows({}, m_announced, total - 1);
    m_announced = total;
    endInsertRows();
    return true;
}

void ReportModel::cellsChanged(int id, int firstColumn, int lastColumn, int role)
{
    const int row = rowOfId(id);
    if (row < 0 || row >= m_announced)
        return;
    emit dataChanged(index(row, firstColumn), index(row, lastColumn), {role});
}

QString ReportModel::valueKey(std::optional<qint64> value)
{
    // The sign bit flipped makes the unsigned order the signed one.
    if (!value)
        return QString();
    return QStringLiteral("%1").arg(quint64(*value) ^ (quint64(1) << 63), 16, 16, QLatin1Char('0'));
}

void ReportModel::sortBy(int column, Qt::SortOrder order)
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

    // Made and folded once per row, not once per comparison.
    std::vector<QString> keys(m_order.size());
    for (size_t id = 0; id < keys.size(); ++id)
        keys[id] = sortKey(int(id), column);
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

int ReportModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_announced;
}

int ReportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ReportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_announced)
        return {};
    switch (role) {
    case Qt::DisplayRole: return cellText(idOf(index.row()), index.column());
    case Qt::DecorationRole: {
        if (index.column() != 0)
            return {};
        const int image = cellIcon(idOf(index.row()));
        return image > 0 && image <= m_images.size() ? QVariant(m_images.at(image - 1)) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns.at(index.column()).alignment | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole) {
        const QString &caption = m_columns.at(section).caption;
        // A caption that names the dollar ("$Rate/Hr") names the user's own
        // currency under formats of their choosing.
        if (caption.startsWith(u'$') && !Formats::currentIsDefault())
            return Formats::current().symbol + caption.mid(1);
        return caption;
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns.at(section).alignment | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags ReportModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
