#include "xlsxworkbookwriter.h"

#include "exporttable.h"
#include "spreadsheetcell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QUuid>

#include <xlsxwriter.h>

namespace {

QString sheetNameFor(const QString &base, int index, int count)
{
    QString name = base.trimmed().isEmpty() ? QStringLiteral("Sheet1") : base.trimmed();
    for (const QChar bad : {QLatin1Char('['), QLatin1Char(']'), QLatin1Char(':'), QLatin1Char('*'), QLatin1Char('?'),
                            QLatin1Char('/'), QLatin1Char('\\')})
        name.replace(bad, QLatin1Char('_'));
    if (name.startsWith(QLatin1Char('\'')))
        name[0] = QLatin1Char('_');
    if (count > 1)
        return name.left(26) + QStringLiteral(" (%1)").arg(index + 1);
    return name.left(31);
}

} // namespace

bool XlsxWorkbookWriter::write(const ExportTable &table, const QString &fileName, const Options &options, QString *error)
{
    const int columns = std::min(table.columnCount(), int(LXW_COL_MAX));
    const int rows = table.rowCount();
    const int perSheet = MaxRowsPerSheet - 1;
    const int sheetCount = std::max(1, (rows + perSheet - 1) / perSheet);

    // Written beside the target and renamed at the end, so a failure leaves no half file.
    const QFileInfo target(fileName);
    const QString temp = target.absolutePath() + QStringLiteral("/.") + target.fileName() + QLatin1Char('.')
                         + QUuid::createUuid().toString(QUuid::Id128).left(8) + QStringLiteral(".tmp");
    const QByteArray tempPath = QFile::encodeName(temp);
    lxw_workbook_options lopts{};
    lopts.constant_memory = rows > 100000 ? LXW_TRUE : LXW_FALSE;
    lopts.use_zip64 = LXW_TRUE;
    lxw_workbook *wb = workbook_new_opt(tempPath.constData(), &lopts);
    if (!wb) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(fileName);
        return false;
    }

    lxw_format *title = workbook_add_format(wb);
    format_set_bold(title);
    format_set_align(title, LXW_ALIGN_CENTER);
    QHash<QString, lxw_format *> formats;
    auto formatFor = [&](const QString &code) -> lxw_format * {
        if (code.isEmpty())
            return nullptr;
        auto it = formats.constFind(code);
        if (it != formats.constEnd())
            return it.value();
        lxw_format *f = workbook_add_format(wb);
        if (code == QLatin1String("@"))
            format_set_num_format_index(f, 49); // the built-in text format
        else
            format_set_num_format(f, code.toUtf8().constData());
        formats.insert(code, f);
        return f;
    };

    lxw_error err = LXW_NO_ERROR;
    for (int s = 0; s < sheetCount && err == LXW_NO_ERROR; ++s) {
        const QByteArray name = sheetNameFor(options.sheetName, s, sheetCount).toUtf8();
        lxw_worksheet *ws = workbook_add_worksheet(wb, name.constData());
        if (!ws) {
            err = LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
            break;
        }
        for (int c = 0; c < columns; ++c)
            worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), std::clamp(table.width(c) / 7.0, 4.0, 100.0), nullptr);
        for (int c = 0; c < columns && err == LXW_NO_ERROR; ++c)
            err = worksheet_write_string(ws, 0, lxw_col_t(c), table.title(c).toUtf8().constData(), title);
        const int first = s * perSheet;
        const int last = std::min(rows, first + perSheet);
        for (int r = first; r < last && err == LXW_NO_ERROR; ++r) {
            const lxw_row_t xr = lxw_row_t(r - first + 1);
            for (int c = 0; c < columns && err == LXW_NO_ERROR; ++c) {
                const SpreadsheetCell cell = SpreadsheetCell::from(table, r, c, options.clearMissingDate);
                switch (cell.kind) {
                case SpreadsheetCell::Kind::Empty:
                    break;
                case SpreadsheetCell::Kind::Number:
                    err = worksheet_write_number(ws, xr, lxw_col_t(c), cell.number, formatFor(cell.format));
                    break;
                case SpreadsheetCell::Kind::Text:
                    err = worksheet_write_string(ws, xr, lxw_col_t(c), cell.text.toUtf8().constData(),
                                                 options.textFormatForTexts ? formatFor(cell.format) : nullptr);
                    break;
                }
            }
        }
    }
    const lxw_error closeErr = workbook_close(wb);
    if (err == LXW_NO_ERROR)
        err = closeErr;
    if (err != LXW_NO_ERROR) {
        QFile::remove(temp);
        if (error)
            *error = QString::fromUtf8(lxw_strerror(err));
        return false;
    }
    if (QFile::exists(fileName) && !QFile::remove(fileName)) {
        QFile::remove(temp);
        if (error)
            *error = QStringLiteral("cannot replace %1").arg(fileName);
        return false;
    }
    if (!QFile::rename(temp, fileName)) {
        QFile::remove(temp);
        if (error)
            *error = QStringLiteral("cannot write %1").arg(fileName);
        return false;
    }
    return true;
}
