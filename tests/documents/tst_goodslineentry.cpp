// Goods line entry in the receipt window: typed codes and Enter, barcodes, default prices,
// line amounts, adding and deleting lines.

#include "receiptfixture.h"
#include "support/testdatabase.h"

#include "data/session.h"
#include "documents/documentlinegrid.h"
#include "documents/documentlinemodel.h"
#include "documents/tfrmincaigoudeptgl.h"
#include "platform/showmess.h"

#include <QAbstractButton>
#include <QDoubleSpinBox>
#include <QLineEdit>

#include <memory>

using namespace ReceiptFixture;

namespace {

std::unique_ptr<TFrmInCaiGouDeptGl> newReceipt(const QString &supplier = QStringLiteral("供应商甲"))
{
    auto w = std::make_unique<TFrmInCaiGouDeptGl>();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        qWarning("window not exposed");
    click(w.get(), "tbNew");
    w->findChild<QLineEdit *>("cbeClient")->setText(supplier);
    w->lineGrid()->setFocus();
    return w;
}

void addLine(TdmData &dm, const char *code, int flag, const char *client, const char *goods, double price)
{
    dm.exec("insert into depotM (F_Code, F_Flag, F_OperFlag, F_Client) values (:c, :f, :f, :cl)",
            {{"c", code}, {"f", flag}, {"cl", client}});
    dm.exec("insert into depotD (F_Code, F_GoodCode, F_Price) values (:c, :g, :p)", {{"c", code}, {"g", goods}, {"p", price}});
}

} // namespace

