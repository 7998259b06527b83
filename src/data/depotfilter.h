#pragma once

#include "sqlparams.h"

#include <QString>
#include <QStringList>

// A piece of a WHERE clause together with the values of its placeholders.
struct SqlFragment {
    QString text;
    SqlParams params;
    bool isEmpty() const { return text.isEmpty(); }
};

// The operator's depot restriction as conditions with bound values.
//
//   const DepotFilter f = DepotFilter::fromSession();
//   const SqlFragment c = f.docCond(QStringLiteral("m.F_depot"));   // alias of the master
//   QString sql = "select ... from depotM m where m.F_Flag = :flag" + c.text + " order by ...";
//   SqlParams p{{"flag", 1}};
//   p += c.params;
//
// Without a restriction every fragment is empty. Two fragments in one statement need
// different placeholder prefixes.
class DepotFilter
{
public:
    // No restriction.
    DepotFilter() = default;
    DepotFilter(bool restricted, const QStringList &depots);

    // The restriction of the logged-in operator (iCKflag = 1 restricts to operDepotList).
    static DepotFilter fromSession();

    // OperList.F_depot holds the names as SQL string literals joined by commas:
    // 'A','B' (a quote inside a name is doubled). Text that is not in this form is read as
    // plain comma-separated names.
    static QStringList parseStored(const QString &stored);
    static QString formatStored(const QStringList &names);

    bool restricted() const { return m_restricted; }
    const QStringList &depots() const { return m_depots; }

    // Whether a document of this depot is visible (documents without a depot always are).
    bool allowsDocument(const QString &depot) const;
    // Whether this depot may be picked.
    bool allowsDepot(const QString &depot) const;

    // For depot lists read from t_code: " and (F_name in (:dn0,:dn1)) ".
    SqlFragment nameCond(const QString &column = QStringLiteral("F_name"), const QString &prefix = QStringLiteral("dn")) const;

    // For document lists: permitted depots and documents without a depot,
    // " and (F_depot in (:dep0,:dep1) or trim(coalesce(F_depot,'')) = '') ".
    SqlFragment docCond(const QString &column = QStringLiteral("F_depot"), const QString &prefix = QStringLiteral("dep")) const;

private:
    SqlFragment inList(const QString &column, const QString &prefix, QString *list) const;

    bool m_restricted = false;
    QStringList m_depots;
};
