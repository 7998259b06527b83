#include "suppliergoodsfixture.h"
#include "support/testdatabase.h"

#include "data/session.h"
#include "masterdata/checkeddateedit.h"
#include "masterdata/numberedit.h"
#include "masterdata/tdlgeditgoodtype.h"
#include "masterdata/tfrmgoodedit.h"
#include "masterdata/tfrmgoodgl.h"
#include "masterdata/typetree.h"
#include "platform/showmess.h"
#include "reporting/reportscript.h"
#include "widgets/datagrid.h"
#include "widgets/exportscript.h"
#include "widgets/gridlinemodel.h"
#include "widgets/gridviewmodel.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

using namespace SupplierGoodsFixture;

namespace {

template <class T>
T *child(QWidget *w, const char *name)
{
    T *c = w ? w->findChild<T *>(QLatin1String(name)) : nullptr;
    if (!c)
        qWarning("no child %s", name);
    return c;
}

void setText(QWidget *w, const char *name, const QString &text)
{
    if (auto *e = child<QLineEdit>(w, name))
        e->setText(text);
}

void setNumber(QWidget *w, const char *name, double v)
{
    if (auto *e = child<NumberEdit>(w, name))
        e->setValue(v);
}

QStringList column(ListWindowBase &list, const QString &field)
{
    QStringList out;
    for (int row = 0; row < list.rowCount(); ++row)
        out << list.rowValue(row, field).toString();
    return out;
}

// Sets a depot's quantity (and price) in the editor's opening stock, as typing in the grid does.
bool setStock(TFrmGoodEdit &editor, const QString &depot, double amount, double price = -1)
{
    GridLineModel *m = editor.openingStockModel();
    for (int row = 0; row < m->rowCount(); ++row) {
        if (m->value(row, QStringLiteral("F_Depot")).toString() != depot)
            continue;
        GridViewModel *view = editor.openingStockGrid()->viewModel();
        const int amountCol = editor.openingStockGrid()->findColumn(QStringLiteral("F_Amount"));
        const int priceCol = editor.openingStockGrid()->findColumn(QStringLiteral("F_Price"));
        const int viewRow = view->viewRow(row);
        if (!view->setData(view->index(viewRow, amountCol), amount))
            return false;
        if (price >= 0 && !view->setData(view->index(viewRow, priceCol), price))
            return false;
        return true;
    }
    return false;
}

QStringList stockDepots(TFrmGoodEdit &editor)
{
    QStringList out;
    GridLineModel *m = editor.openingStockModel();
    for (int row = 0; row < m->rowCount(); ++row)
        out << m->value(row, QStringLiteral("F_Depot")).toString();
    return out;
}

bool addGoods(TdmData &dm, const QString &code, const QString &name, const QString &type = {}, double price = 0)
{
    return exec(dm,
                "insert into t_goods(F_Code,F_Name,F_Type,F_EnterPrice,F_SalePrice,F_BegAmount,F_Flag,F_RQ1,F_RQ2,F_RQ3) "
                "values(?,?,?,?,?,0,0,'1900-08-14','1900-08-14','1900-08-14')",
                {code, name, type, price, price * 2});
}

bool addStock(TdmData &dm, const QString &code, const QString &depot, double amount, double price)
{
    return exec(dm, "insert into t_begDept(F_GoodCode,F_Depot,F_Amount,F_Price,F_totalPrice) values(?,?,?,?,?)",
                {code, depot, amount, price, amount * price});
}

bool addLine(TdmData &dm, const char *table, const QString &doc, const QString &goods)
{
    return exec(dm, QStringLiteral("insert into %1(F_Code,F_GoodCode,F_GoodName,F_Amount,F_Price,F_TotalPrice) "
                                   "values(?,?,'旧名',1,1,1)").arg(QLatin1String(table)),
                {doc, goods});
}

void addDepots(TdmData &dm)
{
    addCode(dm, "depot", "一号库");
    addCode(dm, "depot", "二号库");
    addCode(dm, "depot", "三号库");
}

// A goods list opened and searched over every type.
void openAll(TFrmGoodGl &list)
{
    list.show();
    list.searchButton()->click();
}

} // namespace

