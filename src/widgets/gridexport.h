#pragma once

#include <QString>

class DataGrid;
class ExportTable;

// Export of a grid's rows to a file of one of six types (as shown on screen: visible columns,
// their titles and display formats, every row in the grid's order).
namespace GridExport {

enum Type { Xls = 1, Txt = 2, Htm = 3, Rtf = 4, Csv = 5, Xlsx = 6 };

// The save dialog's type list, in type-index order.
QString dialogFilter();
// "xls", "txt", "htm", "rtf", "csv", "xlsx".
QString extension(int type);
// The file name with "." and the extension appended unless its last characters (as many as
// the extension has, compared without case) already are the extension.
QString withExtension(const QString &fileName, int type);

// Writes a table as a file of the type. False with a reason on failure (no file is left
// half-written).
bool writeTable(const ExportTable &table, const QString &fileName, int type, QString *error);
bool writeFile(const DataGrid &grid, const QString &fileName, int type, QString *error);

// Writes every column (hidden ones included) into an .xlsx workbook as ExportGridToExcel does:
// the sheet named, texts as text cells, numbers with the columns' formats, the placeholder date
// 1900-08-14 left empty.
bool writeExcelWorkbook(const DataGrid &grid, const QString &fileName, const QString &sheetName, QString *error);

// Asks the desktop to open a file with its program (tests record it instead).
bool openWithDesktop(const QString &fileName);

} // namespace GridExport

// Shows a save dialog (proposed name, type preselected) and writes the grid's rows to the
// chosen file; then asks "导出 “name” 成功，打开该文件吗？" and opens the file on confirmation.
void ExportGridToFile(DataGrid *grid, const QString &proposedName, int typeIndex = GridExport::Xls);

// Writes the grid into a new .xlsx workbook with the named sheet and, when show is set, opens it
// with the desktop's spreadsheet program; when no program opens it, says where it was saved.
void ExportGridToExcel(DataGrid *grid, const QString &sheetName, bool show = true);
