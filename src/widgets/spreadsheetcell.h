#pragma once

#include <QString>

class ExportTable;

// A cell as a spreadsheet stores it: a number (dates as day serials) with its number-format
// code, a text, or nothing.
struct SpreadsheetCell {
    enum class Kind { Empty, Number, Text };
    Kind kind = Kind::Empty;
    double number = 0;
    QString text;
    QString format;     // number-format code; "" General, "@" text

    // How an exported table's cell is written. Numbers and dates keep their value with the
    // column's format translated; texts stay texts (so codes keep their leading zeros).
    // With clearMissingDate the placeholder date 1900-08-14 becomes an empty cell.
    static SpreadsheetCell from(const ExportTable &table, int row, int column, bool clearMissingDate);

    // Day serial of a date and time (1899-12-30 is day 0).
    static double serial(const class QDateTime &dt);
};