class TestGoods : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void listEmptyUntilSearchAndTypeTreeFilters();
    void queryTypesAndCustomCaptions();
    void newGoodsStoresOnlyNonZeroOpeningStock();
    void zeroedOpeningStockRowIsDeleted();
    void codeRenameCarriedIntoLinesAndStock();
    void goodsInReceiptLineCannotBeDeleted();
    void unknownUnitAddedOnlyWhenConfirmed();
    void automaticCode_data();
    void automaticCode();
    void automaticCodeTwoEditorsAtOnce();
    void duplicateCodeRefusedWithoutAutomaticCodes();
    void customDatesStoredAsMissingAndShownEmpty();
    void operatorWithoutPriceRight();
    void operatorWithoutGoodsEditFlag();
    void restrictedDepotsKeepOtherOpeningStock();
    void bulkTypeChangeInOneTransaction();
    void printDesignAndExportToExcel();
    void continuousEntryKeepsCodeAndSalePrice();
};

void TestGoods::listEmptyUntilSearchAndTypeTreeFilters()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(exec(t.dm(), "insert into t_treecode(F_code,F_name,F_likecode,F_flag) values('001','电器','\\\\电器','goodtype')"));
    QVERIFY(exec(t.dm(), "insert into t_treecode(F_code,F_name,F_likecode,F_flag) values('001001','电视','\\\\电器\\电视','goodtype')"));
    QVERIFY(exec(t.dm(), "insert into t_treecode(F_code,F_name,F_likecode,F_flag) values('002','电器配件','\\\\电器配件','goodtype')"));
    QVERIFY(addGoods(t.dm(), "G1", "冰箱", "\\\\电器"));
    QVERIFY(addGoods(t.dm(), "G2", "彩电", "\\\\电器\\电视"));
    QVERIFY(addGoods(t.dm(), "G3", "插头", "\\\\电器配件"));
    QVERIFY(addGoods(t.dm(), "G4", "无类", ""));
    QVERIFY(exec(t.dm(), "update t_goods set F_Flag = 1 where F_Code = 'G4'"));
    TFrmGoodGl list;
    list.show();
    QCOMPARE(list.windowTitle(), QStringLiteral("货品资料管理"));
    QCOMPARE(list.rowCount(), 0);
    QCOMPARE(list.grid()->gridColumnCount(), 26);
    QTreeWidget *tree = child<QTreeWidget>(&list, "tvTree");
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("货品类型"));
    QVERIFY(tree->topLevelItem(0)->isExpanded());
    list.searchButton()->click();
    QCOMPARE(column(list, "F_Code"), QStringList({"G1", "G2", "G3"}));
    QAbstractItemModelTester tester(list.grid()->viewModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    child<QCheckBox>(&list, "CheckBox2")->click();
    QCOMPARE(list.rowCount(), 4);
    QCOMPARE(list.grid()->viewModel()->index(3, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    child<QCheckBox>(&list, "CheckBox2")->click();

    // 电器 holds itself and 电视, not the type 电器配件 whose name merely begins alike.
    const QList<QTreeWidgetItem *> found = TypeTree::findByPath(tree, "\\\\电器");
    QCOMPARE(found.size(), 1);
    tree->setCurrentItem(found.first());
    emit tree->itemDoubleClicked(found.first(), 0);
    QCOMPARE(column(list, "F_Code"), QStringList({"G1", "G2"}));
    tree->setCurrentItem(TypeTree::findByPath(tree, "\\\\电器\\电视").value(0));
    list.searchButton()->click();
    QCOMPARE(column(list, "F_Code"), QStringList({"G2"}));

    // Without a selected node the search does nothing.
    tree->setCurrentItem(nullptr);
    list.searchButton()->click();
    QCOMPARE(column(list, "F_Code"), QStringList({"G2"}));
    // The tree button hides and shows the tree.
    child<QToolButton>(&list, "SpeedButton2")->click();
    QVERIFY(!tree->isVisible());
    child<QToolButton>(&list, "SpeedButton2")->click();
    QVERIFY(tree->isVisible());
}

void TestGoods::queryTypesAndCustomCaptions()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    Session::instance().KeyValueText[1] = QStringLiteral("颜色");
    Session::instance().KeyValueFlag[2] = false;
    QVERIFY(addGoods(t.dm(), "A100", "红苹果"));
    QVERIFY(addGoods(t.dm(), "B100", "青苹果A100"));
    QVERIFY(exec(t.dm(), "update t_goods set F_ZF1 = '深红', F_Address = '山东烟台' where F_Code = 'A100'"));
    TFrmGoodGl list;
    openAll(list);
    auto *type = child<QComboBox>(&list, "ComboBox1");
    QCOMPARE(type->itemText(5), QStringLiteral("颜色"));
    const int zf1 = list.grid()->findColumn("F_ZF1");
    QCOMPARE(list.grid()->gridColumn(zf1).caption, QStringLiteral("颜色"));
    QVERIFY(!list.grid()->gridColumn(list.grid()->findColumn("F_ZF2")).visible);
    const struct {
        int type;
        const char *text;
        QStringList codes;
    } cases[] = {{0, "a1", {"A100"}}, {1, "苹果", {"A100", "B100"}}, {1, "A100", {"B100"}},
                 {3, "烟台", {}},     {3, "山东", {"A100"}},         {5, "红", {"A100"}}};
    for (const auto &c : cases) {
        type->setCurrentIndex(c.type);
        setText(&list, "Edit1", QString::fromUtf8(c.text));
        list.searchButton()->click();
        QCOMPARE(column(list, "F_Code"), c.codes);
    }
    // Enter in the query text moves on; only the button searches.
    type->setCurrentIndex(1);
    auto *edit = child<QLineEdit>(&list, "Edit1");
    edit->setText("红");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(column(list, "F_Code"), QStringList({"A100"}));
}

void TestGoods::newGoodsStoresOnlyNonZeroOpeningStock()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    addDepots(t.dm());
    TFrmGoodGl list;
    openAll(list);
    TFrmGoodEdit editor(&list);
    editor.openNew(&list);
    QCOMPARE(editor.windowTitle(), QStringLiteral("货品信息编辑 - 新增"));
    QCOMPARE(stockDepots(editor), QStringList({"一号库", "二号库", "三号库"}));
    QCOMPARE(child<QComboBox>(&editor, "cbbDepot")->currentText(), QStringLiteral("一号库"));
    setText(&editor, "edtCode", " N001 ");
    setText(&editor, "edtName", " 新货 ");
    setNumber(&editor, "ceEnterprice", 5);
    QVERIFY(setStock(editor, "一号库", 10));
    QVERIFY(setStock(editor, "二号库", 0));
    QVERIFY(setStock(editor, "三号库", 2, 7.5));
    QCOMPARE(editor.openingStockGrid()->footerText(1), QStringLiteral("12"));
    child<QCheckBox>(&editor, "CheckBox1")->setChecked(false);
    MessageScript ms;
    editor.Button1Click();
    QVERIFY2(ms.shown().isEmpty(), qPrintable(ms.texts().join('|')));
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(value(t.dm(), "select F_Name from t_goods where F_Code = 'N001'").toString(), QStringLiteral("新货"));
    QCOMPARE(value(t.dm(), "select F_BegAmount from t_goods where F_Code = 'N001'").toDouble(), 12.0);
    QCOMPARE(count(t.dm(), "select count(*) from t_begDept where F_GoodCode = 'N001'"), 2);
    QCOMPARE(value(t.dm(), "select F_Price from t_begDept where F_Depot = '一号库'").toDouble(), 5.0);
    QCOMPARE(value(t.dm(), "select F_totalPrice from t_begDept where F_Depot = '一号库'").toDouble(), 50.0);
    QCOMPARE(value(t.dm(), "select F_Price from t_begDept where F_Depot = '三号库'").toDouble(), 7.5);
    QCOMPARE(list.currentValue("F_Code").toString(), QStringLiteral("N001"));
}

