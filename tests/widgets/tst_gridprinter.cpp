#include "widgets/datagrid.h"
#include "widgets/exportscript.h"
#include "widgets/gridlinemodel.h"
#include "widgets/gridprinter.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

struct Fixture {
    GridLineModel lines;
    DataGrid grid;
    explicit Fixture(int rows = 3)
    {
        lines.setFields({"F_Code", "F_Name", "F_Amount", "F_Secret"});
        for (int i = 0; i < rows; ++i)
            lines.appendRow({{"F_Code", QStringLiteral("C%1").arg(i, 4, 10, QLatin1Char('0'))},
                             {"F_Name", i == 1 ? QStringLiteral("一个很长很长很长很长很长很长很长很长的货品名称") : QStringLiteral("货品%1").arg(i)},
                             {"F_Amount", i - 1.0},
                             {"F_Secret", "hidden"}});
        GridColumn code("F_Code", "编号", 60);
        code.setFooterText("合  计");
        GridColumn amount("F_Amount", "数量", 70);
        amount.setFormat("0.00");
        amount.setFooterSum();
        GridColumn secret("F_Secret", "机密", 60);
        secret.visible = false;
        grid.setColumns({code, GridColumn("F_Name", "名称", 80), amount, secret});
        grid.setSourceModel(&lines);
        grid.setFooterVisible(true);
        grid.setRowStyleHook(DataGrid::redWhenNegative("F_Amount"));
    }
};

QString pdfText(const QString &pdf)
{
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty())
        return QString();
    QProcess p;
    p.start(tool, {"-layout", pdf, "-"});
    p.waitForFinished(30000);
    // Text extraction may give CJK compatibility characters (radicals) for some glyphs; compare
    // in compatibility-normalized form.
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

QString nk(const QString &s)
{
    return s.normalized(QString::NormalizationForm_KC);
}

} // namespace

class TstGridPrinter : public QObject
{
    Q_OBJECT
private slots:
    void footerDateText();
    void pdfHoldsTitleHeaderFooterAndRows();
    void longGridRepeatsTitlesOnEveryPage();
    void optionsDoNotCarryOver();
    void previewExportsPdf();
};

void TstGridPrinter::footerDateText()
{
    QCOMPARE(GridPrinter::pageFooterText("date", QDate(2024, 3, 7)), QStringLiteral("打印日期：2024年03月07日"));
    QCOMPARE(GridPrinter::pageFooterText(" date ", QDate(2024, 12, 31)), QStringLiteral("打印日期：2024年12月31日"));
    QCOMPARE(GridPrinter::pageFooterText("  ", QDate(2024, 3, 7)), QString());
    QCOMPARE(GridPrinter::pageFooterText("第一页", QDate(2024, 3, 7)), QStringLiteral("第一页"));
}

void TstGridPrinter::pdfHoldsTitleHeaderFooterAndRows()
{
    QTemporaryDir dir;
    Fixture f;
    for (int mode : {0, 1}) {
        GridPrinter::Options o{"采购汇总", mode, "date", "2024-03-01 至 2024-03-31"};
        const QString path = dir.filePath(QStringLiteral("p%1.pdf").arg(mode));
        QString error;
        int pages = 0;
        QVERIFY2(GridPrinter::renderPdf(f.grid, o, path, &error, &pages), qPrintable(error));
        QCOMPARE(pages, 1);
        QVERIFY(QFileInfo(path).size() > 1000);
        const QString text = pdfText(path);
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        QVERIFY(text.contains(nk("采购汇总")));
        QVERIFY2(text.contains(nk("2024-03-01 至 2024-03-31")), qPrintable(text));
        QVERIFY(text.contains(nk(GridPrinter::pageFooterText("date"))));
        for (const char *s : {"编号", "名称", "数量", "C0000", "C0002", "-1.00", "合", "0.00"})
            QVERIFY2(text.contains(nk(QString::fromUtf8(s))), s);
        QVERIFY(!text.contains(nk("机密")));
        QVERIFY(!text.contains(nk("hidden")));
    }
}

void TstGridPrinter::longGridRepeatsTitlesOnEveryPage()
{
    QTemporaryDir dir;
    Fixture f(200);
    const QString path = dir.filePath("long.pdf");
    QString error;
    int pages = 0;
    QVERIFY(GridPrinter::renderPdf(f.grid, {"清单", 1, "", ""}, path, &error, &pages));
    QVERIFY(pages >= 3);
    const QString text = pdfText(path);
    if (text.isEmpty())
        QSKIP("pdftotext is not installed");
    QCOMPARE(text.count(nk("编号")), pages);
    QCOMPARE(text.count(nk("清单")), 1);
    QVERIFY(text.contains(nk("C0199")));
    // The sum is printed once, after the last row.
    QCOMPARE(text.count(nk("19700.00")), 1);
}

void TstGridPrinter::optionsDoNotCarryOver()
{
    QTemporaryDir dir;
    Fixture f;
    QString error;
    QVERIFY(GridPrinter::renderPdf(f.grid, {"报表", 0, "date", "期间：三月"}, dir.filePath("a.pdf"), &error));
    QVERIFY(GridPrinter::renderPdf(f.grid, {"编号设置", 1, "date", ""}, dir.filePath("b.pdf"), &error));
    const QString second = pdfText(dir.filePath("b.pdf"));
    if (second.isEmpty())
        QSKIP("pdftotext is not installed");
    QVERIFY(pdfText(dir.filePath("a.pdf")).contains(nk("期间：三月")));
    QVERIFY(!second.contains(nk("期间")));
    QVERIFY(second.contains(nk("编号设置")));
}

void TstGridPrinter::previewExportsPdf()
{
    QTemporaryDir dir;
    Fixture f;
    ExportScript script;
    script.chooseFile(dir.filePath("preview"), 0);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *dlg = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        seen = true;
        QCOMPARE(dlg->windowTitle(), QStringLiteral("计量单位设置"));
        auto *pdf = dlg->findChild<QAction *>("actExportPdf");
        QVERIFY(pdf);
        pdf->trigger();
        dlg->reject();
    });
    PrintGrid(&f.grid, "计量单位设置", 1, "date", "");
    QVERIFY(seen);
    QVERIFY(QFileInfo(dir.filePath("preview.pdf")).size() > 1000);
}

QTEST_MAIN(TstGridPrinter)
#include "tst_gridprinter.moc"
