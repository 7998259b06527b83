#include "documentlinemodel.h"

#include "data/sqlparams.h"

#include <QDate>

namespace {
const QDate kFirstRealDate(1901, 8, 14);

bool isCustomDateField(const QString &name)
{
    const QString n = name.toLower();
    return n == QLatin1String("f_rq1") || n == QLatin1String("f_rq2") || n == QLatin1String("f_rq3");
}
} // namespace

DocumentLineModel::DocumentLineModel(QObject *parent) : GridLineModel(parent)
{
    connect(this, &QAbstractItemModel::modelReset, this, &DocumentLineModel::onFieldsChanged);
}

void DocumentLineModel::onFieldsChanged()
{
    m_blankOldDates.fill(false, fieldNames().size());
    for (int i = 0; i < fieldNames().size(); ++i)
        m_blankOldDates[i] = isCustomDateField(fieldNames().at(i));
}

bool DocumentLineModel::isMissingDate(const QVariant &v)
{
    if (v.isNull())
        return true;
    if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())
        return true;
    const QDate d = Sql::toDate(v);
    return !d.isValid() || d < kFirstRealDate;
}

QVariant DocumentLineModel::value(int row, int column) const
{
    const QVariant v = GridLineModel::value(row, column);
    if (column >= 0 && column < m_blankOldDates.size() && m_blankOldDates.at(column) && !v.isNull() && isMissingDate(v))
        return QVariant();
    return v;
}

double DocumentLineModel::sum(const QString &field) const
{
    const int c = fieldIndex(field);
    if (c < 0)
        return 0;
    double total = 0;
    for (int r = 0; r < rowCount(); ++r) {
        bool ok = false;
        const double v = number(r, c, &ok);
        if (ok)
            total += v;
    }
    return total;
}

bool DocumentLineModel::isBlank(int row) const
{
    for (int c = 0; c < fieldNames().size(); ++c) {
        const QVariant v = GridLineModel::value(row, c);
        if (!v.isNull() && !(v.typeId() == QMetaType::QString && v.toString().isEmpty()))
            return false;
    }
    return true;
}

QVariantMap DocumentLineModel::rowValues(int row) const
{
    QVariantMap m;
    for (int c = 0; c < fieldNames().size(); ++c)
        m.insert(fieldNames().at(c), GridLineModel::value(row, c));
    return m;
}
