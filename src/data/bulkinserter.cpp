#include "bulkinserter.h"

#include "sqldialect.h"

#include <QSqlError>

#include <algorithm>

BulkInserter::BulkInserter(const QSqlDatabase &db, const QString &table, const QStringList &columns, int rowsPerStatement)
    : BulkInserter(db, table, columns, JoinedRows{}, rowsPerStatement)
{
}

BulkInserter::BulkInserter(const QSqlDatabase &db, const QString &table, const QStringList &columns,
                           const JoinedRows &joined, int rowsPerStatement)
    : m_db(db), m_table(table), m_columns(columns), m_joined(joined)
{
    m_perRow = std::max<int>(1, int(joined.valueTypes.isEmpty() ? columns.size() : joined.valueTypes.size()));
    m_batch = std::clamp(rowsPerStatement, 1, std::max(1, maxParameters() / m_perRow));
    // Placeholders are named: binding by a ready-made name costs much less than binding by
    // position, for which the driver layer builds a name for every value.
    m_names.reserve(qsizetype(m_batch) * m_perRow);
    for (int i = 0; i < m_batch * m_perRow; ++i)
        m_names << QStringLiteral(":v%1").arg(i);
}

BulkInserter::~BulkInserter() = default;

QString BulkInserter::statement(int rows) const
{
    const bool joined = !m_joined.valueTypes.isEmpty();
    QString sql = QStringLiteral("INSERT INTO %1 (%2) ").arg(m_table, m_columns.join(QLatin1Char(',')));
    sql += joined ? QStringLiteral("SELECT %1 FROM (VALUES ").arg(m_joined.selectList) : QStringLiteral("VALUES ");
    for (int r = 0; r < rows; ++r) {
        sql += r == 0 ? QStringLiteral("(") : QStringLiteral(",(");
        for (int c = 0; c < m_perRow; ++c) {
            if (c > 0)
                sql += QLatin1Char(',');
            const QString &name = m_names.at(r * m_perRow + c);
            sql += joined ? QStringLiteral("CAST(%1 AS %2)").arg(name, m_joined.valueTypes.at(c)) : name;
        }
        sql += QLatin1Char(')');
    }
    if (joined)
        sql += QStringLiteral(") AS v ") + m_joined.join
            + SqlDialect::valuesJoinOrder(SqlDialect::backend(m_db), m_joined.order);
    return sql;
}

bool BulkInserter::fail(const QString &why, QString *error)
{
    if (error)
        *error = QStringLiteral("%1: %2").arg(m_table, why);
    return false;
}

bool BulkInserter::prepareFull(QString *error)
{
    if (m_full)
        return true;
    if (!m_prepareError.isEmpty())
        return fail(m_prepareError, error);
    auto q = std::make_unique<QSqlQuery>(m_db);
    q->setForwardOnly(true);
    if (!q->prepare(statement(m_batch))) {
        m_prepareError = q->lastError().text();
        return fail(m_prepareError, error);
    }
    m_full = std::move(q);
    return true;
}

BulkInserter &BulkInserter::operator<<(const QVariant &value)
{
    // Values go straight into the prepared statement; a failed prepare is reported by endRow.
    if (m_next < m_names.size() && prepareFull(nullptr))
        m_full->bindValue(m_names.at(m_next), value);
    ++m_next;
    return *this;
}

bool BulkInserter::endRow(QString *error)
{
    if (m_next - m_rowStart != m_perRow) {
        const int given = m_next - m_rowStart;
        m_next = m_rowStart;
        return fail(QStringLiteral("a row of %1 values instead of %2").arg(given).arg(m_perRow), error);
    }
    if (!prepareFull(error)) {
        m_next = m_rowStart;
        return false;
    }
    m_rowStart = m_next;
    if (m_next < m_batch * m_perRow)
        return true;
    if (!m_full->exec())
        return fail(m_full->lastError().text(), error);
    m_sent += m_batch;
    m_next = m_rowStart = 0;
    return true;
}

bool BulkInserter::flush(QString *error)
{
    if (m_next != m_rowStart)
        return fail(QStringLiteral("an unfinished row"), error);
    const int rows = rowsHeld();
    if (rows == 0)
        return true;
    QSqlQuery tail(m_db);
    tail.setForwardOnly(true);
    if (!tail.prepare(statement(rows)))
        return fail(tail.lastError().text(), error);
    for (int i = 0; i < m_rowStart; ++i)
        tail.bindValue(m_names.at(i), m_full->boundValue(m_names.at(i)));
    if (!tail.exec())
        return fail(tail.lastError().text(), error);
    m_sent += rows;
    m_next = m_rowStart = 0;
    return true;
}
