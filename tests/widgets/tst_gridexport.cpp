#include "platform/showmess.h"
#include "widgets/compoundfilewriter.h"
#include "widgets/datagrid.h"
#include "widgets/exportscript.h"
#include "widgets/exporttable.h"
#include "widgets/gridexport.h"
#include "widgets/gridlinemodel.h"
#include "widgets/textexportwriter.h"
#include "widgets/xlsworkbookwriter.h"

#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <freexl.h>
#include <minizip/unzip.h>

namespace {

// Rows with the awkward cases: leading zeros, separators, quotes, Chinese, negatives, empty
// values, the placeholder date, and a hidden column.
struct GridFixture {
    GridLineModel lines;
    DataGrid grid;
    GridFixture()
    {
        lines.setFields({"F_Code", "F_Name", "F_Amount", "F_Price", "F_Date", "F_Hidden"});
        lines.appendRow({{"F_Code", "00012"}, {"F_Name", "北京"}, {"F_Amount", 1234.5}, {"F_Price", 3.14159},
                         {"F_Date", QDate(2024, 3, 7)}, {"F_Hidden", "secret"}});
        lines.appendRow({{"F_Code", "A,1"}, {"F_Name", "say \"hi\""}, {"F_Amount", -2.0}, {"F_Price", 5.0},
                         {"F_Date", QDate(1900, 8, 14)}, {"F_Hidden", "x"}});
        lines.appendRow({{"F_Code", "<b>&"}, {"F_Name", "上海{浦东}\\"}, {"F_Date", QVariant()}});
        GridColumn code("F_Code", "编号", 60);
        GridColumn name("F_Name", "名称", 100);
        GridColumn amount("F_Amount", "数量", 80);
        amount.setFormat(",0.00");
        GridColumn price("F_Price", "单价", 70);
        price.setFormat("0.##");
        GridColumn date("F_Date", "日期", 90);
        date.setFormat("yyyy-mm-dd");
        GridColumn hidden("F_Hidden", "隐藏", 50);
        hidden.visible = false;
        grid.setColumns({code, name, amount, price, date, hidden});
        grid.setSourceModel(&lines);
    }
};

QStringList expectedTitles() { return {"编号", "名称", "数量", "单价", "日期"}; }

QList<QStringList> expectedTexts()
{
    return {{"00012", "北京", "1,234.50", "3.14", "2024-03-07"},
            {"A,1", "say \"hi\"", "-2.00", "5", "1900-08-14"},
            {"<b>&", "上海{浦东}\\", "", "", ""}};
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// RFC 4180 records.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\r')) {
            continue;
        } else if (c == QLatin1Char('\n')) {
            row << field;
            field.clear();
            rows << row;
            row.clear();
        } else {
            field += c;
        }
    }
    return rows;
}

struct XlsCell {
    int type = FREEXL_CELL_NULL;
    QString text;
    double number = 0;
};

class XlsReader
{
public:
    explicit XlsReader(const QString &path)
    {
        m_ok = freexl_open(QFile::encodeName(path).constData(), &m_handle) == FREEXL_OK;
    }
    ~XlsReader()
    {
        if (m_handle)
            freexl_close(m_handle);
    }
    bool ok() const { return m_ok; }
    int sheets() const
    {
        unsigned int n = 0;
        freexl_get_info(m_handle, FREEXL_BIFF_SHEET_COUNT, &n);
        return int(n);
    }
    QString sheetName(int i) const
    {
        const char *name = nullptr;
        freexl_get_worksheet_name(m_handle, quint16(i), &name);
        return QString::fromUtf8(name);
    }
    void select(int i) { freexl_select_active_worksheet(m_handle, quint16(i)); }
    QPair<int, int> size() const
    {
        unsigned int rows = 0;
        unsigned short cols = 0;
        freexl_worksheet_dimensions(m_handle, &rows, &cols);
        return {int(rows), int(cols)};
    }
    XlsCell cell(int r, int c) const
    {
        FreeXL_CellValue v;
        XlsCell out;
        if (freexl_get_cell_value(m_handle, unsigned(r), quint16(c), &v) != FREEXL_OK)
            return out;
        out.type = v.type;
        switch (v.type) {
        case FREEXL_CELL_INT:
            out.number = v.value.int_value;
            break;
        case FREEXL_CELL_DOUBLE:
            out.number = v.value.double_value;
            break;
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
            out.text = QString::fromUtf8(v.value.text_value);
            break;
        default:
            break;
        }
        return out;
    }

private:
    const void *m_handle = nullptr;
    bool m_ok = false;
};

