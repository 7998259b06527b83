#pragma once

#include <QString>

class QSqlDatabase;

// Everything that differs between the two database backends lives here; no other file asks
// which backend it runs on.
namespace SqlDialect {

enum class Backend { SQLite, PostgreSQL };

// Abstract column types of the schema.
enum class ColType { Identity, Text, LongText, Int, Float, Money, Bit, Date, DateTime, Blob };

Backend backend(const QSqlDatabase &db);
QString driverName(Backend b);                 // Qt driver name
Backend backendFromConfig(const QString &driver); // "sqlite" (default) or "postgres"

// Column type text for a CREATE TABLE. Text columns compare without regard to case.
QString columnType(Backend b, ColType t, int length = 0);

// "CREATE TABLE" or "CREATE TEMPORARY TABLE IF NOT EXISTS" head for a table name.
QString createTableHead(Backend b, const QString &table, bool temporary);

// Statements that prepare a new database (extensions, pragmas).
QStringList databasePreamble(Backend b);

// Statements run on every new connection.
QStringList connectionSetup(Backend b);

// Statements that relax durability on this connection while a new, throwaway database is
// filled in bulk, and the ones that restore the settings of connectionSetup afterwards.
QStringList bulkLoadStart(Backend b);
QStringList bulkLoadEnd(Backend b);
// How many rows one multi-row INSERT of a bulk load carries: a server prefers few large
// statements; an embedded database binds fastest in small ones.
int bulkInsertRows(Backend b);
// The clause that makes "INSERT ... SELECT ... FROM (VALUES ...) AS v CROSS JOIN t" insert the
// rows in the order of the VALUES list (orderBy names v's sequence column); empty where the
// backend runs a CROSS JOIN in the order written anyway.
QString valuesJoinOrder(Backend b, const QString &orderBy);

// Expression: the date part of a date/time expression, as a value comparable with 'yyyy-mm-dd'.
QString dateOnly(Backend b, const QString &expr);
// Expression: expr moved by a whole number of days (days is an expression too).
QString addDays(Backend b, const QString &expr, const QString &days);
// Expression: a date expression as text 'yyyy-mm-dd'.
QString dateText(Backend b, const QString &expr);
// Expression: numeric value of a text expression (0 when not a number is the caller's business).
QString toNumber(Backend b, const QString &expr);
// Expression: text value of any expression.
QString toText(Backend b, const QString &expr);

// Escapes %, _ and the escape character itself so that the text matches literally in
// "LIKE :p ESCAPE '\'"; add the wildcards around the result as needed.
QString escapeLike(const QString &text);
// The ESCAPE clause that goes with escapeLike.
inline QString likeEscape() { return QStringLiteral(" ESCAPE '\\'"); }

// A statement that, run first inside a transaction, makes every other writer of the table wait
// until the transaction ends (readers go on), so that a check followed by an insert (a code that
// must stay unique) cannot interleave with another client's.
QString lockTableForWrite(Backend b, const QString &table);

// Whether the backend keeps whole databases in files (SQLite) rather than on a server.
bool isFileDatabase(Backend b);

} // namespace SqlDialect
