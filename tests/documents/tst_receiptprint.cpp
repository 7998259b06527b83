// Printing the receipt through its templates in Qr/: PDFs of a short and a long receipt read
// back with pdftotext, the price permission and the value handler.

#include "receiptfixture.h"
#include "support/testdatabase.h"

#include "data/displayformat.h"
#include "data/session.h"
#include "documents/documentreportvalues.h"
#include "documents/tfrmincaigoudeptgl.h"
#include "platform/showmess.h"
#include "reporting/moneymintobig.h"
#include "reporting/reportservice.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace ReceiptFixture;

namespace {

std::unique_ptr<TFrmInCaiGouDeptGl> openWindow()
{
    auto w = std::make_unique<TFrmInCaiGouDeptGl>();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        qWarning("window not exposed");
    return w;
}

// A receipt of today with `count` lines cycling through G001..G003 (quantity = line number).
QString storeReceipt(TdmData &dm, int count, const QString &client = QStringLiteral("供应商甲"))
{
    const QString code = "CGD" + today() + "001";
    const char *goods[][3] = {{"G001", "电视机", "1200.5"}, {"G002", "收音机", "85.25"}, {"G003", "铅笔", "0.35"}};
    double total = 0, amount = 0;
    for (int i = 0; i < count; ++i) {
        const auto &g = goods[i % 3];
        const double qty = i + 1;
        const double price = QString(g[2]).toDouble();
        dm.exec("insert into depotD (F_Code, F_GoodCode, F_GoodName, F_Unit, F_Amount, F_Price, F_Rate, F_TotalPrice) "
                "values (:c, :g, :n, '个', :q, :p, 1, :t)",
                {{"c", code}, {"g", g[0]}, {"n", QString::fromUtf8(g[1]) + QString::number(i + 1)}, {"q", qty}, {"p", price},
                 {"t", qty * price}});
        total += qty * price;
        amount += qty;
    }
    dm.exec("insert into depotM (F_Code, F_Flag, F_OperFlag, F_date, F_MakeDate, F_Client, F_Depot, F_Maker, F_EmpName, "
            "F_OldCode, F_Amount, F_TotalPrice) values (:c, 1, 1, :d, :d, :cl, '一号仓库', '管理员', '张三', 'SUP-9', :a, :t)",
            {{"c", code}, {"d", Sql::date(QDate::currentDate())}, {"cl", client}, {"a", amount}, {"t", total}});
    return code;
}

// The text of a PDF (pages separated by form feeds).
QString pdfText(const QString &file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Spaces that pdftotext puts between the characters of wide text do not count.
QString squeezed(const QString &s)
{
    QString out = s;
    out.remove(QLatin1Char(' '));
    return out;
}

} // namespace

class TestReceiptPrint : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
    }
    void init() { loginAs(); }

    void shortAndLongReceipts_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        QTest::newRow("3 lines") << 3 << 1;
        QTest::newRow("25 lines") << 25 << 3;
    }

    void shortAndLongReceipts()
    {
        QFETCH(int, lines);
        QFETCH(int, pages);
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        Session::instance().iPrintNum = 10;
        const QString code = storeReceipt(dm, lines);
        const double total = dm.QueryFloat("select F_TotalPrice from depotM");
        auto w = openWindow();
        ReportService &report = ReportService::of(dm);
        const QString name = w->preparePrint(report, w->defaultVariant());
        QCOMPARE(name, QString("frCaigouInDept"));
        QTemporaryDir dir;
        const QString pdf = dir.filePath("receipt.pdf");
        QString error;
        QVERIFY2(report.exportPdf(name, pdf, &error), qPrintable(error));
        const QString text = pdfText(pdf);
        QVERIFY2(!text.isEmpty(), "pdftotext gave nothing");
        const QString flat = squeezed(text);
        QCOMPARE(text.count(QLatin1Char('\f')), pages);
        // The header on every page: company, title, document and supplier contact.
        QCOMPARE(flat.count("测试公司"), 2 * pages); // title line and the footer's company line
        QCOMPARE(flat.count("采购入库单"), pages);
        QCOMPARE(flat.count(code), pages);
        QVERIFY(flat.contains("供应商甲"));
        QVERIFY(flat.contains("李四"));
        QVERIFY2(flat.contains("021-5550001"), qPrintable(text));
        QVERIFY(flat.contains("上海市中山路1号"));
        QVERIFY(flat.contains("SUP-9"));
        QVERIFY(flat.contains("010-12345678"));
        QVERIFY(flat.contains(QStringLiteral("第%1页/共%1页").arg(pages)));
        // Every line, and nothing more.
        for (int i = 1; i <= lines; ++i)
            QVERIFY2(flat.contains(QStringLiteral("G00%1").arg((i - 1) % 3 + 1)), qPrintable(QString::number(i)));
        const QStringList names{"电视机", "收音机", "铅笔"};
        QVERIFY(flat.contains(QStringLiteral("电视机1")));
        QVERIFY(flat.contains(names.at((lines - 1) % 3) + QString::number(lines)));
        QVERIFY(!flat.contains(names.at(lines % 3) + QString::number(lines + 1)));
        // The amount in capital figures, once, after the last line.
        const QString capital = MoneyMinToBig(total);
        QCOMPARE(flat.count(capital), 1);
        if (lines == 3)
            QCOMPARE(capital, QString("壹仟叁佰柒拾贰元零角伍分"));
        QVERIFY(flat.contains(DisplayFormat::formatNumber(total, "#,##0.00")));
    }

    void withoutPricesAndUnknownSupplier()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        Session &s = Session::instance();
        s.bPrice = false;
        s.iPrintNum = 5;
        storeReceipt(dm, 3, QStringLiteral("不在名录的供应商"));
        auto w = openWindow();
        // Only the price-free variant is offered, and the buttons run it.
        QCOMPARE(w->defaultVariant(), int(GoodsDocumentWindow::WithoutPrices));
        QVERIFY(!w->findChild<QAction *>("actPrint0")->isVisible());
        QVERIFY(!w->findChild<QAction *>("actPrint1")->isVisible());
        QVERIFY(w->findChild<QAction *>("actPrint2")->isVisible());
        QVERIFY(!w->findChild<QAction *>("actDesign0")->isVisible());
        ReportService &report = ReportService::of(dm);
        const QString name = w->preparePrint(report, w->defaultVariant());
        QCOMPARE(name, QString("frCaigouInDept2"));
        QTemporaryDir dir;
        QString error;
        QVERIFY2(report.exportPdf(name, dir.filePath("np.pdf"), &error), qPrintable(error));
        const QString flat = squeezed(pdfText(dir.filePath("np.pdf")));
        QVERIFY(flat.contains("电视机1"));
        QVERIFY(flat.contains("不在名录的供应商"));
        QVERIFY(!flat.contains("金额大写"));
        QVERIFY(!flat.contains("1,200.5"));
        QVERIFY(!flat.contains("李四"));
        // The supplier's contact is empty for a supplier the list does not know.
        const ReportValueHandler h = report.valueHandler();
        QCOMPARE(h("sLinkMan").value_or(QVariant("x")).toString(), QString());
        QCOMPARE(h("PageMaxRow").value_or(QVariant()).toInt(), 5);
        QCOMPARE(h("sCurKHname").value_or(QVariant()).toString(), QString("测试公司"));
        QVERIFY(!h("memoDate").has_value());
    }

    void valueHandlerReadsTheSupplierAtEachRequest()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        QString supplier = QStringLiteral("供应商甲");
        const ReportValueHandler h = DocumentReportValues::lineDocumentHandler(dm, [&supplier] { return supplier; });
        QCOMPARE(h("sLinkMan")->toString(), QString("李四"));
        QCOMPARE(h("sFax")->toString(), QString("021-5550002"));
        QCOMPARE(h("bsFax")->toString(), QString("010-87654321"));
        supplier = QStringLiteral("  ");
        QCOMPARE(h("sAddress")->toString(), QString());
        supplier = QStringLiteral("供应商乙");
        QCOMPARE(h("sPhone")->toString(), QString());
    }

    void emptyDayPrintsNothingAndPreviewOpens()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        MessageScript messages;
        auto w = openWindow();
        // Nothing to print: no preview, no message.
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            if (QWidget *m = QApplication::activeModalWidget()) {
                opened = true;
                m->close();
            }
        });
        w->findChild<QToolButton *>("tbPrint")->click();
        QVERIFY(!opened);
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(w->preparePrint(ReportService::of(dm), 0), QString());

        // With a receipt the button shows the preview.
        storeReceipt(dm, 2);
        w->setBrowseDate(QDate::currentDate());
        QTimer::singleShot(50, [&opened] {
            if (QWidget *m = QApplication::activeModalWidget()) {
                opened = true;
                m->close();
            }
        });
        w->findChild<QToolButton *>("tbPrint")->click();
        QVERIFY(opened);
        QVERIFY(messages.shown().isEmpty());
    }
};

QTEST_MAIN(TestReceiptPrint)
#include "tst_receiptprint.moc"