QByteArray zipEntry(const QString &zip, const char *entry)
{
    unzFile zf = unzOpen64(QFile::encodeName(zip).constData());
    if (!zf)
        return {};
    QByteArray out;
    if (unzLocateFile(zf, entry, 0) == UNZ_OK && unzOpenCurrentFile(zf) == UNZ_OK) {
        char buf[8192];
        int n;
        while ((n = unzReadCurrentFile(zf, buf, sizeof buf)) > 0)
            out.append(buf, n);
        unzCloseCurrentFile(zf);
    }
    unzClose(zf);
    return out;
}

// The cells of the first sheet of an .xlsx: reference -> (value text, style index, type).
struct XlsxCell {
    QString value;
    int style = 0;
    QString type;
};

QMap<QString, XlsxCell> xlsxCells(const QString &path, const char *sheet = "xl/worksheets/sheet1.xml")
{
    QStringList shared;
    QXmlStreamReader ss(zipEntry(path, "xl/sharedStrings.xml"));
    while (!ss.atEnd())
        if (ss.readNext() == QXmlStreamReader::StartElement && ss.name() == QLatin1String("si"))
            shared << ss.readElementText(QXmlStreamReader::IncludeChildElements);
    QMap<QString, XlsxCell> cells;
    QXmlStreamReader x(zipEntry(path, sheet));
    QString ref;
    XlsxCell cur;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("c")) {
            ref = x.attributes().value("r").toString();
            cur = XlsxCell();
            cur.style = x.attributes().value("s").toInt();
            cur.type = x.attributes().value("t").toString();
        } else if (x.isStartElement() && (x.name() == QLatin1String("v") || x.name() == QLatin1String("t"))) {
            cur.value = x.readElementText();
            if (cur.type == QLatin1String("s"))
                cur.value = shared.value(cur.value.toInt());
        } else if (x.isEndElement() && x.name() == QLatin1String("c")) {
            cells.insert(ref, cur);
        }
    }
    return cells;
}

// numFmtId of each cellXfs entry and the custom codes.
QPair<QList<int>, QMap<int, QString>> xlsxStyles(const QString &path)
{
    QList<int> xfs;
    QMap<int, QString> codes;
    QXmlStreamReader x(zipEntry(path, "xl/styles.xml"));
    bool inCellXfs = false;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("numFmt"))
            codes.insert(x.attributes().value("numFmtId").toInt(), x.attributes().value("formatCode").toString());
        else if (x.isStartElement() && x.name() == QLatin1String("cellXfs"))
            inCellXfs = true;
        else if (x.isEndElement() && x.name() == QLatin1String("cellXfs"))
            inCellXfs = false;
        else if (inCellXfs && x.isStartElement() && x.name() == QLatin1String("xf"))
            xfs << x.attributes().value("numFmtId").toInt();
    }
    return {xfs, codes};
}

