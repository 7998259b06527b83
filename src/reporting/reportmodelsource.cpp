#include "reportmodelsource.h"

#include <QAbstractItemModel>
#include <QAbstractProxyModel>
#include <QSqlQueryModel>
#include <QSqlRecord>

namespace {
// Field names of a SQL query model, possibly seen through proxies that keep columns aside.
QStringList sqlFieldNames(QAbstractItemModel *model)
{
    if (auto *sql = qobject_cast<QSqlQueryModel *>(model)) {
        QStringList out;
        const QSqlRecord rec = sql->record();
        for (int i = 0; i < rec.count(); ++i)
            out << rec.fieldName(i);
        return out;
    }
    auto *proxy = qobject_cast<QAbstractProxyModel *>(model);
    if (!proxy || !proxy->sourceModel())
        return {};
    const QStringList inner = sqlFieldNames(proxy->sourceModel());
    if (inner.isEmpty())
        return {};
    if (proxy->columnCount() == proxy->sourceModel()->columnCount())
        return inner;
    // A proxy that hides columns: map the columns through its first row.
    if (proxy->rowCount() == 0)
        return {};
    QStringList out;
    for (int c = 0; c < proxy->columnCount(); ++c)
        out << inner.value(proxy->mapToSource(proxy->index(0, c)).column());
    return out;
}

void fetchAll(QAbstractItemModel *model)
{
    while (model->canFetchMore(QModelIndex()))
        model->fetchMore(QModelIndex());
}
} // namespace

ReportModelSource::ReportModelSource(QAbstractItemModel *model, int currentRow, const QStringList &fieldNames)
    : m_model(model), m_fields(fieldNames), m_current(currentRow), m_valueRole(Qt::EditRole)
{
    if (!model)
        return;
    fetchAll(model);
    if (m_fields.isEmpty())
        m_fields = sqlFieldNames(model);
    if (m_fields.isEmpty()) {
        for (int c = 0; c < model->columnCount(); ++c)
            m_fields << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    }
}

int ReportModelSource::rowCount() const
{
    if (!m_model)
        return 0;
    fetchAll(m_model);
    return m_model->rowCount();
}

int ReportModelSource::fieldCount() const
{
    return m_model ? int(m_fields.size()) : 0;
}

QString ReportModelSource::fieldName(int field) const
{
    return m_fields.value(field);
}

QVariant ReportModelSource::value(int row, int field) const
{
    if (!m_model || field < 0 || field >= m_fields.size())
        return {};
    return m_model->data(m_model->index(row, field), m_valueRole);
}

int ReportModelSource::currentRow() const
{
    const int n = rowCount();
    if (n == 0)
        return -1;
    return m_current >= 0 && m_current < n ? m_current : 0;
}
