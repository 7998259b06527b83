#pragma once

#include "reporting/reportvaluehandler.h"

#include <functional>

class TdmData;

// The report variables the order, receipt and return templates ask for: PageMaxRow (the fixed
// number of lines per page), the company's name, phone and fax, and the supplier's contact,
// phone, fax and address, read from the supplier list at each request for the supplier in the
// document's supplier box (empty texts when the box is blank or the supplier is unknown).
namespace DocumentReportValues {

ReportValueHandler lineDocumentHandler(TdmData &dm, std::function<QString()> supplier);

} // namespace DocumentReportValues
