#pragma once

#include <QString>

class ExportTable;

// Writes an Excel 97-2003 workbook (BIFF8 in a compound document): a title row in bold, then
// the rows; numbers and dates as numbers with the columns' formats, texts as texts. A sheet
// holds at most 65,536 rows; longer tables continue on further sheets, each with the titles.
class XlsWorkbookWriter
{
public:
    static constexpr int MaxRowsPerSheet = 65536;
    static constexpr int MaxColumns = 256;

    static bool write(const ExportTable &table, const QString &fileName, const QString &sheetName, QString *error);
};
