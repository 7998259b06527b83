#include "reportfixtures.h"

#include "reporting/moneymintobig.h"
#include "reporting/reportengine.h"
#include "reporting/reportexporter.h"
#include "reporting/reportfunctionregistry.h"
#include "reporting/reportmodelsource.h"
#include "reporting/reportservice.h"
#include "reporting/reporttemplateio.h"
#include "reporting/reportvalue.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

using namespace ReportFixtures;

namespace {
ReportObject text(const QString &name, double x, double y, double w, double h, const QString &t)
{
    ReportObject o;
    o.name = name;
    o.geometry = QRectF(x, y, w, h);
    o.text = t;
    return o;
}

ReportBand band(ReportBand::Type type, const QString &name, double height, std::vector<ReportObject> objects = {})
{
    ReportBand b;
    b.type = type;
    b.name = name;
    b.height = height;
    if (type == ReportBand::Type::MasterData)
        b.dataSource = "frxDM";
    if (type == ReportBand::Type::DetailData)
        b.dataSource = "frxDD";
    b.objects = std::move(objects);
    return b;
}

// Texts of the items of one object on one page, top to bottom.
QStringList textsOf(const PreparedReport &r, int page, const QString &object)
{
    QStringList out;
    if (page >= r.pageCount())
        return out;
    for (const PreparedItem &item : r.pages[page].items)
        if (r.objects[item.object].name == object)
            out << item.text;
    return out;
}

QStringList allTextsOf(const PreparedReport &r, const QString &object)
{
    QStringList out;
    for (int p = 0; p < r.pageCount(); ++p)
        out += textsOf(r, p, object);
    return out;
}

ReportFunctionRegistry serviceFunctions()
{
    return ReportService().functions();
}

PreparedReport prepareDemo(const ReportTemplate &tpl, const ReportFunctionRegistry &functions)
{
    ReportEngine engine(tpl);
    engine.setDataSource("frxDM", demoMaster());
    engine.setDataSource("frxDD", demoDetail());
    engine.setValueHandler(demoHandler());
    engine.setFunctions(&functions);
    engine.setPrintTime(QDateTime(QDate(2024, 3, 5), QTime(9, 30)));
    return engine.prepare();
}

ReportTemplate loadDemo()
{
    ReportTemplate tpl;
    QString error;
    const auto status = ReportTemplateIo::load(fixturePath("demo.xml"), &tpl, &error);
    if (status != ReportTemplateIo::LoadStatus::Loaded)
        qFatal("demo.xml: %s", qPrintable(error));
    return tpl;
}

QString money(double v)
{
    return QString::number(v, 'f', 2);
}

// Columns of the image holding dark pixels inside a row range.
int inkColumns(const QImage &image, int top, int bottom, int *firstCol = nullptr, int *lastCol = nullptr)
{
    int count = 0, first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x) {
        bool ink = false;
        for (int y = std::max(0, top); y < std::min(image.height(), bottom) && !ink; ++y)
            ink = qGray(image.pixel(x, y)) < 128;
        if (ink) {
            ++count;
            if (first < 0)
                first = x;
            last = x;
        }
    }
    if (firstCol)
        *firstCol = first;
    if (lastCol)
        *lastCol = last;
    return count;
}

