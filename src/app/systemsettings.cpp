#include "systemsettings.h"

#include "data/session.h"
#include "data/tdmdata.h"
#include "platform/inifile.h"

#include <QSqlQuery>

namespace {
const QString kSysInfo = QStringLiteral("select F_iAmount,F_iPrice,F_iTotal,F_b2,F_b3,F_b4 from SysInfo order by F_ID");
const QString kSection = QStringLiteral("config");

// Decimal places are 0 to 10.
int decimals(const QVariant &v, int current)
{
    if (v.isNull())
        return current;
    return qBound(0, v.toInt(), 10);
}
} // namespace

void SystemSettings::readConfig(const IniFile &ini, Session &s)
{
    s.iBakMode = ini.readInteger(kSection, QStringLiteral("ibak"), 0);
    s.iPrintNum = ini.readInteger(kSection, QStringLiteral("iPrintNum"), 5);
    s.bBarcode = ini.readBool(kSection, QStringLiteral("bTM"), false);
}

bool SystemSettings::readSysInfo(TdmData &dm, Session &s)
{
    QSqlQuery q = dm.newQuery();
    if (!dm.OpenQuery(kSysInfo, q))
        return false;
    if (q.next()) {
        s.iAmountDec = decimals(q.value(0), s.iAmountDec);
        s.iPriceDec = decimals(q.value(1), s.iPriceDec);
        s.iTotalDec = decimals(q.value(2), s.iTotalDec);
        s.bAutoGoodCode = q.value(3).toInt() != 0;
        s.bLastPrice = q.value(4).toInt() != 0;
        s.bLastClientPrice = q.value(5).toInt() != 0;
    }
    return true;
}