void TestGoods::zeroedOpeningStockRowIsDeleted()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    addDepots(t.dm());
    QVERIFY(addGoods(t.dm(), "G1", "货一", {}, 3));
    QVERIFY(addStock(t.dm(), "G1", "一号库", 4, 3));
    QVERIFY(addStock(t.dm(), "G1", "二号库", 6, 0));
    TFrmGoodGl list;
    openAll(list);
    TFrmGoodEdit editor(&list);
    editor.openModify(&list);
    QCOMPARE(editor.windowTitle(), QStringLiteral("货品信息编辑 - 修改"));
    QCOMPARE(stockDepots(editor), QStringList({"一号库", "二号库", "三号库"}));
    QVERIFY(setStock(editor, "一号库", 0));
    MessageScript ms;
    editor.Button1Click();
    QVERIFY2(ms.shown().isEmpty(), qPrintable(ms.texts().join('|')));
    QCOMPARE(count(t.dm(), "select count(*) from t_begDept where F_GoodCode = 'G1'"), 1);
    QCOMPARE(value(t.dm(), "select F_Depot from t_begDept where F_GoodCode = 'G1'").toString(), QStringLiteral("二号库"));
    // The stored price 0 became the cost price.
    QCOMPARE(value(t.dm(), "select F_Price from t_begDept where F_GoodCode = 'G1'").toDouble(), 3.0);
    QCOMPARE(value(t.dm(), "select F_BegAmount from t_goods where F_Code = 'G1'").toDouble(), 6.0);
}

