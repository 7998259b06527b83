#include "griddatamodel.h"

#include "data/displayformat.h"
#include "data/tdmdata.h"
#include "platform/showmess.h"
#include "textranker.h"

#include <QDateTime>
#include <QSqlQuery>

#include <algorithm>

GridDataModel::GridDataModel(QObject *parent) : QAbstractTableModel(parent)
{
    connect(this, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &tl, const QModelIndex &br) { invalidateSums(tl.column(), br.column()); });
    connect(this, &QAbstractItemModel::rowsInserted, this, [this] { invalidateSums(); });
    connect(this, &QAbstractItemModel::rowsRemoved, this, [this] { invalidateSums(); });
    connect(this, &QAbstractItemModel::modelReset, this, [this] { invalidateSums(); });
}

void GridDataModel::setFieldNames(const QStringList &fields)
{
    m_fields = fields;
    m_fieldIndex.clear();
    for (int i = fields.size() - 1; i >= 0; --i)
        m_fieldIndex.insert(fields.at(i).toLower(), i);
    m_sums = QVector<double>(fields.size(), 0.0);
    m_sumValid = QVector<bool>(fields.size(), false);
}

int GridDataModel::fieldIndex(const QString &name) const
{
    return m_fieldIndex.value(name.toLower(), -1);
}

QVariant GridDataModel::value(int row, const QString &field) const
{
    const int c = fieldIndex(field);
    return c < 0 ? QVariant() : value(row, c);
}

double GridDataModel::number(int row, int column, bool *ok) const
{
    const QVariant v = value(row, column);
    if (v.isNull()) {
        *ok = false;
        return 0;
    }
    switch (v.typeId()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime:
    case QMetaType::QTime:
        *ok = false;
        return 0;
    default:
        break;
    }
    return v.toDouble(ok);
}

bool GridDataModel::isNumericColumn(int column) const
{
    const int n = std::min(rowCount(), 50);
    for (int r = 0; r < n; ++r) {
        const QVariant v = value(r, column);
        if (v.isNull())
            continue;
        switch (v.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return true;
        default:
            return false;
        }
    }
    return false;
}

double GridDataModel::columnSum(int column) const
{
    if (column < 0 || column >= m_fields.size())
        return 0;
    if (!m_sumValid.at(column)) {
        double s = 0;
        const int n = rowCount();
        for (int r = 0; r < n; ++r) {
            bool ok = false;
            const double d = number(r, column, &ok);
            if (ok)
                s += d;
        }
        m_sums[column] = s;
        m_sumValid[column] = true;
    }
    return m_sums.at(column);
}

void GridDataModel::invalidateSums(int first, int last)
{
    if (last < 0)
        last = m_sumValid.size() - 1;
    for (int c = std::max(0, first); c <= last && c < m_sumValid.size(); ++c)
        m_sumValid[c] = false;
}

quint8 GridDataModel::classify(const QVariant &v, double *key)
{
    *key = 0;
    if (v.isNull())
        return SortEmpty;
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        *key = v.toDouble();
        return SortNumber;
    case QMetaType::QDate:
        *key = double(v.toDate().toJulianDay()) * 86400000.0;
        return SortDate;
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        *key = double(dt.date().toJulianDay()) * 86400000.0 + dt.time().msecsSinceStartOfDay();
        return SortDate;
    }
    case QMetaType::QString:
        return SortText;
    default:
        return SortOther;
    }
}

void GridDataModel::sortKeys(int column, QVector<SortEntry> *entries) const
{
    const int n = rowCount();
    entries->resize(n);
    TextRanker ranker;
    QVector<int> textIds(n, -1);
    QVector<QString> texts(n); // the ranker keeps views of these
    for (int r = 0; r < n; ++r) {
        const QVariant v = value(r, column);
        SortEntry &e = (*entries)[r];
        e.row = r;
        e.kind = classify(v, &e.key);
        if (e.kind == SortText || e.kind == SortOther) {
            e.kind = SortText;
            texts[r] = v.toString();
            textIds[r] = ranker.add(texts.at(r));
        }
    }
    if (ranker.distinctCount() == 0)
        return;
    const QVector<int> ranks = ranker.ranks();
    for (int r = 0; r < n; ++r)
        if (textIds.at(r) >= 0)
            (*entries)[r].key = ranks.at(textIds.at(r));
}

QVector<int> GridDataModel::sortedRows(int column, Qt::SortOrder order) const
{
    QVector<SortEntry> entries;
    sortKeys(column, &entries);
    auto less = [](const SortEntry &a, const SortEntry &b) {
        if (a.kind != b.kind)
            return a.kind < b.kind;
        return a.key < b.key;
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(entries.begin(), entries.end(), less);
    else
        std::stable_sort(entries.begin(), entries.end(), [&](const SortEntry &a, const SortEntry &b) { return less(b, a); });
    QVector<int> rows(entries.size());
    for (int i = 0; i < entries.size(); ++i)
        rows[i] = entries.at(i).row;
    return rows;
}

int GridDataModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_fields.size();
}

QVariant GridDataModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return DisplayFormat::formatValue(value(index.row(), index.column()), QString());
    case Qt::EditRole:
        return value(index.row(), index.column());
    default:
        return QVariant();
    }
}

QVariant GridDataModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && (role == Qt::DisplayRole || role == Qt::EditRole))
        return m_fields.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool GridDataModel::load(TdmData &dm, const QString &select, const SqlParams &params)
{
    QString error;
    bool ok = dm.connected();
    QSqlQuery q(dm.db());
    if (ok) {
        q.setForwardOnly(true);
        ok = Sql::execute(q, select, params, &error);
    }
    if (!ok) {
        qWarning("SQL: %s\n  in: %s", qPrintable(error), qPrintable(select));
        ShowMess(TdmData::MsgOpenFailed, MessError);
        return false;
    }
    loadFrom(q);
    return true;
}
