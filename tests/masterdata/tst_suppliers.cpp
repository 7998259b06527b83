#include "suppliergoodsfixture.h"
#include "support/testdatabase.h"

#include "data/session.h"
#include "masterdata/sidevaluelist.h"
#include "masterdata/tdlgcltxz.h"
#include "masterdata/tfrmcltedit.h"
#include "masterdata/tfrmcltman.h"
#include "platform/showmess.h"
#include "reporting/reportscript.h"
#include "widgets/datagrid.h"
#include "widgets/exportscript.h"
#include "widgets/gridviewmodel.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>

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

void click(QWidget *w, const char *name)
{
    if (auto *b = child<QAbstractButton>(w, name))
        b->click();
}

void setText(QWidget *w, const char *name, const QString &text)
{
    if (auto *e = child<QLineEdit>(w, name))
        e->setText(text);
}

QStringList column(TfrmCltMan &list, const QString &field)
{
    QStringList out;
    for (int row = 0; row < list.rowCount(); ++row)
        out << list.rowValue(row, field).toString();
    return out;
}

} // namespace

class TestSuppliers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void listShowsActiveSuppliersOfTheKind();
    void disabledShownRedOnlyWithIncludeDisabled();
    void codeRefusedOrAcceptedPerKind_data();
    void codeRefusedOrAcceptedPerKind();
    void modifyWithoutChangesSaves();
    void continuousEntryAddsTwo();
    void sideListFiltersByType();
    void queryTypesMatchLiterally();
    void operatorWithoutEditFlagCannotSave();
    void deleteAsksFirst();
    void navigationButtons();
    void titleClickSortsAscendingFirst();
    void printDesignAndExport();
    void clientModeUsesItsOwnLayoutAndTexts();
    void newFromToolbarOpensEditor();

    void dialogLiveFilterAndPick();
    void dialogNeverOffersDisabled();
    void dialogOkOnEmptyListAndCancelKeepInput();
    void dialogAddsPartnerThatCanBeChosen();
    void dialogSelectRunsModally();
};

void TestSuppliers::listShowsActiveSuppliersOfTheKind()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addPartner(t.dm(), 0, "S002", "乙供应商"));
    QVERIFY(addPartner(t.dm(), 0, "S001", "甲供应商"));
    QVERIFY(addPartner(t.dm(), 1, "C001", "甲客户"));
    TfrmCltMan list(0);
    list.show();
    QCOMPARE(list.windowTitle(), QStringLiteral("供应商资料管理"));
    QCOMPARE(column(list, "F_Code"), QStringList({"S001", "S002"}));
    QCOMPARE(child<QLabel>(&list, "StatusPanel2")->text(), QStringLiteral("记录数：2"));
    QCOMPARE(list.grid()->footerText(0), QStringLiteral("合  计"));
    QAbstractItemModelTester tester(list.grid()->viewModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    // The layout "supman" is loaded: its columns in their stored order.
    QCOMPARE(list.grid()->gridColumn(0).fieldName, QStringLiteral("F_Code"));
    QCOMPARE(list.grid()->gridColumn(1).caption, QStringLiteral("名称"));
    QCOMPARE(list.grid()->gridColumnCount(), 18);
}

void TestSuppliers::disabledShownRedOnlyWithIncludeDisabled()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addPartner(t.dm(), 0, "S001", "在用"));
    QVERIFY(addPartner(t.dm(), 0, "S002", "停用的", {}, {}, true));
    TfrmCltMan list(0);
    list.show();
    QCOMPARE(column(list, "F_Name"), QStringList({"在用"}));
    child<QCheckBox>(&list, "CheckBox2")->click();
    QCOMPARE(column(list, "F_Name"), QStringList({"在用", "停用的"}));
    const QColor active = list.grid()->viewModel()->index(0, 1).data(Qt::ForegroundRole).value<QColor>();
    QVERIFY(active != QColor(Qt::red));
    QCOMPARE(list.grid()->viewModel()->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    child<QCheckBox>(&list, "CheckBox2")->click();
    QCOMPARE(list.rowCount(), 1);
}

void TestSuppliers::codeRefusedOrAcceptedPerKind_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("suppliersWithCode");
    QTest::newRow("blank") << "   " << "当前供应商编号不能为空！" << 0;
    QTest::newRow("client's code") << " C001 " << "" << 1;
    QTest::newRow("supplier's code") << "S001" << "供应商编号重复，请重新输入！" << 1;
    QTest::newRow("supplier's code, other case") << "s001" << "供应商编号重复，请重新输入！" << 1;
    QTest::newRow("quote in code") << "X'1" << "" << 1;
}

