#include "periodcaption.h"

QString PeriodCaption(const QDate &from, bool fromChecked, const QDate &to, bool toChecked)
{
    const QString format = QStringLiteral("yyyy年MM月dd日");
    const QString f = fromChecked && from.isValid() ? from.toString(format) : QStringLiteral("启用系统");
    const QString t = toChecked && to.isValid() ? to.toString(format) : QStringLiteral("记帐最后一天");
    return QStringLiteral("统计日期：自 ") + f + QStringLiteral(" 至 ") + t;
}