void TestGoods::codeRenameCarriedIntoLinesAndStock()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    addDepots(t.dm());
    QVERIFY(addGoods(t.dm(), "OLD", "旧名"));
    QVERIFY(addGoods(t.dm(), "OTHER", "别的"));
    QVERIFY(addStock(t.dm(), "OLD", "一号库", 5, 1));
    QVERIFY(addLine(t.dm(), "depotD", "CGD1", "OLD"));
    QVERIFY(addLine(t.dm(), "depotD", "CGD2", "OTHER"));
    QVERIFY(addLine(t.dm(), "ddDepotD", "CDD1", "OLD"));
    TFrmGoodGl list;
    openAll(list);
    QVERIFY(list.locate("F_Code", "OLD"));
    TFrmGoodEdit editor(&list);
    editor.openModify(&list);
    setText(&editor, "edtCode", "NEW");
    setText(&editor, "edtName", "新名");
    setText(&editor, "cbeType", "\\\\电器");
    setText(&editor, "edtSpec", "大号");
    child<QComboBox>(&editor, "cbbUnit")->setEditText("台");
    setText(&editor, "edtAddress", "上海");
    MessageScript ms;
    editor.Button1Click();
    QVERIFY2(ms.shown().isEmpty(), qPrintable(ms.texts().join('|')));
    QCOMPARE(count(t.dm(), "select count(*) from t_goods where F_Code = 'OLD'"), 0);
    QCOMPARE(count(t.dm(), "select count(*) from depotD where F_GoodCode = 'NEW'"), 1);
    QCOMPARE(count(t.dm(), "select count(*) from ddDepotD where F_GoodCode = 'NEW'"), 1);
    QCOMPARE(count(t.dm(), "select count(*) from t_begDept where F_GoodCode = 'NEW'"), 1);
    QCOMPARE(count(t.dm(), "select count(*) from t_begDept where F_GoodCode = 'OLD'"), 0);
    QCOMPARE(value(t.dm(), "select F_GoodName || '|' || F_Type || '|' || F_Spec || '|' || F_Unit || '|' || F_Address "
                           "from depotD where F_GoodCode = 'NEW'").toString(),
             QStringLiteral("新名|\\\\电器|大号|台|上海"));
    // Order lines keep their description; other goods' lines are untouched.
    QCOMPARE(value(t.dm(), "select F_GoodName from ddDepotD").toString(), QStringLiteral("旧名"));
    QCOMPARE(value(t.dm(), "select F_GoodName from depotD where F_GoodCode = 'OTHER'").toString(), QStringLiteral("旧名"));
    QCOMPARE(list.currentValue("F_Code").toString(), QStringLiteral("NEW"));
}

void TestGoods::goodsInReceiptLineCannotBeDeleted()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addGoods(t.dm(), "G1", "已入库"));
    QVERIFY(addGoods(t.dm(), "G2", "仅订货"));
    QVERIFY(addLine(t.dm(), "depotD", "CGD1", "G1"));
    QVERIFY(addLine(t.dm(), "ddDepotD", "CDD1", "G2"));
    QVERIFY(addStock(t.dm(), "G2", "一号库", 3, 1));
    TFrmGoodGl list;
    openAll(list);
    MessageScript ms;
    list.tbDelClick();
    QCOMPARE(ms.texts(), QStringList{QStringLiteral("该货品资料已经被使用，不能被删除！")});
    QCOMPARE(ms.shown().first().kind, int(MessWarning));
    QCOMPARE(count(t.dm(), "select count(*) from t_goods where F_Code = 'G1'"), 1);
    ms.clear();
    list.setCurrentRow(1);
    ms.answer(2);
    list.tbDelClick();
    QCOMPARE(ms.texts(), QStringList{QStringLiteral("真的要删除货品仅订货吗？")});
    QCOMPARE(count(t.dm(), "select count(*) from t_goods"), 2);
    ms.clear();
    ms.answer(1);
    list.tbDelClick();
    QCOMPARE(count(t.dm(), "select count(*) from t_goods where F_Code = 'G2'"), 0);
    QCOMPARE(count(t.dm(), "select count(*) from t_begDept where F_GoodCode = 'G2'"), 0);
    QCOMPARE(column(list, "F_Code"), QStringList({"G1"}));
}

