#include "gridviewmodel.h"

#include "data/displayformat.h"
#include "griddatamodel.h"

#include <algorithm>

GridViewModel::GridViewModel(QObject *parent) : QAbstractTableModel(parent) {}

void GridViewModel::setSource(GridDataModel *source)
{
    beginResetModel();
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_source = source;
    m_order.clear();
    if (source) {
        m_connections << connect(source, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
        m_connections << connect(source, &QAbstractItemModel::modelReset, this, [this] {
            m_order.clear();
            remapFields();
            endResetModel();
            emit valuesChanged();
        });
        m_connections << connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this,
                                 &GridViewModel::onSourceRowsAboutToBeInserted);
        m_connections << connect(source, &QAbstractItemModel::rowsInserted, this, &GridViewModel::onSourceRowsInserted);
        m_connections << connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                                 &GridViewModel::onSourceRowsAboutToBeRemoved);
        m_connections << connect(source, &QAbstractItemModel::rowsRemoved, this, &GridViewModel::onSourceRowsRemoved);
        m_connections << connect(source, &QAbstractItemModel::dataChanged, this, &GridViewModel::onSourceDataChanged);
        m_connections << connect(source, &QAbstractItemModel::layoutAboutToBeChanged, this, [this] {
            beginResetModel();
        });
        m_connections << connect(source, &QAbstractItemModel::layoutChanged, this, [this] {
            m_order.clear();
            endResetModel();
            emit valuesChanged();
        });
    }
    remapFields();
    endResetModel();
    emit valuesChanged();
}

void GridViewModel::remapFields()
{
    m_sourceColumn.resize(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i)
        m_sourceColumn[i] = m_source ? m_source->fieldIndex(m_columns.at(i).fieldName) : -1;
}

void GridViewModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    remapFields();
    endResetModel();
    emit valuesChanged();
}

void GridViewModel::updateColumn(int column, const GridColumn &settings)
{
    if (column < 0 || column >= m_columns.size())
        return;
    const bool fieldChanged = m_columns.at(column).fieldName.compare(settings.fieldName, Qt::CaseInsensitive) != 0;
    m_columns[column] = settings;
    if (fieldChanged)
        remapFields();
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (rowCount() > 0)
        emit dataChanged(index(0, column), index(rowCount() - 1, column));
    emit valuesChanged();
}

void GridViewModel::moveColumn(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= m_columns.size() || to >= m_columns.size())
        return;
    beginResetModel();
    m_columns.move(from, to);
    remapFields();
    endResetModel();
    emit valuesChanged();
}

void GridViewModel::setColumnWidth(int column, int width)
{
    if (column >= 0 && column < m_columns.size())
        m_columns[column].width = width;
}

int GridViewModel::sourceColumn(int column) const
{
    return m_sourceColumn.value(column, -1);
}

int GridViewModel::sourceRow(int row) const
{
    if (m_order.isEmpty())
        return row;
    return m_order.value(row, -1);
}

int GridViewModel::viewRow(int sourceRow) const
{
    if (m_order.isEmpty())
        return sourceRow;
    const int i = int(m_order.indexOf(sourceRow));
    return i;
}

