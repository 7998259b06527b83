#include "goodslookup.h"

#include "documentlinemodel.h"

#include "data/tdmdata.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace GoodsLookup {

namespace {
const char *const kColumns[] = {"F_Code", "F_Name", "F_Type", "F_Spec", "F_Unit", "F_Address", "F_EnterPrice",
                                "F_BarCode", "F_ZF1", "F_ZF2", "F_ZF3", "F_ZF4", "F_ZF5", "F_SZ1",
                                "F_SZ2", "F_SZ3", "F_RQ1", "F_RQ2", "F_RQ3"};
const char *const kCustom[] = {"F_ZF1", "F_ZF2", "F_ZF3", "F_ZF4", "F_ZF5", "F_SZ1",
                               "F_SZ2", "F_SZ3", "F_RQ1", "F_RQ2", "F_RQ3"};

const QString kSelect = QStringLiteral(
    "select F_Code,F_Name,F_Type,F_Spec,F_Unit,F_Address,F_EnterPrice,F_BarCode,F_ZF1,F_ZF2,F_ZF3,F_ZF4,F_ZF5,"
    "F_SZ1,F_SZ2,F_SZ3,F_RQ1,F_RQ2,F_RQ3 from t_goods ");
// Only goods in use are found by their code.
const QString kByCode = kSelect + QStringLiteral("where coalesce(F_Flag,0) = 0 and F_Code = :code order by F_ID limit 1");
// Any goods by barcode; several with one barcode give the first one entered.
const QString kByBarcode = kSelect + QStringLiteral("where F_BarCode = :barcode order by F_ID limit 1");

Result fetch(TdmData &dm, const QString &select, const SqlParams &params, QVariantMap *goods)
{
    QSqlQuery q = dm.newQuery();
    q.setForwardOnly(true);
    if (!dm.OpenQuery(select, q, params))
        return Result::Failed;
    if (!q.next())
        return Result::NotFound;
    goods->clear();
    const QSqlRecord rec = q.record();
    for (const char *c : kColumns) {
        const int i = rec.indexOf(QLatin1String(c));
        goods->insert(QLatin1String(c), i >= 0 ? q.value(i) : QVariant());
    }
    return Result::Found;
}
} // namespace

Result byCode(TdmData &dm, const QString &code, QVariantMap *goods)
{
    return fetch(dm, kByCode, {{QStringLiteral("code"), code}}, goods);
}

Result byBarcode(TdmData &dm, const QString &barcode, QVariantMap *goods)
{
    return fetch(dm, kByBarcode, {{QStringLiteral("barcode"), barcode}}, goods);
}

QVariantMap lineValues(const QVariantMap &goods, Parts parts)
{
    QVariantMap line;
    if (parts & Part::Description) {
        line.insert(QStringLiteral("F_GoodName"), goods.value(QStringLiteral("F_Name")));
        line.insert(QStringLiteral("F_Type"), goods.value(QStringLiteral("F_Type")));
        line.insert(QStringLiteral("F_Spec"), goods.value(QStringLiteral("F_Spec")));
        line.insert(QStringLiteral("F_Unit"), goods.value(QStringLiteral("F_Unit")));
        line.insert(QStringLiteral("F_Address"), goods.value(QStringLiteral("F_Address")));
    }
    if (parts & Part::Barcode)
        line.insert(QStringLiteral("F_TMcode"), goods.value(QStringLiteral("F_BarCode")));
    if (parts & Part::CustomFields) {
        for (const char *c : kCustom) {
            const QString field = QLatin1String(c);
            QVariant v = goods.value(field);
            if (field.startsWith(QLatin1String("F_RQ")) && DocumentLineModel::isMissingDate(v))
                v = QVariant();
            line.insert(field, v);
        }
    }
    return line;
}

} // namespace GoodsLookup
