#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>

class QSqlQuery;

// Named values for a statement's ":name" placeholders. Every value reaches the database as a
// bound parameter, never as text pasted into the statement.
using SqlParams = QList<std::pair<QString, QVariant>>;

namespace Sql {

// The placeholder names (without the colon) a statement uses, in order of first use.
// Text inside quotes and PostgreSQL "::" casts are skipped.
QStringList placeholders(const QString &statement);

// Runs the statement with the values bound. A statement without placeholders is executed
// directly (PostgreSQL cannot prepare DDL and SET statements). False with the error text on
// failure.
bool execute(QSqlQuery &query, const QString &statement, const SqlParams &params, QString *error);

// Prepares the statement on the query and binds the values. Fails (with a message in
// *error) when a placeholder has no value or a value has no placeholder.
bool prepareAndBind(QSqlQuery &query, const QString &statement, const SqlParams &params, QString *error);

// Dates travel as text "yyyy-mm-dd", understood by both backends.
QVariant date(const QDate &d);
QVariant dateTime(const QDateTime &dt);
// A date read back from either backend (text or a date value).
QDate toDate(const QVariant &v);
QDateTime toDateTime(const QVariant &v);

// Money is kept to four decimals, rounded half away from zero.
double roundMoney(double v);

// Rounds half away from zero to the given number of decimals.
double roundTo(double v, int decimals);

// The date that stands for "no date".
inline QDate missingDate() { return QDate(1900, 8, 14); }

} // namespace Sql