void TestSuppliers::codeRefusedOrAcceptedPerKind()
{
    QFETCH(QString, code);
    QFETCH(QString, message);
    QFETCH(int, suppliersWithCode);
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addPartner(t.dm(), 0, "S001", "已有供应商"));
    QVERIFY(addPartner(t.dm(), 1, "C001", "已有客户"));
    TfrmCltMan list(0);
    list.show();
    TfrmCltEdit editor(0, &list);
    editor.openNew(&list);
    QCOMPARE(editor.windowTitle(), QStringLiteral("供应商资料 - 新增"));
    setText(&editor, "edtcode", code);
    setText(&editor, "edtName", "新供应商");
    MessageScript ms;
    editor.Button1Click();
    if (message.isEmpty()) {
        QVERIFY2(ms.shown().isEmpty(), qPrintable(ms.texts().join('|')));
        QCOMPARE(list.currentValue("F_Code").toString(), code.trimmed());
    } else {
        QCOMPARE(ms.texts(), QStringList{message});
        QCOMPARE(ms.shown().first().kind, int(MessNotice));
    }
    QCOMPARE(count(t.dm(), "select count(*) from t_client where F_operFlag = 0 and F_Code = ?", {code.trimmed()}),
             suppliersWithCode);
    // The client keeps its row either way.
    QCOMPARE(count(t.dm(), "select count(*) from t_client where F_operFlag = 1"), 1);
}

void TestSuppliers::modifyWithoutChangesSaves()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(exec(t.dm(),
                 "insert into t_client(F_operFlag,F_Code,F_Name,F_LinkMan,F_BegPrice,F_Mem,F_UseFlag,F_type) "
                 "values(0,'S001','甲','  张三 ',1234.5678,'第一行\n第二行',0,'批发')"));
    TfrmCltMan list(0);
    list.show();
    TfrmCltEdit editor(0, &list);
    editor.openModify(&list);
    QCOMPARE(editor.windowTitle(), QStringLiteral("供应商资料 - 修改"));
    QVERIFY(child<QLineEdit>(&editor, "edtcode")->isReadOnly());
    QVERIFY(!child<QCheckBox>(&editor, "CheckBox1")->isVisibleTo(&editor));
    MessageScript ms;
    editor.Button1Click();
    QVERIFY2(ms.shown().isEmpty(), qPrintable(ms.texts().join('|')));
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(count(t.dm(), "select count(*) from t_client"), 1);
    QCOMPARE(value(t.dm(), "select F_LinkMan from t_client").toString(), QStringLiteral("  张三 "));
    QCOMPARE(value(t.dm(), "select F_Mem from t_client").toString(), QStringLiteral("第一行\n第二行"));
    QCOMPARE(value(t.dm(), "select F_BegPrice from t_client").toDouble(), 1234.5678);
    QCOMPARE(value(t.dm(), "select F_type from t_client").toString(), QStringLiteral("批发"));

    // A change of the name is stored; the code stays.
    TfrmCltEdit again(0, &list);
    again.openModify(&list);
    setText(&again, "edtName", "  甲公司  ");
    setText(&again, "edtcode", "ZZZ");
    again.Button1Click();
    QCOMPARE(value(t.dm(), "select F_Name from t_client").toString(), QStringLiteral("甲公司"));
    QCOMPARE(value(t.dm(), "select F_Code from t_client").toString(), QStringLiteral("S001"));
}

void TestSuppliers::continuousEntryAddsTwo()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    TfrmCltMan list(0);
    list.show();
    TfrmCltEdit editor(0, &list);
    editor.openNew(&list);
    QVERIFY(child<QCheckBox>(&editor, "CheckBox1")->isChecked());
    MessageScript ms;
    setText(&editor, "edtcode", "A01");
    setText(&editor, "edtName", "第一家");
    editor.Button1Click();
    QCOMPARE(editor.result(), 0);  // still open
    QCOMPARE(child<QLineEdit>(&editor, "edtcode")->text(), QString());
    setText(&editor, "edtcode", "A02");
    setText(&editor, "edtName", "第二家");
    child<QPlainTextEdit>(&editor, "Mem")->setPlainText("备注");
    editor.Button1Click();
    QVERIFY(ms.shown().isEmpty());
    QCOMPARE(column(list, "F_Code"), QStringList({"A01", "A02"}));
    QCOMPARE(list.currentRow(), 1);
    QCOMPARE(value(t.dm(), "select F_operFlag from t_client where F_Code = 'A02'").toInt(), 0);
}