// A table of n rows of numbers and codes, for the large workbook cases.
class NumberTable : public ExportTable
{
public:
    explicit NumberTable(int rows) : m_rows(rows) {}
    int rowCount() const override { return m_rows; }
    int columnCount() const override { return 3; }
    QString title(int c) const override { return QStringLiteral("列%1").arg(c); }
    QString text(int r, int c) const override { return value(r, c).toString(); }
    QVariant value(int r, int c) const override
    {
        if (c == 0)
            return QStringLiteral("C%1").arg(r, 7, 10, QLatin1Char('0'));
        return double(r) * (c == 1 ? 1.0 : 0.5);
    }
    QString format(int) const override { return QString(); }
    Qt::Alignment alignment(int) const override { return Qt::AlignLeft; }
    int width(int) const override { return 64; }
    bool isNumeric(int c) const override { return c > 0; }

private:
    int m_rows;
};

} // namespace

class TstGridExport : public QObject
{
    Q_OBJECT
private slots:
    void extensionRule_data();
    void extensionRule();
    void exportThroughDialog();
    void cancelledDialogWritesNothing();
    void textFile();
    void csvFile();
    void htmlFile();
    void rtfFile();
    void xlsFile();
    void xlsxFile();
    void excelWorkbook();
    void excelWorkbookWhenNothingOpensIt();
    void largeXlsSplitsSheets();
    void failedWriteReportsAndLeavesNoFile();
};

void TstGridExport::extensionRule_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("expected");
    QTest::newRow("csv without extension") << "/tmp/a" << 5 << "/tmp/a.csv";
    QTest::newRow("csv upper") << "/tmp/a.CSV" << 5 << "/tmp/a.CSV";
    QTest::newRow("xlsx with type xls") << "/tmp/a.xlsx" << 1 << "/tmp/a.xlsx.xls";
    QTest::newRow("xls") << "/tmp/a.xls" << 1 << "/tmp/a.xls";
    QTest::newRow("only last three") << "/tmp/axls" << 1 << "/tmp/axls";
    QTest::newRow("txt") << "/tmp/a.dat" << 2 << "/tmp/a.dat.txt";
    QTest::newRow("htm") << "/tmp/a" << 3 << "/tmp/a.htm";
    QTest::newRow("rtf") << "/tmp/a.rtf" << 4 << "/tmp/a.rtf";
    QTest::newRow("xlsx") << "/tmp/a.XLSX" << 6 << "/tmp/a.XLSX";
}

void TstGridExport::extensionRule()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(QString, expected);
    QCOMPARE(GridExport::withExtension(name, type), expected);
}

void TstGridExport::exportThroughDialog()
{
    QTemporaryDir dir;
    GridFixture f;
    ExportScript script;
    MessageScript msgs;
    // Comma-separated type, a name typed without extension, "no" to opening it.
    script.chooseFile(dir.filePath("报表"), GridExport::Csv);
    msgs.answer(2);
    ExportGridToFile(&f.grid, "goods", 1);
    QCOMPARE(script.proposed(), QStringList{"goods|1"});
    QVERIFY(QFile::exists(dir.filePath("报表.csv")));
    QCOMPARE(parseCsv(QString::fromUtf8(readAll(dir.filePath("报表.csv")).mid(3))).first(), expectedTitles());
    QCOMPARE(msgs.texts(), QStringList{QStringLiteral("导出 “报表.csv” 成功，打开该文件吗？")});
    QCOMPARE(msgs.shown().first().kind, int(MessQuestion));
    QVERIFY(script.opened().isEmpty());

    // "yes" opens the file.
    msgs.clear();
    script.chooseFile(dir.filePath("b.xlsx"), GridExport::Xls);
    msgs.answer(1);
    ExportGridToFile(&f.grid, "goods");
    QCOMPARE(script.opened(), QStringList{dir.filePath("b.xlsx.xls")});
    XlsReader xls(dir.filePath("b.xlsx.xls"));
    QVERIFY(xls.ok());
}

void TstGridExport::cancelledDialogWritesNothing()
{
    QTemporaryDir dir;
    GridFixture f;
    ExportScript script;
    MessageScript msgs;
    script.cancelDialog();
    ExportGridToFile(&f.grid, dir.filePath("x"), 1);
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(msgs.shown().isEmpty());
    QVERIFY(script.opened().isEmpty());
}

