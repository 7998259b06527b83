#pragma once

#include <QString>

class ExportTable;

// Writes an Excel workbook (.xlsx): the titles in bold in row 1, then the rows from row 2;
// numbers and dates with the columns' formats, texts as text cells. Longer tables than a sheet
// holds continue on further sheets.
class XlsxWorkbookWriter
{
public:
    struct Options {
        QString sheetName;
        // The placeholder date 1900-08-14 becomes an empty cell.
        bool clearMissingDate = false;
        // Columns without a format: texts get the text format "@" so that Excel keeps them
        // as typed (codes with leading zeros).
        bool textFormatForTexts = true;
    };
    static constexpr int MaxRowsPerSheet = 1048576;

    static bool write(const ExportTable &table, const QString &fileName, const Options &options, QString *error);
};