void TestGoods::unknownUnitAddedOnlyWhenConfirmed()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addCode(t.dm(), "goodunit", "个"));
    TFrmGoodEdit editor;
    editor.openNew(nullptr);
    auto *unit = child<QComboBox>(&editor, "cbbUnit");
    MessageScript ms;
    unit->setEditText("个");
    editor.unitLeft();
    QVERIFY(ms.shown().isEmpty());
    unit->setEditText("箱");
    ms.answer(2);
    editor.unitLeft();
    QCOMPARE(ms.texts(), QStringList{QStringLiteral("此货品计量单位不存在，真的要新增此单位吗？")});
    QCOMPARE(unit->currentText(), QString());
    QCOMPARE(count(t.dm(), "select count(*) from t_code where F_type = 'goodunit'"), 1);
    unit->setEditText("箱");
    ms.answer(1);
    editor.unitLeft();
    QCOMPARE(count(t.dm(), "select count(*) from t_code where F_type = 'goodunit' and F_name = '箱'"), 1);
    QCOMPARE(unit->currentText(), QStringLiteral("箱"));
}

void TestGoods::automaticCode_data()
{
    QTest::addColumn<QString>("highest");
    QTest::addColumn<QString>("expected");   // empty: refused
    QTest::newRow("no goods") << QString() << "000001";
    QTest::newRow("000123") << "000123" << "000124";
    QTest::newRow("head kept") << "AB000999" << "AB001000";
    QTest::newRow("short tail") << "12" << "13";
    QTest::newRow("999999 refused") << "999999" << QString();
    QTest::newRow("not a number refused") << "ABCDEFG" << QString();
}

void TestGoods::automaticCode()
{
    QFETCH(QString, highest);
    QFETCH(QString, expected);
    REQUIRE_TEST_DB(t);
    login(t.dm());
    Session::instance().bAutoGoodCode = true;
    if (!highest.isEmpty())
        QVERIFY(addGoods(t.dm(), highest, "最大"));
    TFrmGoodGl list;
    openAll(list);
    MessageScript ms;
    bool opened = false;
    QString code;
    bool readOnly = false;
    whenModal([&](QWidget *w) {
        if (!w)
            return;
        opened = true;
        auto *e = child<QLineEdit>(w, "edtCode");
        code = e->text();
        readOnly = e->isReadOnly();
        child<QPushButton>(w, "Button2")->click();
    });
    list.tbNewClick();
    if (expected.isEmpty()) {
        QVERIFY(!opened);
        QCOMPARE(ms.shown().size(), 1);
        QCOMPARE(ms.shown().first().kind, int(MessError));
        QApplication::processEvents();
    } else {
        QVERIFY(opened);
        QCOMPARE(code, expected);
        QVERIFY(readOnly);
    }
}

void TestGoods::automaticCodeTwoEditorsAtOnce()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    addDepots(t.dm());
    Session::instance().bAutoGoodCode = true;
    QVERIFY(addGoods(t.dm(), "000001", "已有"));
    TFrmGoodGl list;
    openAll(list);
    TFrmGoodEdit first(&list);
    TFrmGoodEdit second(&list);
    QVERIFY(first.takeAutomaticCode());
    QVERIFY(second.takeAutomaticCode());
    first.openNew(&list);
    second.openNew(&list);
    QCOMPARE(child<QLineEdit>(&first, "edtCode")->text(), QStringLiteral("000002"));
    QCOMPARE(child<QLineEdit>(&second, "edtCode")->text(), QStringLiteral("000002"));
    setText(&first, "edtName", "第一");
    setText(&second, "edtName", "第二");
    QVERIFY(setStock(second, "二号库", 8, 2));
    child<QCheckBox>(&first, "CheckBox1")->setChecked(false);
    child<QCheckBox>(&second, "CheckBox1")->setChecked(false);
    MessageScript ms;
    first.Button1Click();
    second.Button1Click();
    QVERIFY2(ms.shown().isEmpty(), qPrintable(ms.texts().join('|')));
    QCOMPARE(value(t.dm(), "select F_Name from t_goods where F_Code = '000002'").toString(), QStringLiteral("第一"));
    QCOMPARE(value(t.dm(), "select F_Name from t_goods where F_Code = '000003'").toString(), QStringLiteral("第二"));
    QCOMPARE(value(t.dm(), "select F_GoodCode from t_begDept").toString(), QStringLiteral("000003"));
    QCOMPARE(child<QLineEdit>(&second, "edtCode")->text(), QStringLiteral("000003"));
}