void TstGridExport::textFile()
{
    QTemporaryDir dir;
    GridFixture f;
    QString error;
    const QString path = dir.filePath("a.txt");
    QVERIFY2(GridExport::writeFile(f.grid, path, GridExport::Txt, &error), qPrintable(error));
    const QByteArray bytes = readAll(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(0).split('\t'), expectedTitles());
    for (int r = 0; r < 3; ++r)
        QCOMPARE(lines.at(r + 1).split('\t'), expectedTexts().at(r));
}

void TstGridExport::csvFile()
{
    QTemporaryDir dir;
    GridFixture f;
    QString error;
    const QString path = dir.filePath("a.csv");
    QVERIFY2(GridExport::writeFile(f.grid, path, GridExport::Csv, &error), qPrintable(error));
    const QByteArray bytes = readAll(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QStringList> rows = parseCsv(QString::fromUtf8(bytes.mid(3)));
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.at(0), expectedTitles());
    for (int r = 0; r < 3; ++r)
        QCOMPARE(rows.at(r + 1), expectedTexts().at(r));
    QCOMPARE(TextExportWriter::csvField(" a"), QStringLiteral("\" a\""));
    QCOMPARE(TextExportWriter::csvField("a\nb"), QStringLiteral("\"a\nb\""));
}

void TstGridExport::htmlFile()
{
    QTemporaryDir dir;
    GridFixture f;
    QString error;
    const QString path = dir.filePath("a.htm");
    QVERIFY2(GridExport::writeFile(f.grid, path, GridExport::Htm, &error), qPrintable(error));
    QXmlStreamReader x(readAll(path));
    QList<QStringList> rows;
    QStringList aligns;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("tr"))
            rows << QStringList();
        else if (x.isStartElement() && (x.name() == QLatin1String("td") || x.name() == QLatin1String("th"))) {
            if (rows.size() == 2)
                aligns << x.attributes().value("align").toString();
            rows.last() << x.readElementText();
        }
    }
    QVERIFY2(!x.hasError(), qPrintable(x.errorString()));
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.at(0), expectedTitles());
    for (int r = 0; r < 3; ++r)
        QCOMPARE(rows.at(r + 1), expectedTexts().at(r));
    QCOMPARE(aligns, (QStringList{"left", "left", "right", "right", "left"}));
}

void TstGridExport::rtfFile()
{
    QTemporaryDir dir;
    GridFixture f;
    QString error;
    const QString path = dir.filePath("a.rtf");
    QVERIFY2(GridExport::writeFile(f.grid, path, GridExport::Rtf, &error), qPrintable(error));
    const QString rtf = QString::fromLatin1(readAll(path));
    QVERIFY(rtf.startsWith("{\\rtf1"));
    QVERIFY(rtf.trimmed().endsWith('}'));
    QCOMPARE(rtf.count("\\row"), 4);
    QCOMPARE(rtf.count("\\cell\r\n"), 20);
    // 编号 and 上海{浦东}\ as Unicode escapes with braces and backslash escaped.
    QVERIFY(rtf.contains(QStringLiteral("\\u%1?\\u%2?").arg(int(QChar(u'编').unicode())).arg(int(QChar(u'号').unicode()))));
    QVERIFY(rtf.contains(QStringLiteral("\\u%1?\\u%2?\\{").arg(int(u'上')).arg(int(u'海'))));
    QVERIFY(rtf.contains(QStringLiteral("\\}\\\\}")));
    // Balanced braces outside escapes.
    int depth = 0;
    for (int i = 0; i < rtf.size(); ++i) {
        if (rtf.at(i) == '\\') {
            ++i;
            continue;
        }
        depth += rtf.at(i) == '{' ? 1 : rtf.at(i) == '}' ? -1 : 0;
        QVERIFY(depth >= 0);
    }
    QCOMPARE(depth, 0);
}

