#include "sqlparams.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <limits>

#include <cmath>

namespace Sql {

QStringList placeholders(const QString &statement)
{
    QStringList names;
    const int n = statement.size();
    QChar quote;
    for (int i = 0; i < n; ++i) {
        const QChar c = statement.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            continue;
        }
        if (c != QLatin1Char(':'))
            continue;
        if (i + 1 < n && statement.at(i + 1) == QLatin1Char(':')) {
            ++i; // a "::" cast
            continue;
        }
        int j = i + 1;
        while (j < n && (statement.at(j).isLetterOrNumber() || statement.at(j) == QLatin1Char('_')))
            ++j;
        if (j > i + 1) {
            const QString name = statement.mid(i + 1, j - i - 1);
            if (!names.contains(name, Qt::CaseInsensitive))
                names << name;
        }
        i = j - 1;
    }
    return names;
}

bool prepareAndBind(QSqlQuery &query, const QString &statement, const SqlParams &params, QString *error)
{
    const QStringList used = placeholders(statement);
    QSet<QString> given;
    for (const auto &p : params) {
        QString name = p.first;
        if (name.startsWith(QLatin1Char(':')))
            name.remove(0, 1);
        given.insert(name.toLower());
        if (!used.contains(name, Qt::CaseInsensitive)) {
            if (error)
                *error = QStringLiteral("parameter :%1 is not used by the statement").arg(name);
            return false;
        }
    }
    for (const QString &u : used) {
        if (!given.contains(u.toLower())) {
            if (error)
                *error = QStringLiteral("placeholder :%1 has no value").arg(u);
            return false;
        }
    }
    if (!query.prepare(statement)) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    for (const auto &p : params) {
        QString name = p.first;
        if (!name.startsWith(QLatin1Char(':')))
            name.prepend(QLatin1Char(':'));
        // Find the spelling the statement uses so that the driver matches it.
        for (const QString &u : used)
            if (u.compare(name.mid(1), Qt::CaseInsensitive) == 0)
                name = QLatin1Char(':') + u;
        query.bindValue(name, p.second);
    }
    return true;
}

bool execute(QSqlQuery &query, const QString &statement, const SqlParams &params, QString *error)
{
    if (params.isEmpty() && placeholders(statement).isEmpty()) {
        if (!query.exec(statement)) {
            if (error)
                *error = query.lastError().text();
            return false;
        }
        return true;
    }
    if (!prepareAndBind(query, statement, params, error))
        return false;
    if (!query.exec()) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    return true;
}

QVariant date(const QDate &d)
{
    return d.isValid() ? QVariant(d.toString(QStringLiteral("yyyy-MM-dd"))) : QVariant(QMetaType::fromType<QString>());
}

QVariant dateTime(const QDateTime &dt)
{
    return dt.isValid() ? QVariant(dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                        : QVariant(QMetaType::fromType<QString>());
}

QDate toDate(const QVariant &v)
{
    if (v.isNull())
        return QDate();
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate();
    case QMetaType::QDateTime:
        return v.toDateTime().date();
    default:
        break;
    }
    const QString s = v.toString().trimmed();
    return QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
}

QDateTime toDateTime(const QVariant &v)
{
    if (v.isNull())
        return QDateTime();
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().startOfDay();
    case QMetaType::QDateTime:
        return v.toDateTime();
    default:
        break;
    }
    const QString s = v.toString().trimmed();
    if (s.size() <= 10)
        return QDate::fromString(s, QStringLiteral("yyyy-MM-dd")).startOfDay();
    QDateTime dt = QDateTime::fromString(s.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime::fromString(s.left(19), QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    return dt;
}

double roundTo(double v, int decimals)
{
    const double f = std::pow(10.0, decimals);
    // Nudge by a relative epsilon so that values such as 2.675 (stored as 2.67499...) round up.
    const double scaled = v * f;
    // A value such as 2.675 is stored as 2.67499999...: nudge by a few units of the last place
    // of the scaled value so that it rounds the way it was written, and no further.
    const double nudge = std::copysign(8 * std::numeric_limits<double>::epsilon() * std::fabs(scaled), scaled);
    return std::round(scaled + nudge) / f;
}

double roundMoney(double v) { return roundTo(v, 4); }

} // namespace Sql
