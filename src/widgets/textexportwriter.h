#pragma once

#include <QString>

class ExportTable;

// Writes a table as shown (column titles, then the cell texts in the columns' display formats):
// tab-separated text, comma-separated values, an HTML table or an RTF table. Text files are
// UTF-8 with a byte-order mark so that spreadsheets and editors show Chinese correctly; lines
// end in CR LF. Files are replaced only when written completely.
class TextExportWriter
{
public:
    enum class Kind { Txt, Csv, Html, Rtf };

    static bool write(const ExportTable &table, Kind kind, const QString &fileName, QString *error);

    // One CSV field (quoted when it holds a comma, quote, line break or outer blanks).
    static QString csvField(const QString &text);
};
