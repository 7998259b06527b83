#include "schema.h"

namespace Schema {

namespace {
using T = SqlDialect::ColType;

Column id() { return {"F_ID", T::Identity}; }
Column txt(const char *n, int len = 0) { return {n, T::Text, len}; }
Column memo(const char *n) { return {n, T::LongText}; }
Column num(const char *n) { return {n, T::Float}; }
Column money(const char *n) { return {n, T::Money}; }
Column integer(const char *n) { return {n, T::Int}; }
Column bit(const char *n) { return {n, T::Bit}; }
Column date(const char *n) { return {n, T::Date}; }
Column stamp(const char *n) { return {n, T::DateTime}; }

// The custom items every goods and goods line carries.
QList<Column> customItems()
{
    return {txt("F_ZF1", 255), txt("F_ZF2", 255), txt("F_ZF3", 255), txt("F_ZF4", 255), txt("F_ZF5", 255),
            num("F_SZ1"),      num("F_SZ2"),      num("F_SZ3"),
            date("F_RQ1"),     date("F_RQ2"),     date("F_RQ3")};
}

QList<Column> goodsLine(bool withOrderCode)
{
    QList<Column> c{id(),
                    txt("F_Code", 50),
                    txt("F_GoodCode", 50),
                    txt("F_GoodName", 255),
                    txt("F_Type", 255),
                    txt("F_Spec", 255),
                    txt("F_Unit", 50),
                    txt("F_Address", 255),
                    txt("F_TMcode", 50),
                    num("F_Amount"),
                    money("F_Price"),
                    num("F_Rate"),
                    money("F_TotalPrice")};
    if (withOrderCode)
        c << txt("F_JHcode", 50);
    c << txt("F_Mem", 255);
    c << customItems();
    return c;
}

QList<Column> stockMaster(bool order)
{
    QList<Column> c{id(),
                    txt("F_Code", 255),
                    integer("F_Flag"),
                    integer("F_OperFlag"),
                    date("F_MakeDate"),
                    date("F_date"),
                    txt("F_Client", 50),
                    txt("F_Depot", 255),
                    txt("F_EmpName", 50),
                    txt("F_OldCode", 50),
                    num("F_Amount"),
                    money("F_TotalPrice"),
                    txt("F_Mem", 255),
                    txt("F_Maker", 50),
                    txt("F_Auditer", 50),
                    bit("F_CheckFlag"),
                    stamp("F_AudDate")};
    if (order)
        c << date("F_JHdate");
    return c;
}

QList<Table> buildTables()
{
    QList<Table> t;
    t << Table{"depotM", stockMaster(false)};
    t << Table{"ddDepotM", stockMaster(true)};
    t << Table{"KPdepotM",
               {id(), txt("F_Code", 50), integer("F_Flag"), date("F_MakeDate"), date("F_date"),
                txt("F_CLTname", 255), txt("F_cltCode", 50), txt("F_KPtype", 50), txt("F_KPcode", 50),
                txt("F_KPname", 255), num("F_KPprice"), num("F_TotalPrice"), txt("F_KPemp", 50),
                txt("F_CGDcode", 255), memo("F_memo1"), txt("F_Maker", 50), txt("F_Auditer", 50),
                bit("F_CheckFlag"), stamp("F_AudDate")}};
    t << Table{"cashPayM",
               {id(), txt("F_Code", 255), integer("F_Flag"), integer("F_OperFlag"), date("F_MakeDate"),
                date("F_date"), txt("F_Client", 255), txt("F_OldCode", 255), txt("F_PayMode", 255),
                txt("F_Account", 50), txt("F_itemName", 255), money("F_TotalPrice"), money("F_SKprice"),
                txt("F_EmpName", 50), txt("F_CGDcode", 255), txt("F_Mem", 255), txt("F_Maker", 50),
                txt("F_Auditer", 50), bit("F_CheckFlag"), stamp("F_AudDate")}};
    t << Table{"depotD", goodsLine(true)};
    t << Table{"ddDepotD", goodsLine(false)};
    t << Table{"KPdepotD", {id(), txt("F_Code", 50), txt("F_CGDcode", 50), money("F_TotalPrice"), txt("F_Mem", 255)}};
    t << Table{"cashPayD", {id(), txt("F_Code", 50), txt("F_CGDcode", 50), money("F_TotalPrice"), txt("F_Mem", 255)}};

    t << Table{"t_code", {id(), txt("F_type", 50), txt("F_name", 255)}};
    t << Table{"t_treecode", {id(), txt("F_code", 100), txt("F_name", 255), txt("F_likecode", 255), txt("F_flag", 50)}};
    t << Table{"t_client",
               {id(), integer("F_operFlag"), txt("F_Code", 50), txt("F_Name", 255), txt("F_type", 50),
                txt("F_LinkMan", 255), txt("F_Phone", 50), txt("F_HandPhone", 50), txt("F_Fax", 50),
                txt("F_Address", 255), txt("F_PostCode", 50), txt("F_Bank", 50), txt("F_Account", 50),
                txt("F_Ratecode", 50), txt("F_Homepage", 50), txt("F_Email", 50), txt("F_Enrol", 50),
                txt("F_EmpName", 50), money("F_BegPrice"), memo("F_Mem"), bit("F_UseFlag")}};
    QList<Column> goods{id(), txt("F_Code", 50), txt("F_Name", 255), txt("F_Type", 255), txt("F_Spec", 255),
                        txt("F_Unit", 50), txt("F_Address", 255), txt("F_BarCode", 50), num("F_EnterPrice"),
                        num("F_SalePrice"), txt("F_Depot", 100), num("F_BegAmount"), num("F_DeptUp"),
                        num("F_DeptDown"), memo("F_Mem"), bit("F_Flag")};
    goods << customItems();
    t << Table{"t_goods", goods};
    t << Table{"t_begDept", {id(), txt("F_GoodCode", 50), txt("F_Depot", 50), num("F_Amount"), num("F_Price"), num("F_totalPrice")}};
    t << Table{"t_employee",
               {id(), txt("F_Code", 50), txt("F_Name", 50), txt("F_Sex", 10), txt("F_duty", 50), txt("F_dept", 50),
                txt("F_phone", 50), memo("F_Mem"), bit("F_Flag"), txt("F_imagePath", 255), {"F_EmpImage", T::Blob}}};

    t << Table{"OperList",
               {id(), txt("F_Code", 50), txt("F_Name", 50), txt("F_PassWord", 255), txt("F_PartCode", 50),
                txt("F_Mem", 255), bit("F_Flag"), bit("F_new"), bit("F_edit"), bit("F_del"), bit("F_check"),
                bit("F_set"), bit("F_YGedit"), bit("F_HPedit"), bit("F_KHedit"), bit("F_price"),
                integer("F_CKflag"), memo("F_depot")}};
    t << Table{"PartList", {id(), txt("F_Code", 50), txt("F_Name", 50), txt("F_Mem", 255), bit("F_Flag")}};
    t << Table{"PartLimit", {id(), txt("F_PartCode", 50), txt("F_LmtCode", 50)}};
    t << Table{"Limits", {id(), txt("F_Code", 50), txt("F_Name", 50), integer("F_Flag")}};
    t << Table{"SysInfo",
               {id(), txt("F_Code", 50), memo("F_Name"), txt("F_Manager", 50), txt("F_Phone", 50),
                txt("F_HandPhone", 50), txt("F_Homepage", 255), txt("F_Email", 255), txt("F_Enroler", 50),
                txt("F_Mem", 255), txt("F_BakPath", 255), integer("F_iAmount"), integer("F_iPrice"),
                integer("F_iTotal"), bit("F_b2"), bit("F_b3"), bit("F_b4")}};
    t << Table{"KeyValue", {id(), txt("F_Value", 50), bit("F_Flag")}};
    t << Table{"LogRec", {id(), txt("F_EmpName", 50), txt("F_OperType", 255), txt("F_OperDate", 20), txt("F_OperTime", 20)}};
    t << Table{"cfg_Grid",
               {id(), txt("F_name", 50), txt("F_fieldname", 50), txt("F_caption", 100), integer("F_width"),
                bit("F_visible"), bit("F_readonly"), integer("F_order"), integer("F_alignment"),
                txt("F_displayFormat", 50), txt("F_footerValue", 100), integer("F_footerType")}};
    t << Table{"cfg_import",
               {id(), txt("F_tablename", 50), integer("F_iFlag"), txt("S_Field", 50), txt("F_FieldName", 50),
                txt("F_Field", 50)}};

    // Scratch tables: one private copy per connection.
    t << Table{"tempCode", {txt("F_code", 200)}, true};
    t << Table{"tempDdGood",
               {txt("F_OLDcode", 255), txt("F_code", 50), txt("F_name", 255), txt("F_type", 255),
                txt("F_spec", 255), txt("F_unit", 50), num("F_price"), num("F_yinWg"), num("F_yiWg"),
                num("F_yiTH"), num("F_weiWg"), num("F_yinWg2"), num("F_yiwg2"), num("F_yiTH2"),
                num("F_weiWg2"), integer("F_flag")},
               true};
    t << Table{"tempZhangkuan", {txt("F_Code", 50), money("F_TotalPrice"), money("F_Yishou"), money("F_Yinshou")}, true};
    t << Table{"tempUnit",
               {txt("F_Unit", 255), {"F_Begin", T::Money, 0, "0"}, {"F_Enter", T::Money, 0, "0"},
                {"F_Out", T::Money, 0, "0"}, {"F_End", T::Money, 0, "0"}, integer("F_Flag")},
               true};
    t << Table{"tempDepot",
               {txt("F_depot", 255), txt("F_goodcode", 50), txt("F_goodname", 255), txt("F_type", 100),
                txt("F_spec", 100), txt("F_address", 50), txt("F_unit", 50), num("F_enter"), num("F_out"),
                num("F_end"), money("F_enterPrice"), money("F_outPrice"), money("F_endPrice"),
                money("F_beginPrice"), date("F_makeDate"), integer("F_flag")},
               true};
    t << Table{"TempSaleFx", {txt("F_MakeDate", 50), date("F_TempDate"), money("F_Sale"), num("F_amount")}, true};
    return t;
}

QList<Index> buildIndexes()
{
    return {
        {"ux_depotM_code", "depotM", "F_Code", true},
        {"ux_ddDepotM_code", "ddDepotM", "F_Code", true},
        {"ux_KPdepotM_code", "KPdepotM", "F_Code", true},
        {"ux_cashPayM_code", "cashPayM", "F_Code", true},
        {"ix_depotM_date", "depotM", "F_date"},
        {"ix_depotM_makedate", "depotM", "F_MakeDate"},
        {"ix_depotM_client", "depotM", "F_Client"},
        {"ix_ddDepotM_date", "ddDepotM", "F_date"},
        {"ix_ddDepotM_makedate", "ddDepotM", "F_MakeDate"},
        {"ix_ddDepotM_client", "ddDepotM", "F_Client"},
        {"ix_KPdepotM_date", "KPdepotM", "F_date"},
        {"ix_KPdepotM_makedate", "KPdepotM", "F_MakeDate"},
        {"ix_KPdepotM_client", "KPdepotM", "F_CLTname"},
        {"ix_cashPayM_date", "cashPayM", "F_date"},
        {"ix_cashPayM_makedate", "cashPayM", "F_MakeDate"},
        {"ix_cashPayM_client", "cashPayM", "F_Client"},
        {"ix_depotD_code", "depotD", "F_Code"},
        {"ix_depotD_goodcode", "depotD", "F_GoodCode"},
        {"ix_depotD_jhcode", "depotD", "F_JHcode"},
        {"ix_ddDepotD_code", "ddDepotD", "F_Code"},
        {"ix_ddDepotD_goodcode", "ddDepotD", "F_GoodCode"},
        {"ix_KPdepotD_code", "KPdepotD", "F_Code"},
        {"ix_KPdepotD_cgdcode", "KPdepotD", "F_CGDcode"},
        {"ix_cashPayD_code", "cashPayD", "F_Code"},
        {"ix_cashPayD_cgdcode", "cashPayD", "F_CGDcode"},
        {"ix_goods_code", "t_goods", "F_Code"},
        {"ix_goods_barcode", "t_goods", "F_BarCode"},
        {"ix_goods_type", "t_goods", "F_Type"},
        {"ix_goods_name", "t_goods", "F_Name"},
        {"ix_client_name", "t_client", "F_Name"},
        {"ix_client_code", "t_client", "F_operFlag, F_Code"},
        {"ix_begdept_goodcode", "t_begDept", "F_GoodCode"},
        {"ix_code_type", "t_code", "F_type"},
        {"ix_treecode_code", "t_treecode", "F_flag, F_code"},
        {"ix_cfggrid_name", "cfg_Grid", "F_name"},
        {"ix_operlist_code", "OperList", "F_Code"},
        {"ix_partlimit_part", "PartLimit", "F_PartCode"},
    };
}
} // namespace

const QList<Table> &tables()
{
    static const QList<Table> t = buildTables();
    return t;
}

const QList<Index> &indexes()
{
    static const QList<Index> i = buildIndexes();
    return i;
}

const Table *findTable(const QString &name)
{
    for (const Table &t : tables())
        if (name.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QString createTableSql(SqlDialect::Backend b, const Table &t)
{
    QStringList cols;
    for (const Column &c : t.columns) {
        QString def = QStringLiteral("%1 %2").arg(QLatin1String(c.name), SqlDialect::columnType(b, c.type, c.length));
        if (c.defaultValue)
            def += QStringLiteral(" DEFAULT %1").arg(QLatin1String(c.defaultValue));
        cols << def;
    }
    return SqlDialect::createTableHead(b, QLatin1String(t.name), t.scratch) + QStringLiteral(" (")
        + cols.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString createIndexSql(const Index &i)
{
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(i.unique ? QStringLiteral("UNIQUE ") : QString(), QLatin1String(i.name), QLatin1String(i.table),
             QLatin1String(i.columns));
}

QStringList createStatements(SqlDialect::Backend b)
{
    QStringList out = SqlDialect::databasePreamble(b);
    for (const Table &t : tables())
        if (!t.scratch)
            out << createTableSql(b, t);
    for (const Index &i : indexes())
        out << createIndexSql(i);
    return out;
}

QStringList scratchStatements(SqlDialect::Backend b)
{
    QStringList out;
    for (const Table &t : tables())
        if (t.scratch)
            out << createTableSql(b, t);
    return out;
}

} // namespace Schema