void TstGridExport::xlsFile()
{
    QTemporaryDir dir;
    GridFixture f;
    QString error;
    const QString path = dir.filePath("a.xls");
    QVERIFY2(GridExport::writeFile(f.grid, path, GridExport::Xls, &error), qPrintable(error));
    QVERIFY(readAll(path).startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"));
    XlsReader x(path);
    QVERIFY(x.ok());
    QCOMPARE(x.sheets(), 1);
    QCOMPARE(x.sheetName(0), QStringLiteral("Sheet1"));
    x.select(0);
    QCOMPARE(x.size(), qMakePair(4, 5));
    for (int c = 0; c < 5; ++c)
        QCOMPARE(x.cell(0, c).text, expectedTitles().at(c));
    QCOMPARE(x.cell(1, 0).type, int(FREEXL_CELL_SST_TEXT));
    QCOMPARE(x.cell(1, 0).text, QStringLiteral("00012"));
    QCOMPARE(x.cell(1, 1).text, QStringLiteral("北京"));
    QCOMPARE(x.cell(1, 2).number, 1234.5);
    // "0.##" keeps the value rounded as shown.
    QCOMPARE(x.cell(1, 3).number, 3.14);
    QCOMPARE(x.cell(1, 4).type, int(FREEXL_CELL_DATE));
    QCOMPARE(x.cell(1, 4).text, QStringLiteral("2024-03-07"));
    QCOMPARE(x.cell(2, 0).text, QStringLiteral("A,1"));
    QCOMPARE(x.cell(2, 1).text, QStringLiteral("say \"hi\""));
    QCOMPARE(x.cell(2, 2).number, -2.0);
    QCOMPARE(x.cell(2, 4).text, QStringLiteral("1900-08-14"));
    QCOMPARE(x.cell(3, 1).text, QStringLiteral("上海{浦东}\\"));
    QCOMPARE(x.cell(3, 2).type, int(FREEXL_CELL_NULL));
}

void TstGridExport::xlsxFile()
{
    QTemporaryDir dir;
    GridFixture f;
    QString error;
    const QString path = dir.filePath("a.xlsx");
    QVERIFY2(GridExport::writeFile(f.grid, path, GridExport::Xlsx, &error), qPrintable(error));
    const auto cells = xlsxCells(path);
    QCOMPARE(cells.value("A1").value, QStringLiteral("编号"));
    QCOMPARE(cells.value("E1").value, QStringLiteral("日期"));
    QVERIFY(!cells.contains("F1")); // the hidden column is not exported to files
    QCOMPARE(cells.value("A2").value, QStringLiteral("00012"));
    QCOMPARE(cells.value("C2").value.toDouble(), 1234.5);
    QCOMPARE(cells.value("C3").value.toDouble(), -2.0);
    QCOMPARE(cells.value("E2").value.toDouble(), 45358.0); // 2024-03-07
}

void TstGridExport::excelWorkbook()
{
    QTemporaryDir dir;
    GridFixture f;
    ExportScript script;
    script.setExcelFolder(dir.path());
    MessageScript msgs;
    ExportGridToExcel(&f.grid, "货品资料", true);
    QVERIFY(msgs.shown().isEmpty());
    QCOMPARE(script.opened().size(), 1);
    const QString path = script.opened().first();
    QVERIFY(path.startsWith(dir.path()));
    QVERIFY(path.endsWith(".xlsx"));
    QVERIFY(QString::fromUtf8(zipEntry(path, "xl/workbook.xml")).contains(QStringLiteral("name=\"货品资料\"")));

    const auto cells = xlsxCells(path);
    const auto styles = xlsxStyles(path);
    // All columns, hidden ones included, titles in row 1.
    QCOMPARE(cells.value("F1").value, QStringLiteral("隐藏"));
    QCOMPARE(cells.value("F2").value, QStringLiteral("secret"));
    // The code keeps its leading zeros: a text cell in the text format.
    QCOMPARE(cells.value("A2").value, QStringLiteral("00012"));
    QCOMPARE(cells.value("A2").type, QStringLiteral("s"));
    QCOMPARE(styles.first.value(cells.value("A2").style), 49);
    // Numbers with the column's format.
    QCOMPARE(cells.value("C2").value.toDouble(), 1234.5);
    const int amountFmt = styles.first.value(cells.value("C2").style);
    QCOMPARE(styles.second.value(amountFmt), QStringLiteral("#,##0.00"));
    // The placeholder date is left empty; a real date is a date.
    QVERIFY(cells.value("E3").value.isEmpty());
    QCOMPARE(cells.value("E2").value.toDouble(), 45358.0);
    QCOMPARE(styles.second.value(styles.first.value(cells.value("E2").style)), QStringLiteral("yyyy\\-mm\\-dd"));
    // A second export never replaces the first.
    ExportGridToExcel(&f.grid, "货品资料", true);
    QCOMPARE(script.opened().size(), 2);
    QVERIFY(script.opened().at(0) != script.opened().at(1));
    QVERIFY(QFile::exists(script.opened().at(0)) && QFile::exists(script.opened().at(1)));
}

void TstGridExport::excelWorkbookWhenNothingOpensIt()
{
    QTemporaryDir dir;
    GridFixture f;
    ExportScript script;
    script.setExcelFolder(dir.path());
    script.setOpenSucceeds(false);
    MessageScript msgs;
    ExportGridToExcel(&f.grid, "货品资料", true);
    QCOMPARE(msgs.shown().size(), 1);
    const QString path = script.opened().first();
    QCOMPARE(msgs.texts().first(), QStringLiteral("没有可以打开该文件的程序，文件已保存在：") + QDir::toNativeSeparators(path));
    QVERIFY(QFile::exists(path));
}

void TstGridExport::largeXlsSplitsSheets()
{
    QTemporaryDir dir;
    // 300,000 rows: five sheets, and a workbook stream large enough to need extra FAT lists.
    NumberTable table(300000);
    QString error;
    const QString path = dir.filePath("big.xls");
    QVERIFY2(XlsWorkbookWriter::write(table, path, "数据", &error), qPrintable(error));
    QVERIFY(QFileInfo(path).size() > 7 * 1024 * 1024);
    XlsReader x(path);
    QVERIFY(x.ok());
    QCOMPARE(x.sheets(), 5);
    QCOMPARE(x.sheetName(0), QStringLiteral("数据 (1)"));
    x.select(0);
    QCOMPARE(x.size().first, 65536);
    QCOMPARE(x.cell(0, 0).text, QStringLiteral("列0"));
    QCOMPARE(x.cell(65535, 0).text, QStringLiteral("C0065534"));
    x.select(4);
    const int last = 300000 - 4 * 65535; // rows on the last sheet
    QCOMPARE(x.size().first, last + 1);
    QCOMPARE(x.cell(last, 0).text, QStringLiteral("C0299999"));
    QCOMPARE(x.cell(last, 2).number, 299999 * 0.5);
}

void TstGridExport::failedWriteReportsAndLeavesNoFile()
{
    QTemporaryDir dir;
    GridFixture f;
    ExportScript script;
    MessageScript msgs;
    const QString path = dir.filePath("missing/sub/a.csv");
    script.chooseFile(path, GridExport::Csv);
    ExportGridToFile(&f.grid, "a", 1);
    QCOMPARE(msgs.shown().size(), 1);
    QVERIFY(msgs.texts().first().startsWith(QStringLiteral("导出失败：")));
    QCOMPARE(msgs.shown().first().kind, int(MessError));
    QVERIFY(!QFile::exists(path));
    QString error;
    QVERIFY(!GridExport::writeFile(f.grid, dir.filePath("missing/a.xls"), GridExport::Xls, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!GridExport::writeFile(f.grid, dir.filePath("missing/a.xlsx"), GridExport::Xlsx, &error));
}

QTEST_MAIN(TstGridExport)
#include "tst_gridexport.moc"
