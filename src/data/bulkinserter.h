#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

// Inserts many rows into one table through prepared multi-row INSERT statements: the values of
// a batch of rows are bound as parameters of one statement, and the statement is prepared once
// and run again for every full batch. Values are never pasted into the text.
class BulkInserter
{
public:
    // Rows that take some of their columns from another table: the values bound for a row are
    // the columns column1, column2, ... of the rows "v" (each cast to its type), joined as the
    // join text says, and the select list gives the value of every column of the table.
    struct JoinedRows {
        QStringList valueTypes; // SQL type of each value bound for a row
        QString selectList;     // one expression per column of the table
        QString join;           // e.g. "CROSS JOIN t_goods AS g WHERE g.F_ID = v.column2"
        QString order;          // the bound sequence that keeps the rows in order, e.g. "v.column1"
    };

    // rowsPerStatement is lowered so that one statement binds at most maxParameters() values.
    BulkInserter(const QSqlDatabase &db, const QString &table, const QStringList &columns, int rowsPerStatement);
    BulkInserter(const QSqlDatabase &db, const QString &table, const QStringList &columns, const JoinedRows &joined,
                 int rowsPerStatement);
    ~BulkInserter();
    BulkInserter(const BulkInserter &) = delete;
    BulkInserter &operator=(const BulkInserter &) = delete;

    // Binds the next value of the current row, in column order.
    BulkInserter &operator<<(const QVariant &value);

    // Closes the current row; sends the batch when it is full. False (with the reason) when the
    // row has the wrong number of values, the statement cannot be prepared or it fails.
    bool endRow(QString *error);
    // Sends the rows still held.
    bool flush(QString *error);

    const QString &table() const { return m_table; }
    int valuesPerRow() const { return m_perRow; }
    int rowsPerStatement() const { return m_batch; }
    qint64 rowsSent() const { return m_sent; }
    int rowsHeld() const { return m_rowStart / m_perRow; }

    // The most values one statement binds (both backends accept more).
    static constexpr int maxParameters() { return 30000; }

private:
    QString statement(int rows) const;
    bool prepareFull(QString *error);
    bool fail(const QString &why, QString *error);

    QSqlDatabase m_db;
    QString m_table;
    QStringList m_columns;
    JoinedRows m_joined;
    int m_perRow = 1;    // values bound for one row
    QStringList m_names; // placeholder of every value of a full batch
    int m_batch = 1;
    std::unique_ptr<QSqlQuery> m_full;
    QString m_prepareError;
    int m_next = 0;     // position of the next value in the batch
    int m_rowStart = 0; // where the current row's values begin
    qint64 m_sent = 0;
};
