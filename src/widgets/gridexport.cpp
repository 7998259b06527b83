#include "gridexport.h"

#include "datagrid.h"
#include "datagridexporttable.h"
#include "exportscript.h"
#include "platform/showmess.h"
#include "textexportwriter.h"
#include "xlsworkbookwriter.h"
#include "xlsxworkbookwriter.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace GridExport {

namespace {

const QStringList &filters()
{
    static const QStringList f{QStringLiteral("Excel 文档 (*.xls *.XLS)"),
                               QStringLiteral("Text files (*.txt *.TXT)"),
                               QStringLiteral("HTML file (*.htm *.HTM)"),
                               QStringLiteral("Rich Text Format (*.rtf *.RTF)"),
                               QStringLiteral("Comma separated values (*.csv *.CSV)"),
                               QStringLiteral("Excel 工作簿 (*.xlsx *.XLSX)")};
    return f;
}

QString excelFolder()
{
    if (ExportScript *s = ExportScript::current(); s && !s->excelFolder().isEmpty())
        return s->excelFolder();
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!docs.isEmpty() && QFileInfo(docs).isDir() && QFileInfo(docs).isWritable())
        return docs;
    return QDir::tempPath();
}

QString safeFileName(const QString &name)
{
    QString n = name.trimmed().isEmpty() ? QStringLiteral("导出") : name.trimmed();
    for (const QChar bad : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':'), QLatin1Char('*'), QLatin1Char('?'),
                            QLatin1Char('"'), QLatin1Char('<'), QLatin1Char('>'), QLatin1Char('|')})
        n.replace(bad, QLatin1Char('_'));
    return n;
}

} // namespace

QString dialogFilter()
{
    return filters().join(QStringLiteral(";;"));
}

QString extension(int type)
{
    switch (type) {
    case Txt:
        return QStringLiteral("txt");
    case Htm:
        return QStringLiteral("htm");
    case Rtf:
        return QStringLiteral("rtf");
    case Csv:
        return QStringLiteral("csv");
    case Xlsx:
        return QStringLiteral("xlsx");
    case Xls:
    default:
        return QStringLiteral("xls");
    }
}

QString withExtension(const QString &fileName, int type)
{
    const QString ext = extension(type);
    if (fileName.right(ext.size()).compare(ext, Qt::CaseInsensitive) == 0)
        return fileName;
    return fileName + QLatin1Char('.') + ext;
}

bool writeTable(const ExportTable &table, const QString &fileName, int type, QString *error)
{
    switch (type) {
    case Txt:
        return TextExportWriter::write(table, TextExportWriter::Kind::Txt, fileName, error);
    case Htm:
        return TextExportWriter::write(table, TextExportWriter::Kind::Html, fileName, error);
    case Rtf:
        return TextExportWriter::write(table, TextExportWriter::Kind::Rtf, fileName, error);
    case Csv:
        return TextExportWriter::write(table, TextExportWriter::Kind::Csv, fileName, error);
    case Xlsx: {
        XlsxWorkbookWriter::Options o;
        o.sheetName = QStringLiteral("Sheet1");
        return XlsxWorkbookWriter::write(table, fileName, o, error);
    }
    case Xls:
    default:
        return XlsWorkbookWriter::write(table, fileName, QStringLiteral("Sheet1"), error);
    }
}

bool writeFile(const DataGrid &grid, const QString &fileName, int type, QString *error)
{
    const DataGridExportTable table(grid, DataGridExportTable::Columns::Visible);
    return writeTable(table, fileName, type, error);
}

bool writeExcelWorkbook(const DataGrid &grid, const QString &fileName, const QString &sheetName, QString *error)
{
    const DataGridExportTable table(grid, DataGridExportTable::Columns::All);
    XlsxWorkbookWriter::Options o;
    o.sheetName = sheetName;
    o.clearMissingDate = true;
    return XlsxWorkbookWriter::write(table, fileName, o, error);
}

bool openWithDesktop(const QString &fileName)
{
    if (ExportScript *s = ExportScript::current())
        return s->open(fileName);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

} // namespace GridExport

void ExportGridToFile(DataGrid *grid, const QString &proposedName, int typeIndex)
{
    if (!grid)
        return;
    const QStringList &filters = GridExport::filters();
    typeIndex = std::clamp(typeIndex, 1, int(filters.size()));
    QString fileName;
    int type = typeIndex;
    if (ExportScript *s = ExportScript::current()) {
        const ExportScript::Answer a = s->take(proposedName, typeIndex);
        if (!a.accepted)
            return;
        fileName = a.fileName;
        type = std::clamp(a.typeIndex, 1, int(filters.size()));
    } else {
        QFileDialog dlg(grid->window());
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setNameFilters(filters);
        dlg.selectNameFilter(filters.at(typeIndex - 1));
        dlg.selectFile(proposedName);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return;
        fileName = dlg.selectedFiles().first();
        type = int(filters.indexOf(dlg.selectedNameFilter())) + 1;
        if (type < 1)
            type = typeIndex;
    }
    if (fileName.trimmed().isEmpty())
        return;
    fileName = GridExport::withExtension(fileName, type);
    QString error;
    if (!GridExport::writeFile(*grid, fileName, type, &error)) {
        ShowMess(QStringLiteral("导出失败：") + error, MessError, grid);
        return;
    }
    const QString shortName = QFileInfo(fileName).fileName();
    if (ShowMess(QStringLiteral("导出 “") + shortName + QStringLiteral("” 成功，打开该文件吗？"), MessQuestion, grid) == 1) {
        if (!GridExport::openWithDesktop(fileName))
            ShowMess(QStringLiteral("没有可以打开该文件的程序，文件已保存在：") + QDir::toNativeSeparators(fileName), MessNotice,
                     grid);
    }
}

void ExportGridToExcel(DataGrid *grid, const QString &sheetName, bool show)
{
    if (!grid)
        return;
    const QDir folder(GridExport::excelFolder());
    const QString stem = GridExport::safeFileName(sheetName) + QLatin1Char('_')
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    // Never replace an earlier export of the same second.
    QString fileName = folder.filePath(stem + QStringLiteral(".xlsx"));
    for (int n = 2; QFile::exists(fileName); ++n)
        fileName = folder.filePath(stem + QStringLiteral("_%1.xlsx").arg(n));
    QString error;
    if (!GridExport::writeExcelWorkbook(*grid, fileName, sheetName, &error)) {
        ShowMess(QStringLiteral("导出失败：") + error, MessError, grid);
        return;
    }
    if (show && GridExport::openWithDesktop(fileName))
        return;
    ShowMess((show ? QStringLiteral("没有可以打开该文件的程序，文件已保存在：") : QStringLiteral("文件已保存在："))
                 + QDir::toNativeSeparators(fileName),
             MessNotice, grid);
}