void TestSuppliers::sideListFiltersByType()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addCode(t.dm(), "clttype", "批发"));
    QVERIFY(addCode(t.dm(), "clttype", "零售"));
    QVERIFY(addEmployee(t.dm(), "E1", "王五"));
    QVERIFY(addEmployee(t.dm(), "E2", "离职者", true));
    QVERIFY(addPartner(t.dm(), 0, "S1", "甲", "批发", "王五"));
    QVERIFY(addPartner(t.dm(), 0, "S2", "乙", "批发2"));
    QVERIFY(addPartner(t.dm(), 0, "S3", "丙", "零售"));
    TfrmCltMan list(0);
    list.show();
    SideValueList *side = list.sideList();
    auto *vle = child<QTableWidget>(&list, "vleList");
    // Employees first: "全部" and the active employee.
    QCOMPARE(vle->rowCount(), 2);
    QCOMPARE(vle->item(0, 1)->text(), QStringLiteral("全部"));
    QCOMPARE(vle->item(1, 1)->text(), QStringLiteral("王五"));
    side->clickRow(1);
    QCOMPARE(column(list, "F_Code"), QStringList({"S1"}));

    child<QComboBox>(&list, "cbbListType")->setCurrentIndex(1);
    QCOMPARE(vle->horizontalHeaderItem(1)->text(), QStringLiteral("类  型"));
    QCOMPARE(list.rowCount(), 3);
    QCOMPARE(vle->item(1, 1)->text(), QStringLiteral("批发"));
    QCOMPARE(vle->item(1, 0)->text(), QStringLiteral("1"));
    side->clickRow(1);
    QCOMPARE(column(list, "F_Code"), QStringList({"S1"}));  // exactly that type, not 批发2
    side->clickRow(2);
    QCOMPARE(column(list, "F_Code"), QStringList({"S3"}));
    side->clickRow(0);
    QCOMPARE(list.rowCount(), 3);
}

void TestSuppliers::queryTypesMatchLiterally()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addPartner(t.dm(), 0, "AB1", "百分50%公司"));
    QVERIFY(addPartner(t.dm(), 0, "XAB", "五十公司"));
    QVERIFY(addPartner(t.dm(), 0, "A_C", "下划线'公司"));
    TfrmCltMan list(0);
    list.show();
    auto *type = child<QComboBox>(&list, "ComboBox1");
    auto *text = child<QLineEdit>(&list, "Edit1");
    QCOMPARE(type->currentIndex(), -1);
    type->setCurrentIndex(0);  // 编  号: prefix
    text->setText("ab");
    click(&list, "SpeedButton1");
    QCOMPARE(column(list, "F_Code"), QStringList({"AB1"}));
    text->setText("A_");
    click(&list, "SpeedButton1");
    QCOMPARE(column(list, "F_Code"), QStringList({"A_C"}));
    type->setCurrentIndex(1);  // 名  称: contains; choosing a type empties the text
    QCOMPARE(text->text(), QString());
    text->setText("50%");
    click(&list, "SpeedButton1");
    QCOMPARE(column(list, "F_Code"), QStringList({"AB1"}));
    text->setText("'");
    click(&list, "SpeedButton1");
    QCOMPARE(column(list, "F_Code"), QStringList({"A_C"}));
}

