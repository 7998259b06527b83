#include "clientstatements.h"

#include "data/sqldialect.h"

#include <QStringList>

namespace ClientStatements {

namespace {

QString like() { return QStringLiteral(" LIKE :q") + SqlDialect::likeEscape() + QLatin1Char(' '); }

QString contains(const QString &text) { return QLatin1Char('%') + SqlDialect::escapeLike(text) + QLatin1Char('%'); }

QString sideCondition(int side, const QString &value, SqlParams *params)
{
    if (value.isEmpty())
        return QString();
    params->append({QStringLiteral("side"), value});
    return side == SideType ? QStringLiteral("and COALESCE(F_type,'') = :side ")
                            : QStringLiteral("and COALESCE(F_EmpName,'') = :side ");
}

} // namespace

SqlStatement listStatement(const ListFilter &f)
{
    SqlStatement s;
    s.sql = QStringLiteral("select * from t_client where (F_operFlag = :kind) ");
    s.params.append({QStringLiteral("kind"), f.kind});
    const QString t = f.text.trimmed();
    static const char *const columns[] = {"F_Code", "F_Name", "F_LinkMan", "F_Address", "F_Mem"};
    if (f.queryType >= ByCode && f.queryType <= ByMemo) {
        s.sql += QStringLiteral("and COALESCE(%1,'')").arg(QLatin1String(columns[f.queryType])) + like();
        s.params.append({QStringLiteral("q"), f.queryType == ByCode ? SqlDialect::escapeLike(t) + QLatin1Char('%') : contains(t)});
    }
    if (!f.includeDisabled)
        s.sql += QStringLiteral("and (COALESCE(F_UseFlag,0) = 0) ");
    s.sql += sideCondition(f.sideFilter, f.sideValue, &s.params);
    s.sql += QStringLiteral("order by F_Code");
    return s;
}

SqlStatement pickStatement(const PickFilter &f)
{
    SqlStatement s;
    s.sql = QStringLiteral("select * from t_client where (COALESCE(F_UseFlag,0) = 0) and (COALESCE(F_operFlag,0) = :kind) ");
    s.params.append({QStringLiteral("kind"), f.kind});
    const struct {
        const char *column;
        const char *name;
        QString text;
    } parts[] = {{"F_Code", "code", f.code.trimmed()}, {"F_Name", "name", f.name.trimmed()}, {"F_Phone", "phone", f.phone.trimmed()}};
    for (const auto &p : parts) {
        if (p.text.isEmpty())
            continue;
        s.sql += QStringLiteral("and %1 LIKE :%2").arg(QLatin1String(p.column), QLatin1String(p.name)) + SqlDialect::likeEscape()
            + QLatin1Char(' ');
        s.params.append({QLatin1String(p.name), contains(p.text)});
    }
    s.sql += sideCondition(f.sideFilter, f.sideValue, &s.params);
    s.sql += QStringLiteral("order by F_Code, F_type");
    return s;
}

QString employeeNames()
{
    return QStringLiteral("select distinct F_Name from t_employee where (COALESCE(F_Flag,0) = 0) and F_Name <> '' order by F_Name");
}

QString partnerTypes()
{
    return QStringLiteral("select distinct F_name from t_code where (F_name <> '') and F_type = 'clttype' order by F_name");
}

SqlStatement duplicateStatement(int kind, const QString &code, qint64 ownId)
{
    return {QStringLiteral("select F_ID from t_client where F_Code = :code and F_operFlag = :kind and F_ID <> :id"),
            {{QStringLiteral("code"), code.trimmed()}, {QStringLiteral("kind"), kind}, {QStringLiteral("id"), ownId}}};
}

const QStringList &editedFields()
{
    static const QStringList fields{
        QStringLiteral("Name"),     QStringLiteral("Type"),     QStringLiteral("LinkMan"),  QStringLiteral("Phone"),
        QStringLiteral("Address"),  QStringLiteral("Postcode"), QStringLiteral("fax"),      QStringLiteral("handPhone"),
        QStringLiteral("BegPrice"), QStringLiteral("Mem"),      QStringLiteral("UseFlag"),  QStringLiteral("bank"),
        QStringLiteral("account"),  QStringLiteral("ratecode"), QStringLiteral("homepage"), QStringLiteral("Email"),
        QStringLiteral("enrol"),    QStringLiteral("empName")};
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

SqlStatement insertStatement(int kind, const QVariantMap &values)
{
    SqlStatement s;
    s.sql = QStringLiteral(
        "insert into t_client(F_Code,F_Name,F_Type,F_LinkMan,F_Phone,F_Address,F_Postcode,F_Fax,F_HandPhone,F_BegPrice,"
        "F_Mem,F_UseFlag,F_Bank,F_Account,F_Ratecode,F_Homepage,F_Email,F_Enrol,F_EmpName,F_operFlag) "
        "values(:Code,:Name,:Type,:LinkMan,:Phone,:Address,:Postcode,:fax,:handPhone,:BegPrice,:Mem,:UseFlag,:bank,"
        ":account,:ratecode,:homepage,:Email,:enrol,:empName,:kind)");
    s.params.append({QStringLiteral("Code"), values.value(QStringLiteral("Code"))});
    s.params += fieldParams(values);
    s.params.append({QStringLiteral("kind"), kind});
    return s;
}

SqlStatement updateStatement(qint64 id, const QVariantMap &values)
{
    SqlStatement s;
    s.sql = QStringLiteral(
        "update t_client set F_Name = :Name,F_Type = :Type,F_LinkMan = :LinkMan,F_Phone = :Phone,F_Address = :Address,"
        "F_Postcode = :Postcode,F_Fax = :fax,F_HandPhone = :handPhone,F_BegPrice = :BegPrice,F_Mem = :Mem,"
        "F_UseFlag = :UseFlag,F_Bank = :bank,F_Account = :account,F_Ratecode = :ratecode,F_Homepage = :homepage,"
        "F_Email = :Email,F_Enrol = :enrol,F_EmpName = :empName where F_ID = :ID");
    s.params = fieldParams(values);
    s.params.append({QStringLiteral("ID"), id});
    return s;
}

} // namespace ClientStatements
