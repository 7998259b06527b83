#include "gridlinemodel.h"

#include "data/dberror.h"
#include "data/tdmdata.h"
#include "platform/showmess.h"

#include <QRegularExpression>

#include <cmath>
#include <QSqlQuery>
#include <QSqlField>
#include <QSqlRecord>

GridLineModel::GridLineModel(QObject *parent) : GridDataModel(parent) {}


void GridLineModel::loadFrom(QSqlQuery &query)
{
    beginResetModel();
    const QSqlRecord rec = query.record();
    QStringList fields;
    m_types.clear();
    for (int i = 0; i < rec.count(); ++i) {
        fields << rec.fieldName(i);
        m_types << rec.field(i).metaType();
    }
    m_rows.clear();
    m_deleted.clear();
    m_newKeys.clear();
    while (query.next()) {
        Row r;
        r.values.resize(fields.size());
        for (int i = 0; i < fields.size(); ++i)
            r.values[i] = query.value(i);
        r.original = r.values;
        r.uid = m_nextUid++;
        m_rows.append(r);
    }
    setFieldNames(fields);
    m_accepted = m_rows;
    setOpen(true);
    endResetModel();
}

void GridLineModel::setFields(const QStringList &fields, const QList<QMetaType> &types)
{
    beginResetModel();
    m_types = types;
    m_rows.clear();
    m_deleted.clear();
    m_accepted.clear();
    m_newKeys.clear();
    setFieldNames(fields);
    setOpen(true);
    endResetModel();
}

void GridLineModel::close()
{
    beginResetModel();
    m_rows.clear();
    m_deleted.clear();
    m_accepted.clear();
    m_newKeys.clear();
    setFieldNames({});
    setOpen(false);
    endResetModel();
}

int GridLineModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant GridLineModel::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_rows.at(row).values.size())
        return QVariant();
    return m_rows.at(row).values.at(column);
}

bool GridLineModel::isNumericColumn(int column) const
{
    if (column >= 0 && column < m_types.size() && m_types.at(column).isValid()) {
        switch (m_types.at(column).id()) {
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return true;
        case QMetaType::QString:
        case QMetaType::QDate:
        case QMetaType::QDateTime:
            return false;
        default:
            break;
        }
    }
    return GridDataModel::isNumericColumn(column);
}

Qt::ItemFlags GridLineModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool GridLineModel::sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() != b.isNull())
        return false;
    if (a.isNull())
        return true;
    if (a.typeId() == b.typeId())
        return a == b;
    // A number typed as text equals the stored number.
    bool okA = false, okB = false;
    const double da = a.toDouble(&okA);
    const double db = b.toDouble(&okB);
    if (okA && okB)
        return da == db;
    return a.toString() == b.toString();
}

bool GridLineModel::convert(int column, const QVariant &in, QVariant *out) const
{
    *out = in;
    if (in.typeId() != QMetaType::QString || column >= m_types.size())
        return true;
    const QString text = in.toString().trimmed();
    switch (m_types.at(column).id()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        if (text.isEmpty()) {
            *out = QVariant();
            return true;
        }
        bool ok = false;
        const double d = text.toDouble(&ok);
        if (!ok)
            return false;
        const int t = m_types.at(column).id();
        if (t == QMetaType::Double || t == QMetaType::Float)
            *out = d;
        else
            *out = qlonglong(std::llround(d));
        return true;
    }
    case QMetaType::QDate: {
        if (text.isEmpty()) {
            *out = QVariant();
            return true;
        }
        const QDate d = Sql::toDate(text);
        if (!d.isValid())
            return false;
        *out = d;
        return true;
    }
    case QMetaType::QDateTime: {
        if (text.isEmpty()) {
            *out = QVariant();
            return true;
        }
        const QDateTime d = Sql::toDateTime(text);
        if (!d.isValid())
            return false;
        *out = d;
        return true;
    }
    default:
        return true;
    }
}

bool GridLineModel::setData(const QModelIndex &index, const QVariant &input, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.row() >= m_rows.size())
        return false;
    Row &r = m_rows[index.row()];
    if (index.column() >= r.values.size())
        return false;
    QVariant value;
    if (!convert(index.column(), input, &value))
        return false;
    if (sameValue(r.values.at(index.column()), value) && r.values.at(index.column()).typeId() == value.typeId())
        return true;
    r.values[index.column()] = value;
    if (r.state == RowState::Unchanged) {
        bool changed = false;
        for (int i = 0; i < r.values.size() && !changed; ++i)
            changed = !sameValue(r.values.at(i), r.original.value(i));
        if (changed)
            r.state = RowState::Changed;
    }
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

bool GridLineModel::setValue(int row, const QString &field, const QVariant &value)
{
    const int c = fieldIndex(field);
    if (c < 0 || row < 0 || row >= m_rows.size())
        return false;
    return setData(this->index(row, c), value, Qt::EditRole);
}

bool GridLineModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row > m_rows.size() || count < 1 || !isOpen())
        return false;
    beginInsertRows(QModelIndex(), row, row + count - 1);
    for (int i = 0; i < count; ++i) {
        Row r;
        r.values.resize(fieldNames().size());
        r.state = RowState::Inserted;
        r.uid = m_nextUid++;
        m_rows.insert(row + i, r);
    }
    endInsertRows();
    return true;
}

int GridLineModel::appendRow()
{
    const int row = int(m_rows.size());
    return insertRows(row, 1) ? row : -1;
}

int GridLineModel::appendRow(const QVariantMap &values)
{
    const int row = appendRow();
    if (row < 0)
        return row;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const int c = fieldIndex(it.key());
        if (c >= 0)
            m_rows[row].values[c] = it.value();
    }
    if (!values.isEmpty())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
    return row;
}

