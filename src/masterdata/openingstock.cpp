#include "openingstock.h"

#include "goodsstatements.h"

#include "data/depotfilter.h"
#include "data/tdmdata.h"
#include "widgets/gridlinemodel.h"

#include <QSqlQuery>

bool OpeningStock::load(TdmData &dm, GridLineModel &model, const QString &code)
{
    const SqlStatement stored = GoodsStatements::openingStock(code);
    if (!model.load(dm, stored.sql, stored.params))
        return false;
    const SqlStatement missing = GoodsStatements::depotsWithoutStock(code);
    QSqlQuery q(dm.db());
    if (!dm.OpenQuery(missing.sql, q, missing.params))
        return false;
    while (q.next()) {
        model.appendRow({{QStringLiteral("F_GoodCode"), code},
                         {QStringLiteral("F_Depot"), q.value(0).toString()},
                         {QStringLiteral("F_Amount"), 0.0},
                         {QStringLiteral("F_Price"), 0.0},
                         {QStringLiteral("F_totalPrice"), 0.0}});
    }
    return true;
}

QList<OpeningStock::Row> OpeningStock::rows(const GridLineModel &model)
{
    QList<Row> out;
    for (int r = 0; r < model.rowCount(); ++r) {
        Row row;
        if (model.rowState(r) != GridLineModel::RowState::Inserted)
            row.id = model.value(r, QStringLiteral("F_ID")).toLongLong();
        row.depot = model.value(r, QStringLiteral("F_Depot")).toString();
        row.amount = model.value(r, QStringLiteral("F_Amount")).toDouble();
        row.price = model.value(r, QStringLiteral("F_Price")).toDouble();
        out << row;
    }
    return out;
}

double OpeningStock::effectivePrice(const Row &row, double costPrice)
{
    return row.price == 0 ? costPrice : row.price;
}

double OpeningStock::save(TdmData &dm, const QList<Row> &rows, const QString &code, double costPrice)
{
    double total = 0;
    for (const Row &row : rows) {
        if (row.amount == 0) {
            if (row.id > 0)
                dm.exec(QStringLiteral("delete from t_begDept where F_ID = :id"), {{QStringLiteral("id"), row.id}});
            continue;
        }
        const double price = effectivePrice(row, costPrice);
        const SqlParams values{{QStringLiteral("code"), code},
                               {QStringLiteral("depot"), row.depot},
                               {QStringLiteral("amount"), row.amount},
                               {QStringLiteral("price"), price},
                               {QStringLiteral("total"), row.amount * price}};
        if (row.id > 0) {
            SqlParams p = values;
            p.append({QStringLiteral("id"), row.id});
            dm.exec(QStringLiteral("update t_begDept set F_GoodCode = :code,F_Depot = :depot,F_Amount = :amount,"
                                   "F_Price = :price,F_totalPrice = :total where F_ID = :id"),
                    p);
        } else {
            dm.exec(QStringLiteral("insert into t_begDept(F_GoodCode,F_Depot,F_Amount,F_Price,F_totalPrice) "
                                   "values(:code,:depot,:amount,:price,:total)"),
                    values);
        }
        total += row.amount;
    }
    return total;
}

double OpeningStock::hiddenQuantity(TdmData &dm, const QString &code)
{
    const DepotFilter filter = DepotFilter::fromSession();
    if (!filter.restricted() || code.isEmpty())
        return 0;
    QSqlQuery q(dm.db());
    dm.exec(q, QStringLiteral("select F_Depot,F_Amount from t_begDept where F_GoodCode = :code"), {{QStringLiteral("code"), code}});
    double sum = 0;
    while (q.next()) {
        if (!filter.allowsDepot(q.value(0).toString().trimmed()))
            sum += q.value(1).toDouble();
    }
    return sum;
}
