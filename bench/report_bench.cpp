// Speed of the report engine: a list report of 20,000 rows (about 400 A4 pages) laid out and
// written to PDF. Prints the times and pages per second.
//   bench_report [rows] [output.pdf]
#include "reporting/reportengine.h"
#include "reporting/reportexporter.h"
#include "reporting/reportservice.h"
#include "reporting/reporttablesource.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
ReportObject cell(const QString &name, double x, double w, double h, const QString &text, ReportObject::HAlign align = ReportObject::HAlign::Left,
                  const QString &format = {})
{
    ReportObject o;
    o.name = name;
    o.geometry = QRectF(x, 0, w, h);
    o.text = text;
    o.hAlign = align;
    o.vAlign = ReportObject::VAlign::Center;
    o.frame = ReportObject::FrameAll;
    o.format = format;
    o.wrap = false;
    o.fontSize = 9;
    return o;
}

ReportBand band(ReportBand::Type type, const QString &name, double height, std::vector<ReportObject> objects)
{
    ReportBand b;
    b.type = type;
    b.name = name;
    b.height = height;
    b.objects = std::move(objects);
    if (type == ReportBand::Type::MasterData)
        b.dataSource = ReportService::masterName();
    return b;
}

ReportTemplate listTemplate()
{
    ReportTemplate tpl;
    ReportObject title = cell("Title", 0, 190, 8, "[sCurKHname] 采购入库明细", ReportObject::HAlign::Center);
    title.frame = ReportObject::FrameNone;
    title.fontSize = 14;
    title.bold = true;
    ReportObject page = cell("Page", 0, 190, 6, "第 [Page#] 页 / 共 [TotalPages#] 页", ReportObject::HAlign::Right);
    page.frame = ReportObject::FrameNone;
    ReportObject pageSum = cell("PageSum", 0, 190, 6, "本页金额：[SUM(<frxDM.\"F_TotalPrice\">)]  打印日期：[Date]", ReportObject::HAlign::Right,
                                "#,##0.00");
    pageSum.frame = ReportObject::FrameNone;
    tpl.bands.push_back(band(ReportBand::Type::ReportTitle, "ReportTitle1", 10, {title}));
    tpl.bands.push_back(band(ReportBand::Type::PageHeader, "PageHeader1", 8, {page}));
    tpl.bands.push_back(band(ReportBand::Type::ColumnHeader, "ColumnHeader1", 7,
                             {cell("H1", 0, 12, 7, "序号", ReportObject::HAlign::Center), cell("H2", 12, 34, 7, "单号", ReportObject::HAlign::Center),
                              cell("H3", 46, 22, 7, "日期", ReportObject::HAlign::Center), cell("H4", 68, 52, 7, "货品名称", ReportObject::HAlign::Center),
                              cell("H5", 120, 20, 7, "数量", ReportObject::HAlign::Center), cell("H6", 140, 22, 7, "单价", ReportObject::HAlign::Center),
                              cell("H7", 162, 28, 7, "金额", ReportObject::HAlign::Center)}));
    tpl.bands.push_back(band(ReportBand::Type::MasterData, "MasterData1", 5,
                             {cell("C1", 0, 12, 5, "[Line#]", ReportObject::HAlign::Center), cell("C2", 12, 34, 5, "[frxDM.\"F_Code\"]"),
                              cell("C3", 46, 22, 5, "[frxDM.\"F_Date\"]", ReportObject::HAlign::Left, "yyyy-mm-dd"),
                              cell("C4", 68, 52, 5, "[frxDM.\"F_GoodName\"]"),
                              cell("C5", 120, 20, 5, "[frxDM.\"F_Amount\"]", ReportObject::HAlign::Right, "0.##"),
                              cell("C6", 140, 22, 5, "[frxDM.\"F_Price\"]", ReportObject::HAlign::Right, "#,##0.00"),
                              cell("C7", 162, 28, 5, "[frxDM.\"F_TotalPrice\"]", ReportObject::HAlign::Right, "#,##0.00")}));
    tpl.bands.push_back(band(ReportBand::Type::ReportSummary, "ReportSummary1", 8,
                             {cell("Total", 0, 190, 8, "合计金额：[SUM(<frxDM.\"F_TotalPrice\">)]  大写：[MoneyMinToBig(SUM(<frxDM.\"F_TotalPrice\">))]",
                                   ReportObject::HAlign::Right)}));
    tpl.bands.push_back(band(ReportBand::Type::PageFooter, "PageFooter1", 6, {pageSum}));
    return tpl;
}

std::shared_ptr<ReportTableSource> rows(int n)
{
    static const char *const goods[] = {"电阻 10kΩ", "电容 100μF", "开关电源模块", "螺丝 M3", "导线 红", "热缩管 φ3", "扳手 12 寸", "钳子"};
    auto t = std::make_shared<ReportTableSource>(QStringList{"F_Code", "F_Date", "F_GoodName", "F_Amount", "F_Price", "F_TotalPrice"});
    t->reserve(n);
    const QDate start(2024, 1, 1);
    for (int i = 0; i < n; ++i) {
        const double amount = 1 + i % 37;
        const double price = 0.5 + (i * 7919 % 100000) / 100.0;
        t->addRow({QStringLiteral("CGD%1%2").arg(start.addDays(i / 60).toString("yyyyMMdd")).arg(i % 60 + 1, 3, 10, QLatin1Char('0')),
                   start.addDays(i / 60), QString::fromUtf8(goods[i % 8]), amount, price, amount * price});
    }
    return t;
}
} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    const int n = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;
    QTemporaryDir dir;
    const QString pdf = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath("bench.pdf");

    const ReportTemplate tpl = listTemplate();
    ReportService service;
    ReportEngine engine(tpl);
    engine.setDataSource(ReportService::masterName(), rows(n));
    engine.setFunctions(&service.functions());
    engine.setValueHandler([](const QString &name) -> std::optional<QVariant> {
        if (name == QLatin1String("sCurKHname"))
            return QStringLiteral("示范贸易有限公司");
        return std::nullopt;
    });

    QElapsedTimer timer;
    timer.start();
    const PreparedReport report = engine.prepare();
    const double layoutMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    QString error;
    if (!ReportExporter::exportPdf(report, pdf, &error, QStringLiteral("bench"))) {
        out << "PDF failed: " << error << "\n";
        return 1;
    }
    const double pdfMs = timer.nsecsElapsed() / 1e6;
    const int pages = report.pageCount();
    const double total = layoutMs + pdfMs;
    out << "rows:            " << n << "\n";
    out << "pages:           " << pages << "\n";
    out << "layout:          " << QString::number(layoutMs, 'f', 0) << " ms (" << QString::number(pages / (layoutMs / 1000), 'f', 0)
        << " pages/s)\n";
    out << "PDF:             " << QString::number(pdfMs, 'f', 0) << " ms (" << QString::number(pages / (pdfMs / 1000), 'f', 1)
        << " pages/s)\n";
    out << "total:           " << QString::number(total, 'f', 0) << " ms, " << QString::number(pages / (total / 1000), 'f', 1)
        << " pages/s\n";
    out << "PDF size:        " << QString::number(QFileInfo(pdf).size() / 1024.0 / 1024.0, 'f', 2) << " MiB\n";
    if (!report.warnings.isEmpty())
        out << "warnings:        " << report.warnings.join("; ") << "\n";
    return 0;
}