bool inkInRows(const QImage &image, int top, int bottom)
{
    for (int y = std::max(0, top); y < std::min(image.height(), bottom); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}
} // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT
private slots:
    void fieldsVariablesAndHandler()
    {
        ReportTemplate tpl;
        tpl.variables = {{" 自定义变量", "sCurKHname", QString("模板中的公司")},
                         {" 自定义变量", "sNote", QString("模板中的说明")},
                         {" 自定义变量", "PageMaxRow", qlonglong(3)},
                         {" 自定义变量", "sFax", QString()}};
        tpl.bands.push_back(band(ReportBand::Type::PageHeader, "PageHeader1", 20,
                                 {text("Code", 0, 0, 60, 5, "单号：[frxDM.\"F_Code\"]"), text("Company", 0, 5, 60, 5, "[sCurKHname]"),
                                  text("Note", 0, 10, 60, 5, "[sNote]"), text("Fax", 60, 0, 60, 5, "传真：[sFax]"),
                                  text("Rows", 60, 5, 60, 5, "[PageMaxRow]"), text("Phone", 60, 10, 60, 5, "[bsPhone]")}));
        QStringList asked;
        ReportEngine engine(tpl);
        auto master = demoMaster();
        master->setCurrentRow(1);
        engine.setDataSource("frxDM", master);
        engine.setValueHandler([&asked](const QString &name) -> std::optional<QVariant> {
            asked << name;
            if (name == QLatin1String("sCurKHname"))
                return QString("示范贸易有限公司");
            if (name == QLatin1String("bsPhone"))
                return QString("010-88886666");
            return std::nullopt;
        });
        const PreparedReport r = engine.prepare();
        QCOMPARE(r.pageCount(), 1);
        // Outside a data band a field reads the caller's current row.
        QCOMPARE(textsOf(r, 0, "Code"), QStringList{"单号：CGD20240301002"});
        QCOMPARE(textsOf(r, 0, "Company"), QStringList{"示范贸易有限公司"});   // answered by the handler
        QCOMPARE(textsOf(r, 0, "Note"), QStringList{"模板中的说明"});        // not answered: template value
        QCOMPARE(textsOf(r, 0, "Fax"), QStringList{"传真："});
        QCOMPARE(textsOf(r, 0, "Rows"), QStringList{"3"});
        QCOMPARE(textsOf(r, 0, "Phone"), QStringList{"010-88886666"});       // answered though not defined
        QVERIFY(asked.contains("sNote"));
        QVERIFY(r.warnings.isEmpty());
    }

    void unknownNamesAreReported()
    {
        ReportTemplate tpl;
        tpl.bands.push_back(band(ReportBand::Type::ReportTitle, "ReportTitle1", 10,
                                 {text("A", 0, 0, 50, 5, "[nosuch]|[frxXX.\"F_A\"]|[frxDM.\"F_Nope\"]|[Nofunc(1)]|[1 +]")}));
        ReportEngine engine(tpl);
        engine.setDataSource("frxDM", demoMaster());
        const PreparedReport r = engine.prepare();
        QCOMPARE(textsOf(r, 0, "A"), QStringList{"||||"});
        QCOMPARE(r.warnings.size(), 5);
    }

    void demoTemplateUsesEveryBand()
    {
        const ReportTemplate tpl = loadDemo();
        QSet<ReportBand::Type> types;
        QSet<ReportObject::Kind> kinds;
        for (const ReportBand &b : tpl.bands) {
            types.insert(b.type);
            for (const ReportObject &o : b.objects)
                kinds.insert(o.kind);
        }
        QCOMPARE(types.size(), ReportBand::allTypes().size());
        QCOMPARE(kinds.size(), 4);

        const ReportFunctionRegistry functions = serviceFunctions();
        const PreparedReport r = prepareDemo(tpl, functions);
        QVERIFY2(r.warnings.isEmpty(), qPrintable(r.warnings.join('\n')));
        QCOMPARE(r.pageCount(), 2);
        const QString all = r.text();
        for (const char *expected : {"示范贸易有限公司", "采购入库单汇总", "电话：010-88886666  传真：010-88886667",
                                     "联系人：王经理  电话：021-55550000  地址：上海市浦东新区张江路 88 号", "供应商：华东电子有限公司",
                                     "供应商：南方五金商行", "单号：CGD20240302001  日期：2024-03-02  仓库：二号仓", "单据数：3",
                                     "备注：本单一式三联", "打印日期：2024-03-05"})
            QVERIFY2(all.contains(QString::fromUtf8(expected)), expected);
        QCOMPARE(textsOf(r, 0, "HeadPage"), QStringList{"第 1 页 / 共 2 页"});
        QCOMPARE(textsOf(r, 1, "HeadPage"), QStringList{"第 2 页 / 共 2 页"});
        QCOMPARE(textsOf(r, 1, "FootPage"), QStringList{"2/2"});
        // The picture is decoded and placed on the first page only (report title).
        int pictures = 0;
        for (const PreparedItem &item : r.pages[0].items)
            if (r.objects[item.object].kind == ReportObject::Kind::Picture && !r.images[item.object].isNull())
                ++pictures;
        QCOMPARE(pictures, 1);
    }

    void sumsInFooters()
    {
        const ReportFunctionRegistry functions = serviceFunctions();
        const PreparedReport r = prepareDemo(loadDemo(), functions);
        // Detail footer: the lines of each receipt, formatted by the object's display format.
        QCOMPARE(allTextsOf(r, "DocTotal"),
                 (QStringList{"小计：390.60", "小计：456.00", "小计：98.50"}));
        QCOMPARE(demoTotal("CGD20240301001"), 390.6);
        // Group footer: the lines of the supplier's receipts.
        QCOMPARE(allTextsOf(r, "GroupTotal"),
                 (QStringList{"华东电子有限公司 合计：846.60", "南方五金商行 合计：98.50"}));
        // Report summary: every line.
        QCOMPARE(allTextsOf(r, "GrandTotal"),
                 QStringList{"总计：945.10  大写：" + MoneyMinToBig(demoTotal())});
        QCOMPARE(money(demoTotal()), QString("945.10"));
        QCOMPARE(MoneyMinToBig(demoTotal()), QString("玖佰肆拾伍元壹角零分"));
    }

    void userFunctionInLowerCase()
    {
        const ReportFunctionRegistry functions = serviceFunctions();
        const PreparedReport r = prepareDemo(loadDemo(), functions);
        // The demo writes "moneymintobig(...)" in lower case.
        QCOMPARE(allTextsOf(r, "DocCapital").first(), QString("金额大写：叁佰玖拾零元陆角零分"));
        QVERIFY(loadDemo().object("DocCapital")->text.contains("moneymintobig("));
    }

    void fillToPageMaxRow()
    {
        const ReportFunctionRegistry functions = serviceFunctions();
        const PreparedReport r = prepareDemo(loadDemo(), functions);
        // Receipt 1 has 3 lines: 2 empty rows follow. Receipt 2 has 7 lines: 5 on the first page,
        // then a new page with 2 lines and 3 empty rows. Receipt 3: 2 lines and 3 empty rows.
        const QStringList codes = allTextsOf(r, "Cell2");
        QCOMPARE(codes.size(), 20);
        QCOMPARE(codes.mid(15, 5), (QStringList{"HP0011", "HP0012", "", "", ""}));
        QCOMPARE(codes.mid(0, 5), (QStringList{"HP0001", "HP0002", "HP0003", "", ""}));
        QCOMPARE(codes.mid(5, 5), (QStringList{"HP0004", "HP0005", "HP0006", "HP0007", "HP0008"}));
        QCOMPARE(codes.mid(10, 5), (QStringList{"HP0009", "HP0010", "", "", ""}));
        QCOMPARE(textsOf(r, 1, "Cell2").mid(0, 2), (QStringList{"HP0009", "HP0010"}));
        // The line numbers restart for each receipt and empty rows have none.
        QCOMPARE(allTextsOf(r, "Cell1").mid(5, 10), (QStringList{"1", "2", "3", "4", "5", "6", "7", "", "", ""}));
    }

    void fillRowsFollowsHandler()
    {
        ReportTemplate tpl;
        tpl.variables = {{" 自定义变量", "PageMaxRow", qlonglong(3)}};
        tpl.bands.push_back(band(ReportBand::Type::PageHeader, "PageHeader1", 10, {text("Head", 0, 0, 50, 5, "头 [Page#]")}));
        ReportBand detail = band(ReportBand::Type::DetailData, "DetailData1", 6, {text("Name", 0, 0, 50, 6, "[frxDD.\"F_Name\"]")});
        detail.fillRows = "[PageMaxRow]";
        tpl.bands.push_back(detail);
        tpl.bands.push_back(band(ReportBand::Type::DetailFooter, "DetailFooter1", 6,
                                 {text("Sum", 0, 0, 50, 6, "[SUM(<frxDD.\"F_Amount\">)]")}));

        for (int rows : {0, 3, 4, 12}) {
            for (const auto &answer : {std::optional<QVariant>(), std::optional<QVariant>(5)}) {
                ReportEngine engine(tpl);
                engine.setDataSource("frxDD", numberedList(rows));
                engine.setValueHandler([answer](const QString &name) -> std::optional<QVariant> {
                    return name == QLatin1String("PageMaxRow") ? answer : std::nullopt;
                });
                const PreparedReport r = engine.prepare();
                const int n = answer ? 5 : 3;  // the handler's value wins over the template's
                const int pages = std::max(1, (rows + n - 1) / n);
                QCOMPARE(r.pageCount(), pages);
                for (int p = 0; p < pages; ++p) {
                    const QStringList names = textsOf(r, p, "Name");
                    QCOMPARE(names.size(), n);
                    for (int i = 0; i < n; ++i) {
                        const int row = p * n + i + 1;
                        QCOMPARE(names[i], row <= rows ? QString("货品%1").arg(row) : QString());
                    }
                    QCOMPARE(textsOf(r, p, "Head"), QStringList{QString("头 %1").arg(p + 1)});
                }
                double sum = 0;
                for (int i = 1; i <= rows; ++i)
                    sum += i * 1.5;
                QCOMPARE(textsOf(r, pages - 1, "Sum"), QStringList{ReportValue::toText(sum)});
            }
        }
    }

    void pageBreaksRepeatHeaders()
    {
        ReportTemplate tpl;
        tpl.bands.push_back(band(ReportBand::Type::ReportTitle, "ReportTitle1", 12, {text("Title", 0, 0, 100, 10, "货品清单")}));
        tpl.bands.push_back(band(ReportBand::Type::PageHeader, "PageHeader1", 10,
                                 {text("Head", 0, 0, 100, 5, "表头 [Page#]/[TotalPages#]")}));
        tpl.bands.push_back(band(ReportBand::Type::ColumnHeader, "ColumnHeader1", 5, {text("Col", 0, 0, 40, 5, "名称")}));
        tpl.bands.push_back(band(ReportBand::Type::MasterData, "MasterData1", 10,
                                 {text("No", 0, 0, 20, 5, "[frxDM.\"F_No\"]"), text("Name", 20, 0, 40, 5, "[frxDM.\"F_Name\"]")}));
        tpl.bands.push_back(band(ReportBand::Type::ReportSummary, "ReportSummary1", 10,
                                 {text("Total", 0, 0, 100, 5, "合计 [SUM(<frxDM.\"F_Amount\">)] 共 [COUNT()] 行")}));
        tpl.bands.push_back(band(ReportBand::Type::PageFooter, "PageFooter1", 5,
                                 {text("Foot", 0, 0, 190, 5, "本页 [SUM(<frxDM.\"F_Amount\">)] 第[Page#]页共[TotalPages#]页")}));
        ReportEngine engine(tpl);
        engine.setDataSource("frxDM", numberedList(100));
        const PreparedReport r = engine.prepare();

        // Body: 297 - 20 margins - 10 header - 5 column header - 5 footer = 257 mm; the title takes
        // 12 mm on page 1: 24 rows there, 25 on the others.
        QCOMPARE(r.pageCount(), 5);
        QCOMPARE(textsOf(r, 0, "Title"), QStringList{"货品清单"});
        QCOMPARE(textsOf(r, 1, "Title"), QStringList{});
        QStringList numbers;
        const QList<int> perPage = {24, 25, 25, 25, 1};
        for (int p = 0; p < r.pageCount(); ++p) {
            QCOMPARE(textsOf(r, p, "Head"), QStringList{QString("表头 %1/5").arg(p + 1)});
            QCOMPARE(textsOf(r, p, "Col"), QStringList{"名称"});
            const QStringList rows = textsOf(r, p, "No");
            QCOMPARE(rows.size(), perPage[p]);
            numbers += rows;
            double pageSum = 0;
            for (const QString &n : rows)
                pageSum += n.toInt() * 1.5;
            QCOMPARE(textsOf(r, p, "Foot"), QStringList{QString("本页 %1 第%2页共5页").arg(ReportValue::toText(pageSum)).arg(p + 1)});
        }
        for (int i = 0; i < 100; ++i)
            QCOMPARE(numbers[i], QString::number(i + 1));
        QCOMPARE(textsOf(r, 4, "Total"), QStringList{"合计 7575 共 100 行"});
        // Rows are placed in order down the page, the page footer at the bottom margin.
        const PreparedPage &second = r.pages[1];
        double lastTop = 0;
        for (const PreparedItem &item : second.items) {
            if (r.objects[item.object].name == "No") {
                QVERIFY(item.rect.top() > lastTop);
                lastTop = item.rect.top();
            }
            if (r.objects[item.object].name == "Foot")
                QCOMPARE(item.rect.top(), 297.0 - 10 - 5);
        }
    }

    void pageHeaderAndFooterOptions()
    {
        ReportTemplate tpl;
        ReportBand header = band(ReportBand::Type::PageHeader, "PageHeader1", 10, {text("Head", 0, 0, 50, 5, "H")});
        header.printOnFirstPage = false;
        ReportBand footer = band(ReportBand::Type::PageFooter, "PageFooter1", 10, {text("Foot", 0, 0, 50, 5, "F")});
        footer.printOnLastPage = false;
        tpl.bands.push_back(header);
        tpl.bands.push_back(band(ReportBand::Type::MasterData, "MasterData1", 100, {text("No", 0, 0, 20, 5, "[frxDM.\"F_No\"]")}));
        tpl.bands.push_back(footer);
        ReportEngine engine(tpl);
        engine.setDataSource("frxDM", numberedList(5));
        const PreparedReport r = engine.prepare();
        QCOMPARE(r.pageCount(), 3);
        QCOMPARE(textsOf(r, 0, "Head").size(), 0);
        QCOMPARE(textsOf(r, 1, "Head").size(), 1);
        QCOMPARE(textsOf(r, 0, "Foot").size(), 1);
        QCOMPARE(textsOf(r, 2, "Foot").size(), 0);
    }

    void masterRangeCurrentAndLink()
    {
        ReportTemplate tpl;
        ReportBand master = band(ReportBand::Type::MasterData, "MasterData1", 6, {text("Code", 0, 0, 50, 5, "[frxDM.\"F_Code\"]")});
        master.range = ReportBand::Range::Current;
        ReportBand detail = band(ReportBand::Type::DetailData, "DetailData1", 6, {text("Good", 0, 0, 50, 5, "[frxDD.\"F_GoodCode\"]")});
        detail.link = "F_Code = F_Code";
        tpl.bands = {master, detail};
        auto m = demoMaster();
        m->setCurrentRow(2);
        ReportEngine engine(tpl);
        engine.setDataSource("frxDM", m);
        engine.setDataSource("frxDD", demoDetail());
        const PreparedReport r = engine.prepare();
        QCOMPARE(allTextsOf(r, "Code"), QStringList{"CGD20240302001"});
        QCOMPARE(allTextsOf(r, "Good"), (QStringList{"HP0011", "HP0012"}));
    }

    void emptyTemplateGivesNoPages()
    {
        ReportTemplate tpl;
        QTemporaryDir dir;
        QCOMPARE(ReportTemplateIo::load(dir.filePath("none.xml"), &tpl), ReportTemplateIo::LoadStatus::Missing);
        QVERIFY(tpl.isEmpty());
        ReportEngine engine(tpl);
        engine.setDataSource("frxDM", demoMaster());
        QCOMPARE(engine.prepare().pageCount(), 0);
    }

    void pdfTextComesOut()
    {
        const ReportFunctionRegistry functions = serviceFunctions();
        const PreparedReport r = prepareDemo(loadDemo(), functions);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("demo.pdf");
        QString error;
        QVERIFY2(ReportExporter::exportPdf(r, pdf, &error, "demo"), qPrintable(error));

        QProcess info;
        info.start("pdfinfo", {pdf});
        QVERIFY(info.waitForFinished(30000));
        const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(infoText.contains(QRegularExpression("Pages:\\s+2\\b")), qPrintable(infoText));
        QVERIFY2(infoText.contains("595 x 842 pts (A4)"), qPrintable(infoText));

        QProcess text;
        text.start("pdftotext", {"-layout", "-enc", "UTF-8", pdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        // pdftotext places blanks by the gaps it sees: compare without them. The characters must
        // be the drawn ones (not look-alike radicals such as ⼊ for 入).
        QString out = QString::fromUtf8(text.readAllStandardOutput());
        out.remove(QRegularExpression("\\s"));
        for (const char *expected : {"示范贸易有限公司", "采购入库单汇总", "CGD20240301002", "联系人：王经理", "小计：456.00",
                                     "金额大写：叁佰玖拾零元陆角零分", "本单一式三联", "华东电子有限公司合计：846.60", "第2页/共2页",
                                     "打印日期：2024-03-05"})
            QVERIFY2(out.contains(QString::fromUtf8(expected)), expected);
    }

    void pngPages()
    {
        const ReportFunctionRegistry functions = serviceFunctions();
        const PreparedReport r = prepareDemo(loadDemo(), functions);
        QTemporaryDir dir;
        QStringList files;
        QVERIFY(ReportExporter::exportPng(r, dir.filePath("sub/demo"), 50, &files));
        QCOMPARE(files, (QStringList{dir.filePath("sub/demo-001.png"), dir.filePath("sub/demo-002.png")}));
        const QImage first(files.first());
        QCOMPARE(first.width(), int(std::ceil(210 / 25.4 * 50)));
        QVERIFY(inkInRows(first, 0, first.height()));
    }

    void wrapAndShrink()
    {
        const QString longText = "采购入库单备注：本批货品须于到货后三日内完成验收并入库登记";
        auto render = [&](bool wrap, bool shrink) {
            ReportTemplate tpl;
            tpl.page.marginLeft = tpl.page.marginTop = 0;
            ReportObject o = text("T", 10, 10, 40, 10, longText);
            o.wrap = wrap;
            o.shrink = shrink;
            o.fontSize = 12;
            tpl.bands.push_back(band(ReportBand::Type::ReportTitle, "ReportTitle1", 30, {o}));
            return ReportExporter::renderPage(ReportEngine(tpl).prepare(), 0, 254);  // 10 px per mm
        };
        const int left = 100, right = 500, top = 100, bottom = 200;
        // Nothing is drawn outside the box in any mode.
        for (bool wrap : {false, true}) {
            for (bool shrink : {false, true}) {
                const QImage img = render(wrap, shrink);
                QVERIFY(!inkInRows(img, 0, top - 1));
                QVERIFY(!inkInRows(img, bottom + 1, img.height()));
                int first = 0, last = 0;
                QVERIFY(inkColumns(img, 0, img.height(), &first, &last) > 0);
                QVERIFY(first >= left && last <= right);
            }
        }
        // Without wrapping the text stays on one line, cut at the box.
        const QImage cut = render(false, false);
        QVERIFY(!inkInRows(cut, top + 62, bottom));
        // Wrapped, it continues on further lines.
        QVERIFY(inkInRows(render(true, false), top + 50, bottom));
        // Shrunk on one line: the whole text fits, so it ends before the box's right edge and
        // uses less height than the cut line.
        const QImage shrunk = render(false, true);
        int first = 0, last = 0;
        inkColumns(shrunk, top, bottom, &first, &last);
        QVERIFY(last < right - 3);
        QVERIFY(!inkInRows(shrunk, top + 40, bottom));
    }

    void templateRoundTrip()
    {
        ReportTemplate tpl = loadDemo();
        ReportTemplate again;
        QString error;
        QVERIFY2(ReportTemplateIo::fromXml(ReportTemplateIo::toXml(tpl), &again, &error), qPrintable(error));
        QVERIFY(again == tpl);
        QCOMPARE(again.variables.front().category, QString(" 自定义变量"));
        QCOMPARE(again.variable("PageMaxRow")->value, QVariant(qlonglong(5)));

        // Custom paper, landscape, every object property away from its default.
        ReportTemplate custom;
        custom.page.paper = ReportPageSetup::customPaper();
        custom.page.paperWidth = 241;
        custom.page.paperHeight = 140;
        custom.page.orientation = ReportPageSetup::Orientation::Landscape;
        ReportObject o = text("M1", 1.25, 2.5, 30, 6, "多行\n文本 [Page#]");
        o.fontFamily = "Noto Serif CJK SC";
        o.fontSize = 9.5;
        o.bold = o.italic = o.underline = true;
        o.color = QColor("#123456");
        o.fill = QColor("#fedcba");
        o.hAlign = ReportObject::HAlign::Right;
        o.vAlign = ReportObject::VAlign::Bottom;
        o.format = "#,##0.00";
        o.hideZeros = true;
        o.wrap = false;
        o.shrink = true;
        o.expressions = false;
        o.frame = ReportObject::FrameLeft | ReportObject::FrameBottom;
        o.frameWidth = 1.5;
        o.frameColor = QColor("#ff0000");
        ReportObject line;
        line.kind = ReportObject::Kind::Line;
        line.name = "L1";
        line.geometry = QRectF(5, 5, -3, 4);
        line.lineStyle = ReportObject::LineStyle::Dot;
        ReportBand b = band(ReportBand::Type::DetailData, "DetailData1", 7.5, {o, line});
        b.range = ReportBand::Range::Current;
        b.fillRows = "PageMaxRow";
        b.link = "F_Code=F_Code";
        custom.bands.push_back(b);
        custom.variables.push_back({QString(), "Ratio", 0.25});
        QVERIFY(ReportTemplateIo::fromXml(ReportTemplateIo::toXml(custom), &again, &error));
        QVERIFY(again == custom);
        QCOMPARE(again.page.pageSize(), QSizeF(140, 241));

        QTemporaryDir dir;
        const QString path = dir.filePath("Qr/new/custom.xml");
        QVERIFY(ReportTemplateIo::save(path, custom, &error));
        QCOMPARE(ReportTemplateIo::load(path, &again, &error), ReportTemplateIo::LoadStatus::Loaded);
        QVERIFY(again == custom);
    }

    void invalidTemplates_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("message");
        QTest::newRow("not xml") << QByteArray("<report><band") << "第 1 行";
        QTest::newRow("wrong root") << QByteArray("<page/>") << "<report>";
        QTest::newRow("band type") << QByteArray("<report>\n<band type=\"middle\"/></report>") << "第 2 行：未知带区类型";
        QTest::newRow("number") << QByteArray("<report><band type=\"masterData\" height=\"ten\"/></report>") << "height";
        QTest::newRow("negative") << QByteArray("<report><band type=\"masterData\" height=\"-1\"/></report>") << "负数";
        QTest::newRow("object") << QByteArray("<report><band type=\"masterData\"><memo/></band></report>") << "<memo>";
        QTest::newRow("duplicate") << QByteArray("<report><band type=\"masterData\"><text name=\"A\"/><line name=\"A\"/></band></report>")
                                   << "名称重复";
        QTest::newRow("paper") << QByteArray("<report><page paper=\"A9\"/></report>") << "未知纸张";
        QTest::newRow("margins") << QByteArray("<report><page left=\"150\" right=\"100\"/></report>") << "页边距";
        QTest::newRow("group") << QByteArray("<report><band type=\"groupHeader\"/></report>") << "condition";
        QTest::newRow("variable") << QByteArray("<report><variables><variable name=\"N\" type=\"number\">x</variable></variables></report>")
                                  << "不是数字";
        QTest::newRow("frame") << QByteArray("<report><band type=\"masterData\"><text frame=\"lx\"/></band></report>") << "frame";
        QTest::newRow("color") << QByteArray("<report><band type=\"masterData\"><text color=\"blau\"/></band></report>") << "颜色";
        QTest::newRow("boolean") << QByteArray("<report><band type=\"masterData\"><text bold=\"maybe\"/></band></report>") << "bold";
        QTest::newRow("picture data") << QByteArray("<report><band type=\"masterData\"><picture>***</picture></band></report>") << "base64";
    }
    void invalidTemplates()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, message);
        ReportTemplate tpl;
        QString error;
        QVERIFY(!ReportTemplateIo::fromXml(xml, &tpl, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY(error.startsWith("第 "));
    }

    void handWrittenDefaults()
    {
        // The smallest useful template: names, sizes and data sources may be left out.
        const QByteArray xml = "<report><band type=\"masterData\" height=\"6\"><text width=\"40\">[frxDM.\"F_Code\"]</text></band>"
                               "<band type=\"detailData\"><text>[frxDD.\"F_GoodCode\"]</text></band></report>";
        ReportTemplate tpl;
        QString error;
        QVERIFY2(ReportTemplateIo::fromXml(xml, &tpl, &error), qPrintable(error));
        QCOMPARE(tpl.bands[0].name, QString("MasterData1"));
        QCOMPARE(tpl.bands[0].dataSource, QString("frxDM"));
        QCOMPARE(tpl.bands[1].dataSource, QString("frxDD"));
        QCOMPARE(tpl.bands[0].objects[0].name, QString("Memo1"));
        QCOMPARE(tpl.bands[0].objects[0].geometry, QRectF(0, 0, 40, 5));
        QCOMPARE(tpl.page.pageSize(), QSizeF(210, 297));
    }

    void modelSources()
    {
        QStandardItemModel model(0, 2);
        model.setHorizontalHeaderLabels({"F_Code", "F_Amount"});
        const QList<QPair<QString, double>> rows = {{"B", 2}, {"A", 1}, {"C", 3}};
        for (const auto &row : rows) {
            auto *code = new QStandardItem(row.first);
            auto *amount = new QStandardItem;
            amount->setData(row.second, Qt::EditRole);
            model.appendRow({code, amount});
        }
        QSortFilterProxyModel sorted;
        sorted.setSourceModel(&model);
        sorted.sort(0, Qt::DescendingOrder);

        ReportTemplate tpl;
        tpl.bands.push_back(band(ReportBand::Type::MasterData, "MasterData1", 6,
                                 {text("Code", 0, 0, 20, 5, "[frxDM.\"f_code\"]"), text("Amount", 20, 0, 20, 5, "[frxDM.\"F_Amount\"]")}));
        tpl.bands.push_back(band(ReportBand::Type::ReportSummary, "ReportSummary1", 6,
                                 {text("Sum", 0, 0, 40, 5, "[SUM(<frxDM.\"F_Amount\">)]")}));
        auto source = std::make_shared<ReportModelSource>(&sorted, 1);
        QCOMPARE(source->fieldNames(), (QStringList{"F_Code", "F_Amount"}));
        QCOMPARE(source->currentRow(), 1);
        ReportEngine engine(tpl);
        engine.setDataSource("frxDM", source);
        const PreparedReport r = engine.prepare();
        QCOMPARE(allTextsOf(r, "Code"), (QStringList{"C", "B", "A"}));
        QCOMPARE(allTextsOf(r, "Sum"), QStringList{"6"});

        // Explicit field names for a model whose headers are captions.
        model.setHorizontalHeaderLabels({"单号", "数量"});
        ReportModelSource named(&model, -1, {"F_Code", "F_Amount"});
        QCOMPARE(named.fieldIndex("F_AMOUNT"), 1);
        QCOMPARE(named.value(0, 1).toDouble(), 2.0);
        QCOMPARE(named.currentRow(), 0);

        // A model that goes away leaves an empty source.
        auto *temporary = new QStandardItemModel(2, 2);
        ReportModelSource gone(temporary);
        QCOMPARE(gone.rowCount(), 2);
        delete temporary;
        QCOMPARE(gone.rowCount(), 0);
        QCOMPARE(gone.value(0, 0), QVariant());
    }
};

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
