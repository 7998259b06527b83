#include "goodsstatements.h"

#include "data/depotfilter.h"
#include "data/sqldialect.h"

namespace GoodsStatements {

namespace {

QString customDate(const char *field)
{
    return QStringLiteral("CASE WHEN %1 < '1901-08-14' THEN NULL ELSE %1 END AS %1").arg(QLatin1String(field));
}

QString listColumns()
{
    return QStringLiteral("F_ID,F_Code,F_Name,F_Type,F_Spec,F_Unit,F_BarCode,F_EnterPrice,F_SalePrice,F_BegAmount,"
                          "F_DeptUp,F_DeptDown,F_Depot,F_Mem,F_Flag,F_Address,F_ZF1,F_ZF2,F_ZF3,F_ZF4,F_ZF5,"
                          "F_SZ1,F_SZ2,F_SZ3,")
        + customDate("F_RQ1") + QLatin1Char(',') + customDate("F_RQ2") + QLatin1Char(',') + customDate("F_RQ3");
}

} // namespace

SqlStatement listStatement(const ListFilter &f)
{
    SqlStatement s;
    s.sql = QStringLiteral("select ") + listColumns() + QStringLiteral(" from t_goods where (1=1) ");
    static const char *const columns[] = {"F_Code", "F_Name", "F_Spec", "F_Address", "F_Mem",
                                          "F_ZF1",  "F_ZF2",  "F_ZF3",  "F_ZF4",     "F_ZF5"};
    const QString t = SqlDialect::escapeLike(f.text.trimmed());
    if (f.queryType >= ByCode && f.queryType <= ByZF5) {
        const bool prefix = f.queryType == ByCode || f.queryType == ByOrigin;
        s.sql += QStringLiteral("and COALESCE(%1,'') LIKE :q").arg(QLatin1String(columns[f.queryType])) + SqlDialect::likeEscape()
            + QLatin1Char(' ');
        s.params.append({QStringLiteral("q"), prefix ? t + QLatin1Char('%') : QLatin1Char('%') + t + QLatin1Char('%')});
    }
    if (!f.typePath.isEmpty()) {
        // The type itself and the types below it; a type whose name merely begins with the
        // same text (\\电器配件 beside \\电器) is another type.
        s.sql += QStringLiteral("and (COALESCE(F_Type,'') = :tp or COALESCE(F_Type,'') LIKE :tpBelow") + SqlDialect::likeEscape()
            + QStringLiteral(") ");
        s.params.append({QStringLiteral("tp"), f.typePath});
        s.params.append({QStringLiteral("tpBelow"), SqlDialect::escapeLike(f.typePath + QLatin1Char('\\')) + QLatin1Char('%')});
    }
    if (!f.includeDisabled)
        s.sql += QStringLiteral("and COALESCE(F_Flag,0) = 0 ");
    s.sql += QStringLiteral("order by F_Code");
    return s;
}

QString maxCode()
{
    return QStringLiteral("select max(F_Code) from t_goods");
}

SqlStatement duplicateStatement(const QString &code, qint64 ownId)
{
    return {QStringLiteral("select F_ID from t_goods where F_Code = :code and F_ID <> :id"),
            {{QStringLiteral("code"), code.trimmed()}, {QStringLiteral("id"), ownId}}};
}

SqlStatement usedInLines(const QString &code)
{
    return {QStringLiteral("select F_ID from depotD where F_GoodCode = :code"), {{QStringLiteral("code"), code}}};
}

const QStringList &editedFields()
{
    static const QStringList fields{
        QStringLiteral("Name"),    QStringLiteral("Type"),      QStringLiteral("Spec"),     QStringLiteral("Unit"),
        QStringLiteral("BarCode"), QStringLiteral("EnterPrice"), QStringLiteral("salePrice"), QStringLiteral("Depot"),
        QStringLiteral("begAmount"), QStringLiteral("deptUp"),  QStringLiteral("deptDown"), QStringLiteral("Mem"),
        QStringLiteral("Flag"),    QStringLiteral("Address"),   QStringLiteral("ZF1"),      QStringLiteral("ZF2"),
        QStringLiteral("ZF3"),     QStringLiteral("ZF4"),       QStringLiteral("ZF5"),      QStringLiteral("SZ1"),
        QStringLiteral("SZ2"),     QStringLiteral("SZ3"),       QStringLiteral("RQ1"),      QStringLiteral("RQ2"),
        QStringLiteral("RQ3")};
    return fields;
}

namespace {
SqlParams fieldParams(const QVariantMap &values)
{
    SqlParams p;
    for (const QString &f : editedFields())
        p.append({f, values.value(f)});
    return p;
}
} // namespace

SqlStatement insertStatement(const QVariantMap &values)
{
    SqlStatement s;
    s.sql = QStringLiteral(
        "insert into t_goods(F_Code,F_Name,F_Type,F_Spec,F_Unit,F_BarCode,F_EnterPrice,F_SalePrice,F_Depot,F_BegAmount,"
        "F_DeptUp,F_DeptDown,F_Mem,F_Flag,F_Address,F_ZF1,F_ZF2,F_ZF3,F_ZF4,F_ZF5,F_SZ1,F_SZ2,F_SZ3,F_RQ1,F_RQ2,F_RQ3) "
        "values(:code,:Name,:Type,:Spec,:Unit,:BarCode,:EnterPrice,:salePrice,:Depot,:begAmount,:deptUp,:deptDown,:Mem,"
        ":Flag,:Address,:ZF1,:ZF2,:ZF3,:ZF4,:ZF5,:SZ1,:SZ2,:SZ3,:RQ1,:RQ2,:RQ3)");
    s.params.append({QStringLiteral("code"), values.value(QStringLiteral("Code"))});
    s.params += fieldParams(values);
    return s;
}

SqlStatement updateStatement(qint64 id, const QVariantMap &values)
{
    SqlStatement s;
    s.sql = QStringLiteral(
        "update t_goods set F_Code = :code,F_Name = :Name,F_Type = :Type,F_Spec = :Spec,F_Unit = :Unit,"
        "F_BarCode = :BarCode,F_BegAmount = :begAmount,F_DeptUp = :deptUp,F_DeptDown = :deptDown,"
        "F_EnterPrice = :EnterPrice,F_SalePrice = :salePrice,F_Depot = :Depot,F_Mem = :Mem,F_Flag = :Flag,"
        "F_Address = :Address,F_ZF1 = :ZF1,F_ZF2 = :ZF2,F_ZF3 = :ZF3,F_ZF4 = :ZF4,F_ZF5 = :ZF5,F_SZ1 = :SZ1,"
        "F_SZ2 = :SZ2,F_SZ3 = :SZ3,F_RQ1 = :RQ1,F_RQ2 = :RQ2,F_RQ3 = :RQ3 where F_ID = :ID");
    s.params.append({QStringLiteral("code"), values.value(QStringLiteral("Code"))});
    s.params += fieldParams(values);
    s.params.append({QStringLiteral("ID"), id});
    return s;
}

QList<SqlStatement> renameStatements(const QString &oldCode, const QString &newCode)
{
    const SqlParams p{{QStringLiteral("new"), newCode}, {QStringLiteral("old"), oldCode}};
    return {{QStringLiteral("update depotD set F_GoodCode = :new where F_GoodCode = :old"), p},
            {QStringLiteral("update ddDepotD set F_GoodCode = :new where F_GoodCode = :old"), p},
            {QStringLiteral("update t_begDept set F_GoodCode = :new where F_GoodCode = :old"), p}};
}

SqlStatement describeLines(const QString &code, const QString &name, const QString &type, const QString &spec,
                           const QString &unit, const QString &origin)
{
    return {QStringLiteral("update depotD set F_GoodName = :name,F_Type = :type,F_Spec = :spec,F_Unit = :unit,"
                           "F_Address = :address where F_GoodCode = :code"),
            {{QStringLiteral("name"), name.trimmed()},
             {QStringLiteral("type"), type.trimmed()},
             {QStringLiteral("spec"), spec.trimmed()},
             {QStringLiteral("unit"), unit.trimmed()},
             {QStringLiteral("address"), origin.trimmed()},
             {QStringLiteral("code"), code}}};
}

SqlStatement openingStock(const QString &code)
{
    SqlStatement s{QStringLiteral("select F_ID,F_GoodCode,F_Depot,F_Amount,F_Price,F_totalPrice from t_begDept "
                                  "where F_GoodCode = :code "),
                   {{QStringLiteral("code"), code}}};
    const SqlFragment depots = DepotFilter::fromSession().nameCond(QStringLiteral("F_Depot"));
    s.sql += depots.text + QStringLiteral("order by F_ID");
    s.params += depots.params;
    return s;
}

SqlStatement depotsWithoutStock(const QString &code)
{
    SqlStatement s{QStringLiteral("select F_name from t_code where F_type = 'depot' and not exists "
                                  "(select 1 from t_begDept b where b.F_GoodCode = :code and b.F_Depot = t_code.F_name) "),
                   {{QStringLiteral("code"), code}}};
    const SqlFragment depots = DepotFilter::fromSession().nameCond(QStringLiteral("F_name"));
    s.sql += depots.text + QStringLiteral("order by F_ID");
    s.params += depots.params;
    return s;
}

SqlStatement deleteOpeningStock(const QString &code)
{
    return {QStringLiteral("delete from t_begDept where F_GoodCode = :code"), {{QStringLiteral("code"), code}}};
}

QString unitNames()
{
    return QStringLiteral("select F_name from t_code where F_type = 'goodunit' order by F_ID");
}

SqlStatement unitCount(const QString &unit)
{
    return {QStringLiteral("select count(*) from t_code where F_name = :unit and F_type = 'goodunit'"),
            {{QStringLiteral("unit"), unit}}};
}

SqlStatement addUnit(const QString &unit)
{
    return {QStringLiteral("insert into t_code(F_name,F_type) values(:unit,'goodunit')"), {{QStringLiteral("unit"), unit}}};
}

SqlStatement depotNames()
{
    SqlStatement s{QStringLiteral("select F_name from t_code where F_type = 'depot' "), {}};
    const SqlFragment depots = DepotFilter::fromSession().nameCond(QStringLiteral("F_name"));
    s.sql += depots.text + QStringLiteral("order by F_ID");
    s.params = depots.params;
    return s;
}

SqlStatement setType(qint64 id, const QString &type)
{
    return {QStringLiteral("update t_goods set F_Type = :type where F_ID = :id"),
            {{QStringLiteral("type"), type}, {QStringLiteral("id"), id}}};
}

} // namespace GoodsStatements