void GridViewModel::sortByColumn(int column, Qt::SortOrder order)
{
    if (!m_source)
        return;
    const int sc = sourceColumn(column);
    const QVector<int> newOrder = sc < 0 ? QVector<int>() : m_source->sortedRows(sc, order);
    if (sc < 0)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Keep the view's current cell and selection on the same source rows.
    const QModelIndexList before = persistentIndexList();
    QVector<int> sourceRows;
    sourceRows.reserve(before.size());
    for (const QModelIndex &i : before)
        sourceRows << sourceRow(i.row());
    m_order = newOrder;
    if (!before.isEmpty()) {
        QVector<int> inverse(m_order.size());
        for (int v = 0; v < m_order.size(); ++v)
            inverse[m_order.at(v)] = v;
        QModelIndexList after;
        after.reserve(before.size());
        for (int k = 0; k < before.size(); ++k) {
            const int s = sourceRows.at(k);
            after << (s >= 0 && s < inverse.size() ? index(inverse.at(s), before.at(k).column()) : QModelIndex());
        }
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void GridViewModel::clearSort()
{
    if (m_order.isEmpty())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex &i : before)
        after << index(sourceRow(i.row()), i.column());
    m_order.clear();
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void GridViewModel::onSourceRowsAboutToBeInserted(const QModelIndex &, int first, int last)
{
    const int count = last - first + 1;
    if (m_order.isEmpty()) {
        beginInsertRows(QModelIndex(), first, last);
        return;
    }
    // In a sorted view new rows appear where the row they are inserted before is shown, or at
    // the end.
    const int pos = first < m_order.size() ? viewRow(first) : int(m_order.size());
    beginInsertRows(QModelIndex(), pos, pos + count - 1);
}

void GridViewModel::onSourceRowsInserted(const QModelIndex &, int first, int last)
{
    const int count = last - first + 1;
    if (!m_order.isEmpty()) {
        const int pos = first < m_order.size() ? viewRow(first) : int(m_order.size());
        for (int &s : m_order)
            if (s >= first)
                s += count;
        for (int i = 0; i < count; ++i)
            m_order.insert(pos + i, first + i);
    }
    endInsertRows();
    emit valuesChanged();
}

void GridViewModel::onSourceRowsAboutToBeRemoved(const QModelIndex &, int first, int last)
{
    m_removingScattered = false;
    if (m_order.isEmpty()) {
        beginRemoveRows(QModelIndex(), first, last);
        return;
    }
    QVector<int> positions;
    for (int s = first; s <= last; ++s)
        positions << viewRow(s);
    std::sort(positions.begin(), positions.end());
    if (positions.last() - positions.first() == positions.size() - 1) {
        beginRemoveRows(QModelIndex(), positions.first(), positions.last());
    } else {
        m_removingScattered = true;
        beginResetModel();
    }
}

void GridViewModel::onSourceRowsRemoved(const QModelIndex &, int first, int last)
{
    const int count = last - first + 1;
    if (!m_order.isEmpty()) {
        QVector<int> kept;
        kept.reserve(m_order.size() - count);
        for (int s : std::as_const(m_order)) {
            if (s >= first && s <= last)
                continue;
            kept << (s > last ? s - count : s);
        }
        m_order = kept;
    }
    if (m_removingScattered) {
        m_removingScattered = false;
        endResetModel();
    } else {
        endRemoveRows();
    }
    emit valuesChanged();
}

void GridViewModel::onSourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    if (!topLeft.isValid() || m_columns.isEmpty())
        return;
    int top = topLeft.row();
    int bottom = bottomRight.row();
    if (!m_order.isEmpty()) {
        if (top == bottom) {
            top = bottom = viewRow(top);
        } else {
            top = 0;
            bottom = rowCount() - 1;
        }
    }
    if (top >= 0 && bottom >= top)
        emit dataChanged(index(top, 0), index(bottom, columnCount() - 1));
    emit valuesChanged();
}

Qt::Alignment GridViewModel::alignmentOf(GridColumn::Align a, int column) const
{
    switch (a) {
    case GridColumn::Align::Left:
        return Qt::AlignLeft;
    case GridColumn::Align::Center:
        return Qt::AlignHCenter;
    case GridColumn::Align::Right:
        return Qt::AlignRight;
    case GridColumn::Align::Default:
        break;
    }
    const int sc = sourceColumn(column);
    return m_source && sc >= 0 && m_source->isNumericColumn(sc) ? Qt::AlignRight : Qt::AlignLeft;
}

Qt::Alignment GridViewModel::cellAlignment(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return Qt::AlignLeft;
    return alignmentOf(m_columns.at(column).alignment, column);
}

Qt::Alignment GridViewModel::footerAlignment(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return Qt::AlignLeft;
    return alignmentOf(m_columns.at(column).footerAlignment, column);
}

QString GridViewModel::cellText(int row, int column) const
{
    const int sc = sourceColumn(column);
    const int sr = sourceRow(row);
    if (!m_source || sc < 0 || sr < 0)
        return QString();
    return DisplayFormat::formatValue(m_source->value(sr, sc), m_columns.at(column).displayFormat);
}

QString GridViewModel::footerText(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return QString();
    const GridColumn &c = m_columns.at(column);
    switch (c.footerType) {
    case GridColumn::FooterType::Text:
        return c.footerValue;
    case GridColumn::FooterType::Sum: {
        const int sc = sourceColumn(column);
        if (!m_source || sc < 0 || !m_source->isOpen())
            return QString();
        return DisplayFormat::formatNumber(m_source->columnSum(sc), c.footerFormat);
    }
    case GridColumn::FooterType::None:
        break;
    }
    return QString();
}

GridRowStyle GridViewModel::rowStyle(int row) const
{
    if (!m_rowStyle || !m_source)
        return {};
    const int sr = sourceRow(row);
    if (sr < 0)
        return {};
    return m_rowStyle(*m_source, sr);
}

int GridViewModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_source)
        return 0;
    return m_order.isEmpty() ? m_source->rowCount() : int(m_order.size());
}

int GridViewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridViewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_source || index.column() >= m_columns.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::EditRole: {
        const int sc = sourceColumn(index.column());
        return sc < 0 ? QVariant() : m_source->value(sourceRow(index.row()), sc);
    }
    case Qt::TextAlignmentRole:
        return int(cellAlignment(index.column()) | Qt::AlignVCenter);
    case Qt::ForegroundRole: {
        const QColor c = rowStyle(index.row()).text;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::BackgroundRole: {
        const QColor c = rowStyle(index.row()).background;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    default:
        return QVariant();
    }
}

bool GridViewModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !m_source || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int sc = sourceColumn(index.column());
    const int sr = sourceRow(index.row());
    if (sc < 0 || sr < 0)
        return false;
    return m_source->setData(m_source->index(sr, sc), value, Qt::EditRole);
}

Qt::ItemFlags GridViewModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int sc = sourceColumn(index.column());
    if (m_editable && m_source && sc >= 0 && !m_columns.at(index.column()).readOnly
        && (m_source->flags(m_source->index(sourceRow(index.row()), sc)) & Qt::ItemIsEditable))
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant GridViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const GridColumn &c = m_columns.at(section);
    switch (role) {
    case Qt::DisplayRole:
        return c.caption;
    case Qt::TextAlignmentRole:
        return int(c.titleAlignment | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        return c.fieldName;
    default:
        return QVariant();
    }
}