void TestGoods::duplicateCodeRefusedWithoutAutomaticCodes()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addGoods(t.dm(), "G1", "甲"));
    QVERIFY(addGoods(t.dm(), "G2", "乙"));
    TFrmGoodGl list;
    openAll(list);
    TFrmGoodEdit editor(&list);
    editor.openNew(&list);
    MessageScript ms;
    setText(&editor, "edtCode", "  ");
    editor.Button1Click();
    QCOMPARE(ms.texts(), QStringList{QStringLiteral("当前货品编号不能为空！")});
    ms.clear();
    setText(&editor, "edtCode", "g1");
    editor.Button1Click();
    QCOMPARE(ms.texts(), QStringList{QStringLiteral("货品编号重复，请重新输入！")});
    QCOMPARE(count(t.dm(), "select count(*) from t_goods"), 2);
    // Renaming a goods onto another's code is refused; keeping its own code is not a duplicate.
    TFrmGoodEdit modify(&list);
    modify.openModify(&list);
    ms.clear();
    modify.Button1Click();
    QVERIFY(ms.shown().isEmpty());
    TFrmGoodEdit rename(&list);
    rename.openModify(&list);
    setText(&rename, "edtCode", "G2");
    rename.Button1Click();
    QCOMPARE(ms.texts(), QStringList{QStringLiteral("货品编号重复，请重新输入！")});
}

void TestGoods::customDatesStoredAsMissingAndShownEmpty()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    TFrmGoodGl list;
    openAll(list);
    TFrmGoodEdit editor(&list);
    editor.openNew(&list);
    setText(&editor, "edtCode", "D1");
    auto *rq2 = child<CheckedDateEdit>(&editor, "dtpRQ2");
    rq2->setChecked(true);
    rq2->setDate(QDate(2024, 3, 5));
    setText(&editor, "edtZF1", "  原样 ");
    child<QCheckBox>(&editor, "CheckBox1")->setChecked(false);
    editor.Button1Click();
    const QDate rq1 = Sql::toDate(value(t.dm(), "select F_RQ1 from t_goods"));
    QCOMPARE(rq1, QDate(1900, 8, 14));
    QCOMPARE(Sql::toDate(value(t.dm(), "select F_RQ2 from t_goods")), QDate(2024, 3, 5));
    QCOMPARE(value(t.dm(), "select F_ZF1 from t_goods").toString(), QStringLiteral("  原样 "));
    const int c1 = list.grid()->findColumn("F_RQ1");
    const int c2 = list.grid()->findColumn("F_RQ2");
    QCOMPARE(list.grid()->viewModel()->cellText(0, c1), QString());
    QCOMPARE(list.grid()->viewModel()->cellText(0, c2), QStringLiteral("2024-03-05"));
    // The editor shows the missing date as an unchecked picker.
    TFrmGoodEdit again(&list);
    again.openModify(&list);
    QVERIFY(!child<CheckedDateEdit>(&again, "dtpRQ1")->isChecked());
    QVERIFY(child<CheckedDateEdit>(&again, "dtpRQ2")->isChecked());
}

