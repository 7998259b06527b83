#pragma once

#include <QDate>
#include <QString>

// The period caption of a report window's two date pickers:
// "统计日期：自 " + from + " 至 " + to, each date as "yyyy年MM月dd日" when its picker is ticked,
// otherwise "启用系统" for the start and "记帐最后一天" for the end.
QString PeriodCaption(const QDate &from, bool fromChecked, const QDate &to, bool toChecked);
