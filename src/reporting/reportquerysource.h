#pragma once

#include "reporttablesource.h"

class QSqlQuery;

// The rows of an open query, copied when the source is made, so the report reads them in the
// query's order while the window keeps its own cursor. The query's current row becomes the
// source's current row and the query is left on it. A forward-only query gives the rows from
// its current position on.
class ReportQuerySource : public ReportTableSource
{
public:
    explicit ReportQuerySource(QSqlQuery &query);
};
