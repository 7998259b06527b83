#include "reportfixtures.h"

#include "reporting/reportengine.h"
#include "reporting/reportexporter.h"
#include "reporting/reportpageview.h"
#include "reporting/reportpreviewdialog.h"
#include "reporting/reportservice.h"
#include "reporting/reporttemplateio.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace ReportFixtures;

namespace {
PreparedReport listReport(int rows)
{
    ReportTemplate tpl;
    ReportBand header;
    header.type = ReportBand::Type::PageHeader;
    header.name = "PageHeader1";
    header.height = 10;
    ReportObject h;
    h.name = "Head";
    h.geometry = QRectF(0, 0, 100, 8);
    h.text = "货品清单 第[Page#]页";
    header.objects.push_back(h);
    ReportBand data;
    data.type = ReportBand::Type::MasterData;
    data.name = "MasterData1";
    data.dataSource = "frxDM";
    data.height = 8;
    ReportObject cell;
    cell.name = "Name";
    cell.geometry = QRectF(0, 0, 80, 8);
    cell.text = "[frxDM.\"F_Name\"]";
    cell.frame = ReportObject::FrameAll;
    data.objects.push_back(cell);
    tpl.bands = {header, data};
    ReportEngine engine(tpl);
    engine.setDataSource("frxDM", numberedList(rows));
    return engine.prepare();
}

QAction *action(QWidget &w, const char *name)
{
    auto *a = w.findChild<QAction *>(name);
    if (!a)
        qFatal("no action %s", name);
    return a;
}
} // namespace

class TestReportPreview : public QObject
{
    Q_OBJECT
private slots:
    void navigation()
    {
        ReportPreviewDialog preview(listReport(100), "frGoodMan");
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        const int pages = preview.report().pageCount();
        QCOMPARE(pages, 4);
        QCOMPARE(preview.windowTitle(), QString("报表预览 - frGoodMan"));
        auto *box = preview.findChild<QSpinBox *>("spnPage");
        auto *status = preview.findChild<QLabel *>("lblStatus");
        auto *thumbs = preview.findChild<QListView *>("lstThumbs");
        QVERIFY(box && status && thumbs);
        QCOMPARE(thumbs->model()->rowCount(), pages);
        QVERIFY(!action(preview, "actFirst")->isEnabled());
        QVERIFY(!action(preview, "actPrior")->isEnabled());

        action(preview, "actNext")->trigger();
        QCOMPARE(preview.currentPage(), 1);
        QCOMPARE(box->value(), 2);
        QCOMPARE(thumbs->currentIndex().row(), 1);
        QCOMPARE(status->text(), QString("第 2 页，共 4 页"));
        action(preview, "actLast")->trigger();
        QCOMPARE(preview.currentPage(), pages - 1);
        QVERIFY(!action(preview, "actNext")->isEnabled());
        QVERIFY(!action(preview, "actLast")->isEnabled());
        action(preview, "actNext")->trigger();  // stays on the last page
        QCOMPARE(preview.currentPage(), pages - 1);
        action(preview, "actPrior")->trigger();
        QCOMPARE(preview.currentPage(), pages - 2);
        box->setValue(1);
        QCOMPARE(preview.currentPage(), 0);
        thumbs->setCurrentIndex(thumbs->model()->index(2, 0));
        QCOMPARE(preview.currentPage(), 2);
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QCOMPARE(preview.currentPage(), 3);
        // Thumbnails are drawn pictures of the pages.
        const QPixmap thumb = thumbs->model()->index(0, 0).data(Qt::DecorationRole).value<QPixmap>();
        QVERIFY(!thumb.isNull());
        QCOMPARE(thumb.width(), 110);
    }

