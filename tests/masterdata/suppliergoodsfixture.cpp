#include "suppliergoodsfixture.h"

#include "data/numberformats.h"
#include "data/session.h"
#include "data/tdmdata.h"
#include "reporting/reportservice.h"

#include <QSqlError>
#include <QSqlQuery>

namespace SupplierGoodsFixture {

void login(TdmData &dm, const QString &operCode)
{
    Session &s = Session::instance();
    s.clearOperator();
    s.sOperCode = operCode;
    s.sOperName = QStringLiteral("测试员");
    s.sCorpName = QStringLiteral("测试公司");
    s.bNew = s.bEdit = s.bDel = s.bCheck = s.bSet = true;
    s.bYGedit = s.bHPedit = s.bKHedit = s.bPrice = true;
    s.iCKflag = 0;
    s.sOperDepots.clear();
    s.operDepotList.clear();
    s.sNoPrice.clear();
    s.iAmountDec = 2;
    s.iPriceDec = 2;
    s.iTotalDec = 2;
    s.bAutoGoodCode = false;
    NumberFormats::BuildNumberFormats();
    for (int i = 1; i <= 11; ++i) {
        s.KeyValueText[i] = QStringLiteral("自定义%1").arg(i);
        s.KeyValueFlag[i] = true;
    }
    ReportService::of(dm).setTemplateDir(QStringLiteral(MD_QR_DIR));
}

static bool run(TdmData &dm, QSqlQuery &q, const QString &sql, const QVariantList &values)
{
    if (!q.prepare(sql)) {
        qWarning("prepare: %s\n%s", qPrintable(q.lastError().text()), qPrintable(sql));
        return false;
    }
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        qWarning("exec: %s\n%s", qPrintable(q.lastError().text()), qPrintable(sql));
        return false;
    }
    Q_UNUSED(dm);
    return true;
}

bool exec(TdmData &dm, const QString &sql, const QVariantList &values)
{
    QSqlQuery q(dm.db());
    return run(dm, q, sql, values);
}

QVariant value(TdmData &dm, const QString &sql, const QVariantList &values)
{
    QSqlQuery q(dm.db());
    if (!run(dm, q, sql, values) || !q.next())
        return QVariant();
    return q.value(0);
}

int count(TdmData &dm, const QString &sql, const QVariantList &values)
{
    return value(dm, sql, values).toInt();
}

bool addPartner(TdmData &dm, int kind, const QString &code, const QString &name, const QString &type,
                const QString &empName, bool disabled, const QString &phone)
{
    return exec(dm,
                QStringLiteral("insert into t_client(F_operFlag,F_Code,F_Name,F_type,F_EmpName,F_UseFlag,F_Phone,F_BegPrice) "
                               "values(?,?,?,?,?,?,?,0)"),
                {kind, code, name, type, empName, disabled ? 1 : 0, phone});
}

bool addCode(TdmData &dm, const QString &type, const QString &name)
{
    return exec(dm, QStringLiteral("insert into t_code(F_type,F_name) values(?,?)"), {type, name});
}

bool addEmployee(TdmData &dm, const QString &code, const QString &name, bool left)
{
    return exec(dm, QStringLiteral("insert into t_employee(F_Code,F_Name,F_Flag) values(?,?,?)"), {code, name, left ? 1 : 0});
}

} // namespace SupplierGoodsFixture