class TestGoodsLineEntry : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init() { loginAs(); }

    void unknownAndDisabledCodes()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        MessageScript messages;
        auto w = newReceipt();
        DataGrid *grid = w->lineGrid();
        for (const QString code : {"XYZ", "G004"}) {
            messages.clear();
            typeCell(grid, code);
            QCOMPARE(messages.texts(), QStringList{"商品\"" + code + "\"不存在，请检查输入？"});
            QCOMPARE(messages.shown().first().kind, 0);
            QCOMPARE(w->lineGrid()->currentColumn(), 0);
            QVERIFY(w->lines()->value(0, "F_GoodName").isNull());
        }
        // Enter on a line without a goods code does nothing.
        messages.clear();
        w->lines()->setValue(0, "F_GoodCode", QString());
        typeCell(grid, QString());
        QVERIFY(messages.shown().isEmpty());
    }

    void quantityZeroAddsNoLine()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        MessageScript messages;
        auto w = newReceipt();
        typeCell(w->lineGrid(), "G003");
        typeCell(w->lineGrid(), "0");
        QCOMPARE(messages.texts(), QStringList{"对不起，货品数量不能为零！"});
        QCOMPARE(w->lines()->rowCount(), 1);
        typeCell(w->lineGrid(), "7");
        QCOMPARE(w->lines()->rowCount(), 2);
        QCOMPARE(w->lines()->value(0, "F_TotalPrice").toDouble(), 2.45);
    }

    void amountFollowsQuantityPriceAndDiscount()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        MessageScript messages;
        auto w = newReceipt();
        DocumentLineGrid *grid = w->lineGrid();
        typeCell(grid, "G001");
        typeCell(grid, "3");
        QCOMPARE(w->lines()->value(0, "F_TotalPrice").toDouble(), 3601.5);
        // A discount of 0.9 takes a tenth off.
        grid->setCurrentCell(0, grid->findColumn("F_Rate"));
        typeCell(grid, "0.9");
        QCOMPARE(w->lines()->value(0, "F_TotalPrice").toDouble(), 3241.35);
        // The amount keeps four decimals, rounded to nearest.
        grid->setCurrentCell(0, grid->findColumn("F_Price"));
        typeCell(grid, "1.23456");
        QCOMPARE(w->lines()->value(0, "F_TotalPrice").toDouble(), 3.3333);
        // A missing factor counts 0.
        grid->setCurrentCell(0, grid->findColumn("F_Amount"));
        QTest::keyClick(grid, Qt::Key_F2);
        QLineEdit *e = cellEditor(grid);
        QVERIFY(e);
        e->clear();
        QTest::keyClick(e, Qt::Key_Return);
        QCOMPARE(w->lines()->value(0, "F_TotalPrice").toDouble(), 0.0);
        QCOMPARE(messages.texts(), QStringList{"对不起，货品数量不能为零！"});
    }

    void barcodeEntry()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        Session::instance().bBarcode = true;
        MessageScript messages;
        auto w = newReceipt();
        auto *panel = w->findChild<QWidget *>("pTM");
        auto *box = w->findChild<QLineEdit *>("edtTM");
        auto *quantity = w->findChild<QDoubleSpinBox *>("rceAmount");
        QVERIFY(panel->isVisible());
        QCOMPARE(quantity->value(), 1.0);
        quantity->setValue(3);
        QTest::keyClicks(box, "690005");
        QTest::keyClick(box, Qt::Key_Return);
        // The untouched placeholder made way for the scanned line.
        QCOMPARE(w->lines()->rowCount(), 1);
        QCOMPARE(w->lines()->value(0, "F_GoodCode").toString(), QString("G005"));
        QCOMPARE(w->lines()->value(0, "F_Amount").toDouble(), 3.0);
        QCOMPARE(w->lines()->value(0, "F_TotalPrice").toDouble(), 36.0);
        QCOMPARE(w->lines()->value(0, "F_TMcode").toString(), QString("690005"));
        QVERIFY(box->text().isEmpty());
        QCOMPARE(quantity->value(), 3.0);
        // The same goods twice gives two lines; disabled goods are found by barcode.
        QTest::keyClicks(box, "690005");
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, "690004");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(w->lines()->rowCount(), 3);
        QCOMPARE(w->lines()->value(2, "F_GoodCode").toString(), QString("G004"));
        QVERIFY(messages.shown().isEmpty());
        QTest::keyClicks(box, "  ");
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, "999");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(messages.texts(), (QStringList{"请输入条码！", "条码\"999\"不存在，请检查输入？"}));
        QCOMPARE(w->lines()->rowCount(), 3);
        // The panel shows only while editing with the toggle down.
        w->findChild<QAbstractButton *>("sbTM")->click();
        QVERIFY(!panel->isVisible());
        w->findChild<QAbstractButton *>("sbTM")->click();
        QVERIFY(panel->isVisible());
        click(w.get(), "tbSave");
        QVERIFY(!panel->isVisible());
        QCOMPARE(t.dm().QueryFloat("select F_TotalPrice from depotM"), 252.0);
    }

    void defaultPriceRules_data()
    {
        QTest::addColumn<bool>("lastPrice");
        QTest::addColumn<bool>("lastClientPrice");
        QTest::addColumn<QString>("supplier");
        QTest::addColumn<double>("price");
        QTest::newRow("last of any supplier") << true << false << "供应商甲" << 1100.0;
        QTest::newRow("both: any supplier wins") << true << true << "供应商甲" << 1100.0;
        QTest::newRow("last of this supplier") << false << true << "供应商甲" << 1000.0;
        QTest::newRow("supplier never delivered") << false << true << "供应商丙" << 1200.5;
        QTest::newRow("goods price") << false << false << "供应商乙" << 1200.5;
    }

    void defaultPriceRules()
    {
        QFETCH(bool, lastPrice);
        QFETCH(bool, lastClientPrice);
        QFETCH(QString, supplier);
        QFETCH(double, price);
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        addLine(dm, "CGD20240101001", 1, "供应商甲", "G001", 1000);
        addLine(dm, "CGD20240102001", 1, "供应商乙", "G001", 1100);
        // Returns keep their own prices.
        addLine(dm, "CTD20240103001", -1, "供应商甲", "G001", 900);
        Session::instance().bLastPrice = lastPrice;
        Session::instance().bLastClientPrice = lastClientPrice;
        auto w = newReceipt(supplier);
        typeCell(w->lineGrid(), "G001");
        QCOMPARE(w->lines()->value(0, "F_Price").toDouble(), price);
    }

    void addingAndDeletingLines()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        MessageScript messages;
        auto w = newReceipt();
        DocumentLineGrid *grid = w->lineGrid();
        // "增行" on the untouched placeholder: still one empty line.
        QTest::keyClick(w.get(), Qt::Key_F9);
        QCOMPARE(w->lines()->rowCount(), 1);
        typeCell(grid, "G001");
        typeCell(grid, "1");
        typeCell(grid, "G002");
        typeCell(grid, "2");
        QCOMPARE(w->lines()->rowCount(), 3);
        // Leaving the untouched new line removes it.
        grid->setCurrentCell(0, 0);
        QCOMPARE(w->lines()->rowCount(), 2);
        // A line typed into stays when left.
        QTest::keyClick(w.get(), Qt::Key_F9);
        grid->setCurrentCell(2, grid->findColumn("F_Mem"));
        typeCell(grid, "note");
        grid->setCurrentCell(0, 0);
        QCOMPARE(w->lines()->rowCount(), 3);
        // "删行" removes the current line at once.
        QTest::keyClick(w.get(), Qt::Key_F10);
        QCOMPARE(w->lines()->rowCount(), 2);
        QCOMPARE(w->lines()->value(0, "F_GoodCode").toString(), QString("G002"));
        click(w.get(), "tbSave");
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join('|')));
        // The remark-only line has no goods code but was posted: it is kept.
        QCOMPARE(t.dm().QueryInt("select count(*) from depotD"), 2);
        QCOMPARE(t.dm().QueryFloat("select F_TotalPrice from depotM"), 170.5);
    }

    void lineBeingTypedWithoutCodeIsDroppedAtSave()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        MessageScript messages;
        auto w = newReceipt();
        DocumentLineGrid *grid = w->lineGrid();
        typeCell(grid, "G003");
        typeCell(grid, "4");
        // The new line gets a remark but no goods code and is still being typed at saving.
        grid->setCurrentCell(1, grid->findColumn("F_Mem"));
        typeCell(grid, "x", false);
        click(w.get(), "tbSave");
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join('|')));
        QCOMPARE(t.dm().QueryInt("select count(*) from depotD"), 1);
        QCOMPARE(t.dm().QueryFloat("select F_Amount from depotM"), 4.0);
    }

    void redLinesAndGridModes()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        MessageScript messages;
        auto w = newReceipt();
        DocumentLineGrid *grid = w->lineGrid();
        QVERIFY(!grid->isReadOnly());
        QVERIFY(grid->gridColumn(grid->findColumn("F_GoodName")).editButtonAlways);
        QVERIFY(grid->gridColumn(grid->findColumn("F_Type")).readOnly);
        QVERIFY(!grid->gridColumn(grid->findColumn("F_Price")).readOnly);
        typeCell(grid, "G002");
        typeCell(grid, "-2");
        const QModelIndex i = grid->viewModel()->index(0, 0);
        QCOMPARE(grid->viewModel()->data(i, Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
        QCOMPARE(grid->footerText(grid->findColumn("F_Amount")), QString("-2"));
        click(w.get(), "tbSave");
        QVERIFY(grid->isReadOnly());
        QVERIFY(!grid->gridColumn(grid->findColumn("F_GoodName")).editButton);
        QCOMPARE(grid->contextMenuPolicy(), Qt::NoContextMenu);
    }
};

QTEST_MAIN(TestGoodsLineEntry)
#include "tst_goodslineentry.moc"
