#include "depotfilter.h"

#include "session.h"

#include <QRegularExpression>

namespace {

bool isColumn(const QString &column)
{
    static const QRegularExpression ident(QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*\\.)?[A-Za-z_][A-Za-z0-9_]*$"));
    return ident.match(column).hasMatch();
}

bool isPrefix(const QString &prefix)
{
    static const QRegularExpression ident(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return ident.match(prefix).hasMatch();
}

// Reads 'A', 'B''s' ... ; false when the text is not such a list.
bool parseLiterals(const QString &text, QStringList *out)
{
    QStringList names;
    int i = 0;
    const int n = text.size();
    auto skipBlanks = [&] {
        while (i < n && text.at(i).isSpace())
            ++i;
    };
    skipBlanks();
    if (i == n) {
        *out = names;
        return true;
    }
    while (true) {
        skipBlanks();
        if (i >= n || text.at(i) != QLatin1Char('\''))
            return false;
        ++i;
        QString name;
        bool closed = false;
        while (i < n) {
            const QChar c = text.at(i++);
            if (c == QLatin1Char('\'')) {
                if (i < n && text.at(i) == QLatin1Char('\'')) {
                    name += c;
                    ++i;
                    continue;
                }
                closed = true;
                break;
            }
            name += c;
        }
        if (!closed)
            return false;
        names << name;
        skipBlanks();
        if (i == n)
            break;
        if (text.at(i) != QLatin1Char(','))
            return false;
        ++i;
    }
    *out = names;
    return true;
}

} // namespace

DepotFilter::DepotFilter(bool restricted, const QStringList &depots) : m_restricted(restricted)
{
    if (restricted)
        for (const QString &d : depots)
            if (!d.trimmed().isEmpty() && !m_depots.contains(d.trimmed(), Qt::CaseInsensitive))
                m_depots << d.trimmed();
}

DepotFilter DepotFilter::fromSession()
{
    const Session &s = Session::instance();
    return DepotFilter(s.iCKflag == 1, s.operDepotList);
}

QStringList DepotFilter::parseStored(const QString &stored)
{
    QStringList names;
    if (!parseLiterals(stored, &names)) {
        names.clear();
        for (const QString &part : stored.split(QLatin1Char(','))) {
            QString name = part.trimmed();
            while (name.startsWith(QLatin1Char('\'')))
                name.remove(0, 1);
            while (name.endsWith(QLatin1Char('\'')))
                name.chop(1);
            names << name;
        }
    }
    QStringList out;
    for (const QString &name : std::as_const(names))
        if (!name.trimmed().isEmpty())
            out << name.trimmed();
    return out;
}

QString DepotFilter::formatStored(const QStringList &names)
{
    QStringList quoted;
    for (const QString &name : names) {
        if (name.trimmed().isEmpty())
            continue;
        QString q = name.trimmed();
        q.replace(QLatin1Char('\''), QStringLiteral("''"));
        quoted << QLatin1Char('\'') + q + QLatin1Char('\'');
    }
    return quoted.join(QLatin1Char(','));
}

bool DepotFilter::allowsDepot(const QString &depot) const
{
    return !m_restricted || m_depots.contains(depot.trimmed(), Qt::CaseInsensitive);
}

bool DepotFilter::allowsDocument(const QString &depot) const
{
    return depot.trimmed().isEmpty() || allowsDepot(depot);
}

SqlFragment DepotFilter::inList(const QString &column, const QString &prefix, QString *list) const
{
    Q_ASSERT_X(isColumn(column), "DepotFilter", "column must be an identifier chosen by the program");
    Q_ASSERT_X(isPrefix(prefix), "DepotFilter", "placeholder prefix must be an identifier");
    SqlFragment f;
    QStringList names;
    for (int i = 0; i < m_depots.size(); ++i) {
        const QString name = prefix + QString::number(i);
        names << QLatin1Char(':') + name;
        f.params.append({name, m_depots.at(i)});
    }
    *list = names.join(QLatin1Char(','));
    return f;
}

SqlFragment DepotFilter::nameCond(const QString &column, const QString &prefix) const
{
    if (!m_restricted)
        return {};
    QString list;
    SqlFragment f = inList(column, prefix, &list);
    // No permitted depot: no depot may be listed (an empty in-list is not valid SQL).
    f.text = list.isEmpty() ? QStringLiteral(" and (1 = 0) ") : QStringLiteral(" and (%1 in (%2)) ").arg(column, list);
    return f;
}

SqlFragment DepotFilter::docCond(const QString &column, const QString &prefix) const
{
    if (!m_restricted)
        return {};
    QString list;
    SqlFragment f = inList(column, prefix, &list);
    const QString empty = QStringLiteral("trim(coalesce(%1,'')) = ''").arg(column);
    f.text = list.isEmpty() ? QStringLiteral(" and (%1) ").arg(empty)
                            : QStringLiteral(" and (%1 in (%2) or %3) ").arg(column, list, empty);
    return f;
}