void TestSuppliers::operatorWithoutEditFlagCannotSave()
{
    REQUIRE_TEST_DB(t);
    login(t.dm(), "001");
    Session::instance().bKHedit = false;
    QVERIFY(addPartner(t.dm(), 0, "S001", "甲"));
    TfrmCltMan list(0);
    list.show();
    QVERIFY(!child<QToolButton>(&list, "tbDel")->isEnabled());
    TfrmCltEdit editor(0, &list);
    editor.openModify(&list);
    auto *ok = child<QPushButton>(&editor, "Button1");
    QVERIFY(!ok->isEnabled());
    setText(&editor, "edtName", "改名");
    editor.Button1Click();
    QTest::keyClick(child<QLineEdit>(&editor, "edtName"), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(value(t.dm(), "select F_Name from t_client").toString(), QStringLiteral("甲"));
    // Deleting is refused as well.
    MessageScript ms;
    list.tbDelClick();
    QVERIFY(ms.shown().isEmpty());
    QCOMPARE(count(t.dm(), "select count(*) from t_client"), 1);
}

void TestSuppliers::deleteAsksFirst()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addPartner(t.dm(), 0, "S001", "甲"));
    QVERIFY(addPartner(t.dm(), 0, "S002", "乙"));
    TfrmCltMan list(0);
    list.show();
    list.setCurrentRow(1);
    MessageScript ms;
    ms.answer(2);
    list.tbDelClick();
    QCOMPARE(ms.texts(), QStringList{QStringLiteral("真的要删除当前供应商名称为：“乙”的资料吗？")});
    QCOMPARE(count(t.dm(), "select count(*) from t_client"), 2);
    ms.clear();
    ms.answer(1);
    QTest::keyClick(list.grid(), Qt::Key_Delete);
    QCOMPARE(ms.shown().size(), 1);
    QCOMPARE(count(t.dm(), "select count(*) from t_client where F_Code = 'S002'"), 0);
    QCOMPARE(column(list, "F_Code"), QStringList({"S001"}));

    // Modify on an empty list is refused.
    list.tbDelClick();
    QCOMPARE(list.rowCount(), 0);
    ms.clear();
    list.tbEditClick();
    QCOMPARE(ms.texts(), QStringList{QStringLiteral("此表为空，没有记录需要修改！")});
    QCOMPARE(ms.shown().first().kind, int(MessError));
}

void TestSuppliers::navigationButtons()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    for (int i = 1; i <= 3; ++i)
        QVERIFY(addPartner(t.dm(), 0, QStringLiteral("S%1").arg(i), QStringLiteral("名%1").arg(i)));
    TfrmCltMan list(0);
    list.show();
    auto enabled = [&](const char *name) { return child<QToolButton>(&list, name)->isEnabled(); };
    QCOMPARE(list.currentRow(), 0);
    QVERIFY(!enabled("tbFirst") && !enabled("tbPrior") && enabled("tbNext") && enabled("tbLast"));
    click(&list, "tbLast");
    QCOMPARE(list.currentRow(), 2);
    QVERIFY(enabled("tbFirst") && enabled("tbPrior") && !enabled("tbNext") && !enabled("tbLast"));
    QTest::keyClick(list.grid(), Qt::Key_PageUp);
    QCOMPARE(list.currentRow(), 1);
    QVERIFY(enabled("tbFirst") && enabled("tbNext"));
    QTest::keyClick(list.grid(), Qt::Key_Home);
    QCOMPARE(list.currentRow(), 0);
    QTest::keyClick(list.grid(), Qt::Key_End);
    QCOMPARE(list.currentRow(), 2);
    // Home in the query text stays with the text.
    auto *text = child<QLineEdit>(&list, "Edit1");
    text->setText("abc");
    QTest::keyClick(text, Qt::Key_Home);
    QCOMPARE(text->cursorPosition(), 0);
    QCOMPARE(list.currentRow(), 2);
}

void TestSuppliers::titleClickSortsAscendingFirst()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addPartner(t.dm(), 0, "S1", "b"));
    QVERIFY(addPartner(t.dm(), 0, "S2", "c"));
    QVERIFY(addPartner(t.dm(), 0, "S3", "a"));
    TfrmCltMan list(0);
    list.show();
    const int nameCol = list.grid()->findColumn("F_Name");
    list.grid()->titleClick(nameCol);
    QCOMPARE(column(list, "F_Name"), QStringList({"a", "b", "c"}));
    list.grid()->titleClick(nameCol);
    QCOMPARE(column(list, "F_Name"), QStringList({"c", "b", "a"}));
}

