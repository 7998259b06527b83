#pragma once

#include "sqlstatement.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

// The statements of the goods windows over t_goods, t_begDept and the goods lines.
namespace GoodsStatements {

// The query types of the goods list, in the order of its "查询类型：" items.
enum QueryType { ByCode = 0, ByName, BySpec, ByOrigin, ByMemo, ByZF1, ByZF2, ByZF3, ByZF4, ByZF5 };

struct ListFilter {
    int queryType = -1;          // QueryType, -1 none chosen
    QString text;                // trimmed here
    QString typePath;            // the selected type's path; empty for the root (all types)
    bool includeDisabled = false;
};
// The goods list: code and origin prefix matches, the others contains-matches; the type with
// every type below it (by path segments); active goods unless disabled ones are included; by code. Custom dates
// before 1901-08-14 (the stand-in for "no date") come back empty.
SqlStatement listStatement(const ListFilter &f);

// The highest code (text order), the base of the next automatic code.
QString maxCode();
// The id of another goods with the code (0 when none); `ownId` 0 when adding.
SqlStatement duplicateStatement(const QString &code, qint64 ownId);
// A receipt or return line of the goods (only these keep a goods from being deleted).
SqlStatement usedInLines(const QString &code);

SqlStatement insertStatement(const QVariantMap &values);
SqlStatement updateStatement(qint64 id, const QVariantMap &values);
// The field names (placeholders) of insert and update besides Code.
const QStringList &editedFields();

// A new code carried into the receipt and return lines, the order lines and the opening stock.
QList<SqlStatement> renameStatements(const QString &oldCode, const QString &newCode);
// The receipt and return lines take over the goods' descriptive fields.
SqlStatement describeLines(const QString &code, const QString &name, const QString &type, const QString &spec,
                           const QString &unit, const QString &origin);

// Opening stock of a goods, and the depots without a row for it (in entry order).
SqlStatement openingStock(const QString &code);
SqlStatement depotsWithoutStock(const QString &code);
SqlStatement deleteOpeningStock(const QString &code);

// Units of measure.
QString unitNames();
SqlStatement unitCount(const QString &unit);
SqlStatement addUnit(const QString &unit);
// Depot names for the default-depot list (the operator's depots only when restricted).
SqlStatement depotNames();

// The type of one goods (bulk type change).
SqlStatement setType(qint64 id, const QString &type);

} // namespace GoodsStatements
