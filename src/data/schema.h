#pragma once

#include "sqldialect.h"

#include <QList>
#include <QString>
#include <QStringList>

class QSqlDatabase;

// The database schema: every table, its columns and indexes, described once and turned into
// the DDL of either backend.
namespace Schema {

struct Column {
    const char *name;
    SqlDialect::ColType type;
    int length = 0;
    const char *defaultValue = nullptr;
};

struct Table {
    const char *name;
    QList<Column> columns;
    bool scratch = false; // a per-connection temporary table
};

struct Index {
    const char *name;
    const char *table;
    const char *columns;
    bool unique = false;
};

const QList<Table> &tables();
const QList<Index> &indexes();
const Table *findTable(const QString &name);

QString createTableSql(SqlDialect::Backend b, const Table &t);
QString createIndexSql(const Index &i);

// All statements that create the permanent tables and indexes.
QStringList createStatements(SqlDialect::Backend b);
// Statements that create the scratch tables for one connection.
QStringList scratchStatements(SqlDialect::Backend b);

} // namespace Schema