bool GridLineModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row + count > m_rows.size())
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    for (int i = 0; i < count; ++i) {
        Row r = m_rows.takeAt(row);
        if (r.state != RowState::Inserted)
            m_deleted.append(r);
    }
    endRemoveRows();
    return true;
}

GridLineModel::RowState GridLineModel::rowState(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).state : RowState::Unchanged;
}

bool GridLineModel::isDirty() const
{
    if (!m_deleted.isEmpty())
        return true;
    for (const Row &r : m_rows)
        if (r.state != RowState::Unchanged)
            return true;
    return false;
}

QString GridLineModel::checkedIdentifier(const QString &name) const
{
    // Table and column names come from the program, never from the operator; anything that is
    // not a plain identifier is refused rather than pasted into a statement.
    static const QRegularExpression ident(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!ident.match(name).hasMatch())
        throw DbError(QStringLiteral("invalid identifier: %1").arg(name));
    return name;
}

namespace {

QVariant boundValue(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QDate:
        return Sql::date(v.toDate());
    case QMetaType::QDateTime:
        return Sql::dateTime(v.toDateTime());
    default:
        return v;
    }
}

} // namespace

void GridLineModel::apply(TdmData &dm, const QString &table, const QString &keyField, const QStringList &columns,
                          const SqlParams &fixed)
{
    checkedIdentifier(table);
    checkedIdentifier(keyField);
    const int key = fieldIndex(keyField);
    if (key < 0)
        throw DbError(QStringLiteral("the rows have no key field %1").arg(keyField));

    // The written columns: the listed fields (not the key, not a fixed one), then the fixed ones.
    QStringList fixedNames;
    for (const auto &f : fixed)
        fixedNames << checkedIdentifier(f.first);
    QList<int> written;
    QStringList writtenNames;
    for (const QString &c : columns) {
        if (c.compare(keyField, Qt::CaseInsensitive) == 0 || fixedNames.contains(c, Qt::CaseInsensitive))
            continue;
        const int idx = fieldIndex(checkedIdentifier(c));
        if (idx < 0)
            throw DbError(QStringLiteral("the rows have no field %1").arg(c));
        written << idx;
        writtenNames << c;
    }

    QSqlQuery q(dm.db());
    m_newKeys.clear();
    m_keyColumn = key;
    for (const Row &r : std::as_const(m_deleted)) {
        const QVariant k = r.original.value(key);
        if (k.isNull())
            continue;
        dm.exec(q, QStringLiteral("DELETE FROM %1 WHERE %2 = :key").arg(table, keyField), {{QStringLiteral("key"), k}});
    }
    for (const Row &r : std::as_const(m_rows)) {
        if (r.state == RowState::Changed) {
            QStringList sets;
            SqlParams params;
            for (int i = 0; i < written.size(); ++i) {
                const int c = written.at(i);
                if (sameValue(r.values.at(c), r.original.value(c)))
                    continue;
                const QString p = QStringLiteral("p%1").arg(i);
                sets << QStringLiteral("%1 = :%2").arg(writtenNames.at(i), p);
                params.append({p, boundValue(r.values.at(c))});
            }
            for (int i = 0; i < fixed.size(); ++i) {
                const QString p = QStringLiteral("f%1").arg(i);
                sets << QStringLiteral("%1 = :%2").arg(fixed.at(i).first, p);
                params.append({p, boundValue(fixed.at(i).second)});
            }
            if (sets.isEmpty())
                continue;
            params.append({QStringLiteral("key"), r.original.value(key)});
            dm.exec(q, QStringLiteral("UPDATE %1 SET %2 WHERE %3 = :key").arg(table, sets.join(QStringLiteral(", ")), keyField),
                    params);
        } else if (r.state == RowState::Inserted) {
            QStringList names;
            QStringList holders;
            SqlParams params;
            for (int i = 0; i < written.size(); ++i) {
                const QString p = QStringLiteral("p%1").arg(i);
                names << writtenNames.at(i);
                holders << QLatin1Char(':') + p;
                params.append({p, boundValue(r.values.at(written.at(i)))});
            }
            for (int i = 0; i < fixed.size(); ++i) {
                const QString p = QStringLiteral("f%1").arg(i);
                names << fixed.at(i).first;
                holders << QLatin1Char(':') + p;
                params.append({p, boundValue(fixed.at(i).second)});
            }
            if (names.isEmpty())
                throw DbError(QStringLiteral("no columns to insert into %1").arg(table));
            dm.exec(q,
                    QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING %4")
                        .arg(table, names.join(QStringLiteral(", ")), holders.join(QStringLiteral(", ")), keyField),
                    params);
            if (q.next())
                m_newKeys.insert(r.uid, q.value(0));
            q.finish();
        }
    }
}

void GridLineModel::acceptChanges()
{
    m_deleted.clear();
    for (int i = 0; i < m_rows.size(); ++i) {
        Row &r = m_rows[i];
        if (r.state == RowState::Inserted && m_keyColumn >= 0 && m_keyColumn < r.values.size()) {
            const auto it = m_newKeys.constFind(r.uid);
            if (it != m_newKeys.constEnd())
                r.values[m_keyColumn] = it.value();
        }
        r.state = RowState::Unchanged;
        r.original = r.values;
    }
    m_newKeys.clear();
    m_accepted = m_rows;
    if (!m_rows.isEmpty() && m_keyColumn >= 0)
        emit dataChanged(index(0, m_keyColumn), index(int(m_rows.size()) - 1, m_keyColumn), {Qt::DisplayRole, Qt::EditRole});
}

void GridLineModel::revert()
{
    beginResetModel();
    m_rows = m_accepted;
    m_deleted.clear();
    m_newKeys.clear();
    endResetModel();
}
