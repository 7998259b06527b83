#include "reportband.h"

#include <QList>

namespace {
struct TypeInfo {
    ReportBand::Type type;
    const char *key;
    const char *caption;
    const char *prefix;
};

const TypeInfo Types[] = {
    {ReportBand::Type::ReportTitle, "reportTitle", "报表标题", "ReportTitle"},
    {ReportBand::Type::PageHeader, "pageHeader", "页眉", "PageHeader"},
    {ReportBand::Type::ColumnHeader, "columnHeader", "列头", "ColumnHeader"},
    {ReportBand::Type::GroupHeader, "groupHeader", "分组头", "GroupHeader"},
    {ReportBand::Type::MasterData, "masterData", "主数据", "MasterData"},
    {ReportBand::Type::DetailData, "detailData", "明细数据", "DetailData"},
    {ReportBand::Type::DetailFooter, "detailFooter", "明细脚注", "DetailFooter"},
    {ReportBand::Type::GroupFooter, "groupFooter", "分组脚注", "GroupFooter"},
    {ReportBand::Type::MasterFooter, "masterFooter", "主数据脚注", "MasterFooter"},
    {ReportBand::Type::ReportSummary, "reportSummary", "报表合计", "ReportSummary"},
    {ReportBand::Type::PageFooter, "pageFooter", "页脚", "PageFooter"},
};

const TypeInfo &info(ReportBand::Type t)
{
    for (const TypeInfo &i : Types)
        if (i.type == t)
            return i;
    return Types[0];
}
} // namespace

QString ReportBand::typeKey(Type t) { return QLatin1String(info(t).key); }

bool ReportBand::typeFromKey(const QString &key, Type *t)
{
    for (const TypeInfo &i : Types) {
        if (key == QLatin1String(i.key)) {
            *t = i.type;
            return true;
        }
    }
    return false;
}

QString ReportBand::typeCaption(Type t) { return QString::fromUtf8(info(t).caption); }

QString ReportBand::namePrefix(Type t) { return QLatin1String(info(t).prefix); }

QList<ReportBand::Type> ReportBand::allTypes()
{
    QList<Type> out;
    for (const TypeInfo &i : Types)
        out << i.type;
    return out;
}

int ReportBand::order(Type t) { return int(t); }