void TestSuppliers::printDesignAndExport()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    TfrmCltMan list(0);
    list.show();
    ReportScript rs;
    list.tbPrintClick();  // empty list: nothing
    QCOMPARE(rs.entries().size(), 0);
    QVERIFY(addPartner(t.dm(), 0, "S2", "乙厂"));
    QVERIFY(addPartner(t.dm(), 0, "S1", "甲厂"));
    list.reopen();
    list.grid()->titleClick(list.grid()->findColumn("F_Code"));
    list.grid()->titleClick(list.grid()->findColumn("F_Code"));  // descending: S2 first
    list.tbPrintClick();
    QCOMPARE(rs.entries().size(), 1);
    QCOMPARE(rs.entries().at(0).name, QStringLiteral("frSupMan"));
    const QString text = rs.entries().at(0).report.text();
    QVERIFY2(text.contains(QStringLiteral("测试公司")), qPrintable(text));
    QVERIFY(text.indexOf(QStringLiteral("乙厂")) >= 0);
    QVERIFY(text.indexOf(QStringLiteral("乙厂")) < text.indexOf(QStringLiteral("甲厂")));
    list.tbSetClick();
    QCOMPARE(rs.entries().size(), 2);
    QCOMPARE(rs.entries().at(1).kind, ReportScript::Entry::Kind::Designer);
    QCOMPARE(rs.entries().at(1).name, QStringLiteral("frSupMan"));

    QTemporaryDir dir;
    ExportScript es;
    es.chooseFile(dir.filePath("out"), 5);
    MessageScript ms;
    ms.answer(2);
    list.tbExportClick();
    QVERIFY2(es.proposed().value(0).startsWith(QStringLiteral("供应商资料列表")), qPrintable(es.proposed().join(',')));
    QFile f(dir.filePath("out.csv"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString csv = QString::fromUtf8(f.readAll());
    QVERIFY2(csv.contains(QStringLiteral("甲厂")), qPrintable(csv));

    // "保存当前设置" asks and stores the layout under the window's name.
    list.grid()->editColumn(1, [](GridColumn &c) { c.width = 222; });
    ms.clear();
    ms.answer(1);
    list.grid()->saveLayoutAction()->trigger();
    QCOMPARE(ms.texts(), QStringList{QStringLiteral("真的要保存当前网格设置吗？")});
    QCOMPARE(value(t.dm(), "select F_width from cfg_Grid where F_name = 'supman' and F_fieldname = 'F_Name'").toInt(), 222);
}

void TestSuppliers::clientModeUsesItsOwnLayoutAndTexts()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(exec(t.dm(), "update cfg_Grid set F_caption = '客户名称' where F_name = 'cltman' and F_fieldname = 'F_Name'"));
    QVERIFY(addPartner(t.dm(), 1, "C1", "客甲"));
    QVERIFY(addPartner(t.dm(), 0, "S1", "供甲"));
    TfrmCltMan list(1);
    list.show();
    QCOMPARE(column(list, "F_Code"), QStringList({"C1"}));
    QCOMPARE(list.grid()->gridColumn(list.grid()->findColumn("F_Name")).caption, QStringLiteral("客户名称"));
    TfrmCltEdit editor(1, &list);
    editor.openNew(&list);
    QCOMPARE(editor.windowTitle(), QStringLiteral("客户资料 - 新增"));
    setText(&editor, "edtcode", "C1");
    MessageScript ms;
    editor.Button1Click();
    QCOMPARE(ms.texts(), QStringList{QStringLiteral("客户编号重复，请重新输入！")});
    setText(&editor, "edtcode", "S1");
    editor.Button1Click();
    QCOMPARE(count(t.dm(), "select count(*) from t_client where F_Code = 'S1' and F_operFlag = 1"), 1);
    ReportScript rs;
    list.tbPrintClick();
    QCOMPARE(rs.entries().value(0).name, QStringLiteral("frcltMan"));
}