void TestGoods::operatorWithoutPriceRight()
{
    REQUIRE_TEST_DB(t);
    login(t.dm(), "002");
    Session::instance().bPrice = false;
    Session::instance().sNoPrice = QStringLiteral("1");
    addDepots(t.dm());
    QVERIFY(addGoods(t.dm(), "G1", "甲", {}, 12.5));
    TFrmGoodGl list;
    openAll(list);
    QCOMPARE(list.grid()->findColumn("F_EnterPrice"), -1);
    QCOMPARE(list.grid()->findColumn("F_SalePrice"), -1);
    ReportScript rs;
    list.tbPrintClick();
    QCOMPARE(rs.entries().size(), 1);
    QCOMPARE(rs.entries().at(0).name, QStringLiteral("frGoodMan1"));
    QVERIFY(rs.entries().at(0).report.pageCount() > 0);
    QVERIFY(!rs.entries().at(0).report.text().contains(QStringLiteral("12.5")));
    list.tbSetClick();
    QCOMPARE(rs.entries().at(1).name, QStringLiteral("frGoodMan1"));

    TFrmGoodEdit editor(&list);
    editor.openModify(&list);
    editor.show();
    QVERIFY(!child<NumberEdit>(&editor, "ceEnterprice")->isVisible());
    QVERIFY(!child<NumberEdit>(&editor, "ceSalePrice")->isVisible());
    DataGrid *stock = editor.openingStockGrid();
    QVERIFY(!stock->gridColumn(stock->findColumn("F_Price")).visible);
    QVERIFY(!stock->gridColumn(stock->findColumn("F_totalPrice")).visible);
    // Saving keeps the prices it could not see.
    editor.Button1Click();
    QCOMPARE(value(t.dm(), "select F_EnterPrice from t_goods").toDouble(), 12.5);
    QCOMPARE(value(t.dm(), "select F_SalePrice from t_goods").toDouble(), 25.0);

    // With the price right the list shows them and prints frGoodMan.
    login(t.dm(), "003");
    TFrmGoodGl priced;
    openAll(priced);
    QVERIFY(priced.grid()->findColumn("F_EnterPrice") >= 0);
    priced.tbPrintClick();
    QCOMPARE(rs.entries().last().name, QStringLiteral("frGoodMan"));
}

void TestGoods::operatorWithoutGoodsEditFlag()
{
    REQUIRE_TEST_DB(t);
    login(t.dm(), "004");
    Session::instance().bHPedit = false;
    QVERIFY(addGoods(t.dm(), "G1", "甲"));
    TFrmGoodGl list;
    openAll(list);
    QVERIFY(!child<QToolButton>(&list, "tbDel")->isEnabled());
    QVERIFY(!list.changeTypeAction()->isEnabled());
    TFrmGoodEdit editor(&list);
    editor.openModify(&list);
    QVERIFY(!child<QPushButton>(&editor, "Button1")->isEnabled());
    setText(&editor, "edtName", "改");
    editor.Button1Click();
    QCOMPARE(value(t.dm(), "select F_Name from t_goods").toString(), QStringLiteral("甲"));
    MessageScript ms;
    list.changeSelectedType();
    QVERIFY(ms.shown().isEmpty());
}

void TestGoods::restrictedDepotsKeepOtherOpeningStock()
{
    REQUIRE_TEST_DB(t);
    login(t.dm(), "005");
    addDepots(t.dm());
    Session &s = Session::instance();
    s.iCKflag = 1;
    s.operDepotList = QStringList{QStringLiteral("一号库"), QStringLiteral("三号库")};
    s.sOperDepots = QStringLiteral("'一号库','三号库'");
    QVERIFY(addGoods(t.dm(), "G1", "甲", {}, 1));
    QVERIFY(addStock(t.dm(), "G1", "一号库", 1, 1));
    QVERIFY(addStock(t.dm(), "G1", "二号库", 20, 1));
    TFrmGoodGl list;
    openAll(list);
    TFrmGoodEdit editor(&list);
    editor.openModify(&list);
    QCOMPARE(stockDepots(editor), QStringList({"一号库", "三号库"}));
    QCOMPARE(child<QComboBox>(&editor, "cbbDepot")->count(), 2);
    QVERIFY(setStock(editor, "三号库", 4, 1));
    setText(&editor, "edtCode", "G9");
    MessageScript ms;
    editor.Button1Click();
    QVERIFY2(ms.shown().isEmpty(), qPrintable(ms.texts().join('|')));
    // The hidden depot keeps its row (moved to the new code) and counts in the total.
    QCOMPARE(value(t.dm(), "select F_Amount from t_begDept where F_Depot = '二号库' and F_GoodCode = 'G9'").toDouble(), 20.0);
    QCOMPARE(value(t.dm(), "select F_BegAmount from t_goods").toDouble(), 25.0);
    QCOMPARE(count(t.dm(), "select count(*) from t_begDept where F_GoodCode = 'G9'"), 3);
}