    void zoom()
    {
        ReportPreviewDialog preview(listReport(10));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        auto *view = preview.findChild<ReportPageView *>("pageView");
        QVERIFY(view);
        QCOMPARE(preview.zoom(), 1.0);
        const QSize normal = view->sizeHint();
        action(preview, "actZoomIn")->trigger();
        QCOMPARE(preview.zoom(), 1.25);
        QVERIFY(view->sizeHint().width() > normal.width());
        action(preview, "actZoomOut")->trigger();
        action(preview, "actZoomOut")->trigger();
        QCOMPARE(preview.zoom(), 0.75);
        auto *box = preview.findChild<QComboBox *>("cbbZoom");
        box->setCurrentText("200%");
        emit box->textActivated("200%");
        QCOMPARE(preview.zoom(), 2.0);
        preview.fitWidth();
        QVERIFY(preview.zoom() > 0.1 && preview.zoom() < 2.0);
        QCOMPARE(box->currentText(), QString("页宽"));
        // The page view paints the page at its zoom.
        const QImage shot = view->grab().toImage();
        QVERIFY(!shot.isNull());
    }

    void emptyReport()
    {
        ReportPreviewDialog preview{PreparedReport()};
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QVERIFY(!action(preview, "actPrint")->isEnabled());
        QVERIFY(!action(preview, "actExportPdf")->isEnabled());
        QVERIFY(!action(preview, "actNext")->isEnabled());
        QCOMPARE(preview.findChild<QStackedWidget *>()->currentWidget()->objectName(), QString("lblEmpty"));
        QCOMPARE(preview.findChild<QLabel *>("lblStatus")->text(), QString("没有可打印的页面"));
    }

    void exports()
    {
        ReportPreviewDialog preview(listReport(40));
        QTemporaryDir dir;
        QVERIFY(preview.exportPdf(dir.filePath("list.pdf")));
        QProcess text;
        text.start("pdftotext", {"-enc", "UTF-8", dir.filePath("list.pdf"), "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString out = QString::fromUtf8(text.readAllStandardOutput()).remove(QRegularExpression("\\s"));
        QVERIFY(out.contains("货品清单第2页"));
        QVERIFY(out.contains("货品40"));
        QVERIFY(preview.exportImages(dir.filePath("list")));
        QVERIFY(QFile::exists(dir.filePath("list-001.png")));
        QVERIFY(QFile::exists(dir.filePath("list-002.png")));
        QVERIFY(!QFile::exists(dir.filePath("list-003.png")));
        QVERIFY(preview.exportImages(dir.filePath("jpeg/list"), "jpg"));
        QCOMPARE(QImage(dir.filePath("jpeg/list-002.jpg")).width(), int(std::ceil(210 / 25.4 * 150)));

        // The rows behind the report, for a spreadsheet.
        QVERIFY(!action(preview, "actExportCsv")->isEnabled());
        auto rows = numberedList(2);
        rows->addRow({3, "带,逗号", 4.5});
        preview.setData(rows);
        QVERIFY(action(preview, "actExportCsv")->isEnabled());
        QVERIFY(preview.exportCsv(dir.filePath("list.csv")));
        QFile csv(dir.filePath("list.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(csv.readAll()),
                 QString("\uFEFFF_No,F_Name,F_Amount\r\n1,货品1,1.5\r\n2,货品2,3\r\n3,\"带,逗号\",4.5\r\n"));
    }

    void printsThroughAPrinter()
    {
        // The print path the dialog uses, on a PDF printer: pages 2 to 3 only.
        const PreparedReport report = listReport(100);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("printed.pdf"));
        QVERIFY(ReportExporter::print(report, &printer, 2, 3));
        QProcess text;
        text.start("pdftotext", {"-enc", "UTF-8", dir.filePath("printed.pdf"), "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString out = QString::fromUtf8(text.readAllStandardOutput()).remove(QRegularExpression("\\s"));
        QVERIFY(!out.contains("货品清单第1页"));
        QVERIFY(out.contains("货品清单第2页"));
        QVERIFY(out.contains("货品清单第3页"));
        QVERIFY(!out.contains("货品清单第4页"));
    }
};

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"