void TestSuppliers::newFromToolbarOpensEditor()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addEmployee(t.dm(), "E1", "王五"));
    TfrmCltMan list(0);
    list.show();
    QString title;
    MessageScript ms;
    whenModal([&](QWidget *w) {
        title = w ? w->windowTitle() : QString();
        if (!w)
            return;
        setText(w, "edtcode", "N1");
        setText(w, "edtName", "新厂");
        auto *emp = child<QComboBox>(w, "cbbEmpName");
        emp->setFocus();
        QApplication::processEvents();
        // Entering the employee field offers the active employees.
        QCOMPARE(emp->count(), 1);
        emp->setEditText("王五");
        child<QCheckBox>(w, "CheckBox1")->setChecked(false);
        QTest::keyClick(child<QLineEdit>(w, "edtName"), Qt::Key_S, Qt::ControlModifier);
    });
    QTest::keyClick(list.grid(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(title, QStringLiteral("供应商资料 - 新增"));
    QCOMPARE(value(t.dm(), "select F_EmpName from t_client where F_Code = 'N1'").toString(), QStringLiteral("王五"));
    QCOMPARE(list.currentValue("F_Code").toString(), QStringLiteral("N1"));
}

// ---- selection dialog

void TestSuppliers::dialogLiveFilterAndPick()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addPartner(t.dm(), 0, "S1", "华北电器", {}, {}, false, "010-1"));
    QVERIFY(addPartner(t.dm(), 0, "S2", "华南电器", {}, {}, false, "020-2"));
    QVERIFY(addPartner(t.dm(), 0, "S3", "西部五金", {}, {}, false, "028-3"));
    QVERIFY(addPartner(t.dm(), 1, "C1", "华北客户"));
    TDlgCltXz dlg;
    dlg.setKind(0);
    dlg.prepare("原来的");
    QCOMPARE(dlg.windowTitle(), QStringLiteral("供应商资料选择"));
    QCOMPARE(dlg.rowCount(), 3);
    auto *name = child<QLineEdit>(&dlg, "edtName");
    name->insert(QStringLiteral("华"));
    QCOMPARE(dlg.rowCount(), 2);
    name->insert(QStringLiteral("南"));
    QCOMPARE(dlg.rowCount(), 1);
    name->clear();
    QCOMPARE(dlg.rowCount(), 3);
    setText(&dlg, "edtphone", "02");
    QCOMPARE(dlg.rowCount(), 2);
    setText(&dlg, "edtCode", "3");
    QCOMPARE(dlg.rowCount(), 1);
    QCOMPARE(dlg.result(true), QStringLiteral("西部五金"));
    // Choosing a row and cancelling keeps the input.
    QCOMPARE(dlg.result(false), QStringLiteral("原来的"));
}

void TestSuppliers::dialogNeverOffersDisabled()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addPartner(t.dm(), 0, "S1", "停用厂", {}, {}, true));
    QVERIFY(addPartner(t.dm(), 0, "S2", "在用厂"));
    TDlgCltXz dlg;
    dlg.prepare("");
    setText(&dlg, "edtName", "停用厂");
    QCOMPARE(dlg.rowCount(), 0);
    QCOMPARE(dlg.result(true), QString());
}

void TestSuppliers::dialogOkOnEmptyListAndCancelKeepInput()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    TDlgCltXz dlg;
    dlg.prepare("手写的名字");
    QCOMPARE(dlg.rowCount(), 0);
    QCOMPARE(dlg.result(true), QStringLiteral("手写的名字"));
    QVERIFY(!child<QPushButton>(&dlg, "btnSLT")->isVisibleTo(dlg.grid()));
}

void TestSuppliers::dialogAddsPartnerThatCanBeChosen()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addPartner(t.dm(), 0, "S1", "老厂"));
    TDlgCltXz dlg;
    dlg.prepare("");
    dlg.show();
    QString title;
    bool continuousShown = true;
    whenModal([&](QWidget *w) {
        if (!w)
            return;
        title = w->windowTitle();
        continuousShown = child<QCheckBox>(w, "CheckBox1")->isVisible();
        setText(w, "edtcode", "S9");
        setText(w, "edtName", "新来的厂");
        click(w, "Button1");
    });
    MessageScript ms;
    click(&dlg, "BitBtn4");
    QCOMPARE(title, QStringLiteral("供应商资料 - 新增"));
    QVERIFY(!continuousShown);
    QVERIFY2(ms.shown().isEmpty(), qPrintable(ms.texts().join('|')));
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.rowCount(), 2);
    QCOMPARE(dlg.result(true), QStringLiteral("新来的厂"));
    QCOMPARE(value(t.dm(), "select F_operFlag from t_client where F_Code = 'S9'").toInt(), 0);
}

void TestSuppliers::dialogSelectRunsModally()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addPartner(t.dm(), 0, "S1", "甲厂"));
    QVERIFY(addPartner(t.dm(), 0, "S2", "乙厂"));
    TDlgCltXz dlg;
    whenModal([](QWidget *w) {
        if (!w)
            return;
        auto *grid = child<DataGrid>(w, "DBGridEh1");
        grid->setCurrentRow(1);
        QApplication::processEvents();
        QVERIFY(child<QPushButton>(w, "btnSLT")->isVisible());
        QTest::keyClick(grid, Qt::Key_F2);
    });
    QCOMPARE(dlg.Select("x"), QStringLiteral("乙厂"));
    TDlgCltXz dlg2;
    whenModal([](QWidget *w) {
        if (w)
            QTest::keyClick(w, Qt::Key_Escape);
    });
    QCOMPARE(dlg2.Select("x"), QStringLiteral("x"));
}

QTEST_MAIN(TestSuppliers)
#include "tst_suppliers.moc"
