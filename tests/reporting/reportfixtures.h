#pragma once

#include "reporting/reporttablesource.h"
#include "reporting/reportvaluehandler.h"

#include <QString>

#include <memory>

// The demonstration data set: three receipts of two suppliers with their lines, and a value
// handler answering the company and supplier variables.
namespace ReportFixtures {

QString fixturePath(const QString &name);

std::shared_ptr<ReportTableSource> demoMaster();
std::shared_ptr<ReportTableSource> demoDetail();
// Sum of the F_TotalPrice of the demo lines of one receipt (all receipts when code is empty).
double demoTotal(const QString &code = {});
// Answers sCurKHname, bsPhone, bsFax, sLinkMan, sPhone, sAddress; leaves sFax and sNote alone.
ReportValueHandler demoHandler();

// A list of n rows: F_No 1..n, F_Name "货品n", F_Amount n * 1.5.
std::shared_ptr<ReportTableSource> numberedList(int n);

} // namespace ReportFixtures
