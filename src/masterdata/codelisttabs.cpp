#include "codelisttabs.h"

namespace CodeListTabs {

namespace {

// ":k0,:k1,..." with the values appended to params.
QString keyList(const QStringList &keys, SqlParams *params)
{
    QStringList holders;
    for (int i = 0; i < keys.size(); ++i) {
        const QString name = QStringLiteral("k%1").arg(i);
        holders << QLatin1Char(':') + name;
        params->append({name, keys.at(i)});
    }
    return holders.join(QLatin1Char(','));
}

} // namespace

const QList<CodeListTab> &all()
{
    static const QList<CodeListTab> tabs{
        {QStringLiteral("tempduty"), QStringLiteral("empduty"), QStringLiteral("职    务"), {QStringLiteral("empduty")}},
        {QStringLiteral("tclttype"), QStringLiteral("clttype"), QStringLiteral("单位类型"), {QStringLiteral("clttype")}},
        {QStringLiteral("tgoodunit"), QStringLiteral("goodunit"), QStringLiteral("计量单位"), {QStringLiteral("goodunit")}},
        {QStringLiteral("tdepot"), QStringLiteral("depot"), QStringLiteral("企业仓库"), {QStringLiteral("depot")}},
        {QStringLiteral("tpaymode"), QStringLiteral("paymode"), QStringLiteral("支付方式"), {QStringLiteral("paymode")}},
        {QStringLiteral("tAccount"), QStringLiteral("Account"), QStringLiteral("企业帐户"), {QStringLiteral("Account")}},
        // Departments: the employee editor offers this list; rows delivered under the older key
        // "department" are shown here too and filed under "dept" by the next save.
        {QStringLiteral("tdept"), QStringLiteral("dept"), QStringLiteral("部    门"),
         {QStringLiteral("dept"), QStringLiteral("department")}},
        {QStringLiteral("tkptype"), QStringLiteral("kptype"), QStringLiteral("票据类型"), {QStringLiteral("kptype")}},
        {QStringLiteral("tsuptype"), QStringLiteral("suptype"), QStringLiteral("供应商类型"), {QStringLiteral("suptype")}},
        {QStringLiteral("titemname"), QStringLiteral("itemname"), QStringLiteral("付款项目"), {QStringLiteral("itemname")}},
    };
    return tabs;
}

const CodeListTab *byTabName(const QString &tabName)
{
    for (const CodeListTab &t : all())
        if (t.tabName == tabName)
            return &t;
    return nullptr;
}

QString keyOfTabName(const QString &tabName)
{
    return tabName.mid(1);
}

SqlStatement listStatement(const CodeListTab &tab)
{
    SqlStatement s;
    s.sql = QStringLiteral("select F_ID, F_type, F_name from t_code where F_type in (%1) order by F_ID")
                .arg(keyList(tab.readKeys, &s.params));
    return s;
}

SqlStatement namesStatement(const QStringList &keys)
{
    SqlStatement s;
    s.sql = QStringLiteral("select distinct F_name from t_code where F_name <> '' and F_type in (%1)")
                .arg(keyList(keys, &s.params));
    return s;
}

} // namespace CodeListTabs