void TestGoods::bulkTypeChangeInOneTransaction()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addGoods(t.dm(), "G1", "甲", "\\\\旧"));
    QVERIFY(addGoods(t.dm(), "G2", "乙", "\\\\旧"));
    QVERIFY(addGoods(t.dm(), "G3", "丙", "\\\\旧"));
    TFrmGoodGl list;
    openAll(list);
    list.grid()->selectionModel()->select(list.grid()->viewModel()->index(0, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list.grid()->selectionModel()->select(list.grid()->viewModel()->index(2, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    MessageScript ms;
    ms.answer(1);
    QStringList dialogMessages;
    whenModal([&](QWidget *w) {
        if (!w)
            return;
        auto *dlg = qobject_cast<TDlgEditGoodType *>(w);
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("批量修改货品类型"));
        dlg->BitBtn1Click();  // blank: refused, stays open
        dialogMessages = ms.texts();
        QVERIFY(dlg->isVisible());
        dlg->setTypePicker([](QWidget *, const QString &) { return QStringLiteral("\\\\新类"); });
        dlg->pickType();
        dlg->BitBtn1Click();
    });
    list.changeSelectedType();
    QCOMPARE(dialogMessages.value(0), QStringLiteral("真的要改变当前所选货品的类型吗？"));
    QCOMPARE(dialogMessages.value(1), QStringLiteral("商品类型名称不能为空！"));
    QCOMPARE(count(t.dm(), "select count(*) from t_goods where F_Type = '\\\\新类'"), 2);
    QCOMPARE(value(t.dm(), "select F_Type from t_goods where F_Code = 'G2'").toString(), QStringLiteral("\\\\旧"));

    // Declining the question changes nothing.
    ms.clear();
    ms.answer(2);
    list.changeSelectedType();
    QCOMPARE(ms.shown().size(), 1);
}

void TestGoods::printDesignAndExportToExcel()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addGoods(t.dm(), "00012", "前导零", {}, 3));
    TFrmGoodGl list;
    list.show();
    ExportScript es;
    QTemporaryDir dir;
    es.setExcelFolder(dir.path());
    list.tbExportClick();  // empty list: nothing
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);
    list.searchButton()->click();
    ReportScript rs;
    list.tbPrintClick();
    QCOMPARE(rs.entries().value(0).name, QStringLiteral("frGoodMan"));
    QVERIFY(rs.entries().value(0).report.text().contains(QStringLiteral("前导零")));
    child<QToolButton>(&list, "tbset")->click();
    QCOMPARE(rs.entries().value(1).kind, ReportScript::Entry::Kind::Designer);
    MessageScript ms;
    child<QToolButton>(&list, "ToolButton1")->click();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

void TestGoods::continuousEntryKeepsCodeAndSalePrice()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    addDepots(t.dm());
    Session::instance().bAutoGoodCode = true;
    TFrmGoodGl list;
    openAll(list);
    TFrmGoodEdit editor(&list);
    QVERIFY(editor.takeAutomaticCode());
    editor.openNew(&list);
    setText(&editor, "edtName", "第一件");
    setNumber(&editor, "ceSalePrice", 9.9);
    setNumber(&editor, "ceEnterprice", 4);
    QVERIFY(setStock(editor, "一号库", 1));
    MessageScript ms;
    editor.Button1Click();
    QVERIFY2(ms.shown().isEmpty(), qPrintable(ms.texts().join('|')));
    QCOMPARE(editor.result(), 0);
    QCOMPARE(child<QLineEdit>(&editor, "edtCode")->text(), QStringLiteral("000002"));
    QCOMPARE(child<QLineEdit>(&editor, "edtName")->text(), QString());
    QCOMPARE(child<NumberEdit>(&editor, "ceSalePrice")->value(), 9.9);
    QCOMPARE(child<NumberEdit>(&editor, "ceEnterprice")->value(), 0.0);
    QCOMPARE(stockDepots(editor).size(), 3);
    QCOMPARE(editor.openingStockModel()->value(0, QStringLiteral("F_Amount")).toDouble(), 0.0);
    setText(&editor, "edtName", "第二件");
    editor.Button1Click();
    QCOMPARE(column(list, "F_Code"), QStringList({"000001", "000002"}));
    QCOMPARE(list.currentRow(), 1);
    QCOMPARE(value(t.dm(), "select F_SalePrice from t_goods where F_Code = '000002'").toDouble(), 9.9);
    QCOMPARE(count(t.dm(), "select count(*) from t_begDept"), 1);
}

QTEST_MAIN(TestGoods)
#include "tst_goods.moc"
