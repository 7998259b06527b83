#include "employeestatements.h"

#include "codelisttabs.h"

#include "data/sqldialect.h"

namespace EmployeeStatements {

namespace {

const char *const ListHead = "select F_ID, F_Code, F_Name, F_Sex, F_duty, F_dept, F_phone, F_Mem, F_Flag, F_imagePath "
                             "from t_employee where (1=1) ";

QVariant imageValue(const QVariant &v)
{
    const QByteArray bytes = v.toByteArray();
    // No picture is stored as NULL, not as an empty value.
    return bytes.isEmpty() ? QVariant(QMetaType::fromType<QByteArray>()) : QVariant(bytes);
}

SqlParams saveParams(const QVariantMap &v)
{
    return {{QStringLiteral("Name"), v.value(QStringLiteral("Name"))},
            {QStringLiteral("Sex"), v.value(QStringLiteral("Sex"))},
            {QStringLiteral("duty"), v.value(QStringLiteral("duty"))},
            {QStringLiteral("dept"), v.value(QStringLiteral("dept"))},
            {QStringLiteral("phone"), v.value(QStringLiteral("phone"))},
            {QStringLiteral("Mem"), v.value(QStringLiteral("Mem"))},
            {QStringLiteral("Flag"), v.value(QStringLiteral("Flag"))},
            {QStringLiteral("imagePath"), v.value(QStringLiteral("imagePath"))},
            {QStringLiteral("EmpImage"), imageValue(v.value(QStringLiteral("EmpImage")))}};
}

} // namespace

QStringList queryTypes()
{
    return {QStringLiteral("编  号"), QStringLiteral("姓  名"), QStringLiteral("性  别"),
            QStringLiteral("部  门"), QStringLiteral("职  务"), QStringLiteral("备  注")};
}

bool usesDropDown(int queryType)
{
    return queryType >= 2 && queryType <= 4;
}

SqlStatement listStatement(const ListFilter &f)
{
    SqlStatement s;
    s.sql = QLatin1String(ListHead);
    const QString t = SqlDialect::escapeLike(f.text.trimmed());
    const struct {
        const char *column;
        bool contains;   // "%T%" rather than "T%"
    } conditions[] = {{"F_Code", false}, {"F_Name", true}, {"F_Sex", false},
                      {"F_dept", false}, {"F_duty", false}, {"F_Mem", true}};
    if (f.queryType >= 0 && f.queryType < int(std::size(conditions))) {
        const auto &c = conditions[f.queryType];
        s.sql += QStringLiteral("and coalesce(%1,'') like :t%2 ").arg(QLatin1String(c.column), SqlDialect::likeEscape());
        s.params.append({QStringLiteral("t"), (c.contains ? QStringLiteral("%") : QString()) + t + QStringLiteral("%")});
    }
    if (!f.includeLeft)
        s.sql += QStringLiteral("and coalesce(F_Flag,0) = 0 ");
    s.sql += QStringLiteral("order by F_Code");
    return s;
}

SqlStatement usedDepartments()
{
    return {QStringLiteral("select distinct F_dept from t_employee where F_dept <> '' order by F_dept"), {}};
}

SqlStatement usedDuties()
{
    return {QStringLiteral("select distinct F_duty from t_employee where F_duty <> '' order by F_duty"), {}};
}

SqlStatement dutyList()
{
    return CodeListTabs::namesStatement({QStringLiteral("empduty")});
}

SqlStatement departmentList()
{
    const CodeListTab *tab = CodeListTabs::byTabName(QStringLiteral("tdept"));
    return CodeListTabs::namesStatement(tab ? tab->readKeys : QStringList{QStringLiteral("dept")});
}

SqlStatement duplicateStatement(const QString &code, qint64 ownId)
{
    return {QStringLiteral("select F_ID from t_employee where F_Code = :code and F_ID <> :own"),
            {{QStringLiteral("code"), code.trimmed()}, {QStringLiteral("own"), ownId}}};
}

SqlStatement photoStatement(qint64 id)
{
    return {QStringLiteral("select F_EmpImage from t_employee where F_ID = :id"), {{QStringLiteral("id"), id}}};
}

SqlStatement insertStatement(const QVariantMap &v)
{
    SqlStatement s;
    s.sql = QStringLiteral("insert into t_employee(F_Code,F_Name,F_Sex,F_duty,F_dept,F_phone,F_Mem,F_Flag,F_imagePath,F_EmpImage) "
                           "values(:Code,:Name,:Sex,:duty,:dept,:phone,:Mem,:Flag,:imagePath,:EmpImage)");
    s.params = saveParams(v);
    s.params.prepend({QStringLiteral("Code"), v.value(QStringLiteral("Code"))});
    return s;
}

SqlStatement updateStatement(qint64 id, const QVariantMap &v)
{
    SqlStatement s;
    s.sql = QStringLiteral("update t_employee set F_Code = :Code, F_Name = :Name, F_Sex = :Sex, F_dept = :dept, "
                           "F_phone = :phone, F_duty = :duty, F_Mem = :Mem, F_Flag = :Flag, F_imagePath = :imagePath, "
                           "F_EmpImage = :EmpImage where F_ID = :ID");
    s.params = saveParams(v);
    s.params.prepend({QStringLiteral("Code"), v.value(QStringLiteral("Code"))});
    s.params.append({QStringLiteral("ID"), id});
    return s;
}

} // namespace EmployeeStatements
