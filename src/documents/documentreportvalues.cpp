#include "documentreportvalues.h"

#include "data/session.h"
#include "data/tdmdata.h"

#include <QSqlQuery>

namespace DocumentReportValues {

namespace {
// Suppliers come before clients of the same name.
const QString kSupplier = QStringLiteral(
    "select F_Name,F_LinkMan,F_Phone,F_Fax,F_Address from t_client where F_Name = :name "
    "order by coalesce(F_operFlag,0), F_ID limit 1");

QString supplierField(TdmData &dm, const QString &supplier, const char *field)
{
    if (supplier.trimmed().isEmpty())
        return QString();
    QSqlQuery q = dm.newQuery();
    q.setForwardOnly(true);
    if (!dm.OpenQuery(kSupplier, q, {{QStringLiteral("name"), supplier.trimmed()}}) || !q.next())
        return QString();
    return q.value(QLatin1String(field)).toString();
}
} // namespace

ReportValueHandler lineDocumentHandler(TdmData &dm, std::function<QString()> supplier)
{
    return [&dm, supplier = std::move(supplier)](const QString &name) -> std::optional<QVariant> {
        const Session &s = Session::instance();
        if (name == QLatin1String("PageMaxRow"))
            return s.iPrintNum;
        if (name == QLatin1String("bsPhone"))
            return s.sCorpPhone;
        if (name == QLatin1String("bsFax"))
            return s.sCorpFax;
        if (name == QLatin1String("sCurKHname"))
            return s.sCorpName;
        static const std::pair<const char *, const char *> contact[] = {
            {"sLinkMan", "F_LinkMan"}, {"sPhone", "F_Phone"}, {"sFax", "F_Fax"}, {"sAddress", "F_Address"}};
        for (const auto &[variable, field] : contact)
            if (name == QLatin1String(variable))
                return supplierField(dm, supplier ? supplier() : QString(), field);
        return std::nullopt;
    };
}

} // namespace DocumentReportValues
