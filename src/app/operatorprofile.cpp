#include "operatorprofile.h"

#include "data/depotfilter.h"
#include "data/session.h"
#include "data/tdmdata.h"

#include <QSqlQuery>

namespace {

const QString kOperatorRow = QStringLiteral(
    "select F_Code,F_Name,F_PassWord,F_PartCode,F_Flag,F_new,F_edit,F_del,F_check,F_set,"
    "F_YGedit,F_HPedit,F_KHedit,F_price,F_CKflag,F_depot from OperList where F_Code = :code");
const QString kOperatorName = QStringLiteral("select F_Name from OperList where F_Code = :code");
// One statement for all codes of the role, however many commands there are.
const QString kRoleCodes = QStringLiteral("select F_LmtCode from PartLimit where F_PartCode = :part");
const QString kCompany = QStringLiteral("select F_Code,F_HandPhone as F_fax,F_Phone from SysInfo order by F_ID");
const QString kCustomFields = QStringLiteral("select F_Value,F_Flag from KeyValue order by F_ID");

bool bit(const QSqlQuery &q, int column) { return q.value(column).toInt() != 0; }

} // namespace

QString OperatorProfile::lookupName(TdmData &dm, const QString &code)
{
    if (code.trimmed().isEmpty())
        return QString();
    return dm.QueryString(kOperatorName, {{QStringLiteral("code"), code.trimmed()}});
}

OperatorProfile::LoadResult OperatorProfile::load(TdmData &dm, const QString &code, OperatorProfile *out)
{
    OperatorProfile p;
    QSqlQuery q = dm.newQuery();
    if (!dm.OpenQuery(kOperatorRow, q, {{QStringLiteral("code"), code.trimmed()}}))
        return LoadResult::Failed;
    if (!q.next())
        return LoadResult::NoOperator;
    p.code = q.value(0).toString();
    p.name = q.value(1).toString();
    p.storedPassword = q.value(2).toString();
    p.partCode = q.value(3).toString();
    p.disabled = bit(q, 4);
    if (p.isAdmin()) {
        // The built-in administrator holds every flag and sees every depot.
        p.bNew = p.bEdit = p.bDel = p.bCheck = p.bSet = true;
        p.bYGedit = p.bHPedit = p.bKHedit = p.bPrice = true;
        p.ckFlag = 0;
    } else {
        p.bNew = bit(q, 5);
        p.bEdit = bit(q, 6);
        p.bDel = bit(q, 7);
        p.bCheck = bit(q, 8);
        p.bSet = bit(q, 9);
        p.bYGedit = bit(q, 10);
        p.bHPedit = bit(q, 11);
        p.bKHedit = bit(q, 12);
        p.bPrice = bit(q, 13);
        p.ckFlag = q.value(14).toInt();
        p.depots = q.value(15).toString();
    }
    q.finish();

    if (!p.isAdmin() && !p.partCode.trimmed().isEmpty()) {
        if (!dm.OpenQuery(kRoleCodes, q, {{QStringLiteral("part"), p.partCode}}))
            return LoadResult::Failed;
        while (q.next()) {
            const QString c = q.value(0).toString().trimmed();
            if (!c.isEmpty())
                p.limitCodes.insert(c);
        }
        q.finish();
    }

    if (!dm.OpenQuery(kCompany, q))
        return LoadResult::Failed;
    if (q.next()) {
        p.corpName = q.value(0).toString();
        p.corpFax = q.value(1).toString();
        p.corpPhone = q.value(2).toString();
    }
    q.finish();

    if (!dm.OpenQuery(kCustomFields, q))
        return LoadResult::Failed;
    // Slots 1 to 12; rows beyond the twelfth have no slot.
    for (int slot = 1; slot < int(p.keyValueText.size()) && q.next(); ++slot) {
        p.keyValueText[slot] = q.value(0).toString();
        p.keyValueFlag[slot] = bit(q, 1);
    }
    q.finish();

    *out = p;
    return LoadResult::Loaded;
}

void OperatorProfile::applyTo(Session &s) const
{
    s.sOperCode = code;
    s.sOperName = name;
    s.sPartCode = partCode;
    s.bNew = bNew;
    s.bEdit = bEdit;
    s.bDel = bDel;
    s.bCheck = bCheck;
    s.bSet = bSet;
    s.bYGedit = bYGedit;
    s.bHPedit = bHPedit;
    s.bKHedit = bKHedit;
    s.bPrice = bPrice;
    s.iCKflag = ckFlag;
    s.sOperDepots = depots;
    s.operDepotList = DepotFilter::parseStored(depots);
    s.sNoPrice = bPrice ? QString() : QStringLiteral("1");
    s.limitCodes = limitCodes;
    s.sCorpName = corpName;
    s.sCorpPhone = corpPhone;
    s.sCorpFax = corpFax;
    s.KeyValueText = keyValueText;
    s.KeyValueFlag = keyValueFlag;
}
