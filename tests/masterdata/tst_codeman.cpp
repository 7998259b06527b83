#include "suppliergoodsfixture.h"
#include "support/testdatabase.h"

#include "masterdata/employeestatements.h"
#include "masterdata/tdlgeditcurlist.h"
#include "masterdata/tdlgentercaption.h"
#include "masterdata/tdlgselectdepotstr.h"
#include "masterdata/tfrmcodeman.h"
#include "platform/showmess.h"
#include "widgets/datagrid.h"
#include "widgets/gridlinemodel.h"
#include "widgets/gridviewmodel.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

using namespace SupplierGoodsFixture;

namespace {

const QString kSaveFailed = QStringLiteral("保存失败，请检测数据库连接！\n所做的修改仍保留在列表中，可以再次保存或取消。");

QStringList names(TdmData &dm, const QString &type)
{
    QSqlQuery q(dm.db());
    q.prepare(QStringLiteral("select F_name from t_code where F_type = ? order by F_ID"));
    q.addBindValue(type);
    q.exec();
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

QStringList shown(TFrmCodeMan &w)
{
    QStringList out;
    GridViewModel *v = w.grid()->viewModel();
    for (int row = 0; row < v->rowCount(); ++row)
        out << v->cellText(row, 0);
    return out;
}

QToolButton *tool(TFrmCodeMan &w, const char *name)
{
    return w.findChild<QToolButton *>(QLatin1String(name));
}

void selectTab(TFrmCodeMan &w, const QString &tabName)
{
    QTabWidget *tabs = w.pageControl();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->objectName() == tabName)
            tabs->setCurrentIndex(i);
}

// Types into a cell the way the grid's editor does: opens the editor and leaves it open, so
// that the window's own commands have to post it.
void typeIntoCell(TFrmCodeMan &w, int viewRow, const QString &text)
{
    DataGrid *g = w.grid();
    const QModelIndex idx = g->viewModel()->index(viewRow, 0);
    g->setCurrentIndex(idx);
    g->edit(idx);
    QLineEdit *editor = nullptr;
    for (QLineEdit *e : g->viewport()->findChildren<QLineEdit *>())
        if (!e->isHidden())
            editor = e;
    QVERIFY(editor);
    editor->setText(text);
}

bool setCell(TFrmCodeMan &w, int viewRow, const QString &text)
{
    GridViewModel *v = w.grid()->viewModel();
    return v->setData(v->index(viewRow, 0), text, Qt::EditRole);
}

} // namespace

class TestCodeMan : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void opensOnDutiesAndSwitchesTabs();
    void appendedRowsSavedUnderTheListKey();
    void cancelRestoresEditedRows();
    void failedSaveKeepsRowsHeld();
    void deleteAsksAndWritesAtOnce();
    void emptyListMessages();
    void departmentTabGathersOlderKey();
    void editingStateLocksTabsAndExit();
    void printUsesColumnTitle();

    void depotDialogPreChecks_data();
    void depotDialogPreChecks();
    void depotDialogResults();
    void depotDialogWithoutDepots();
    void nameDialogRefusesBlanks();
    void columnValueDialog();
};

void TestCodeMan::opensOnDutiesAndSwitchesTabs()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addCode(t.dm(), "empduty", "经理"));
    QVERIFY(addCode(t.dm(), "goodunit", "个"));
    TFrmCodeMan w;
    QAbstractItemModelTester tester(w.grid()->viewModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral("选项设置"));
    QCOMPARE(w.columnTitle(), QStringLiteral("员工职务"));
    QCOMPARE(w.currentKey(), QStringLiteral("empduty"));
    QCOMPARE(shown(w), QStringList{"经理"});
    QVERIFY(!w.findChild<QLabel *>("StatusPanel3")->text().isEmpty());
    // The eight lists, then the two lists other windows read that no other window keeps.
    const QStringList tabs{"tempduty", "tclttype", "tgoodunit", "tdepot", "tpaymode",
                           "tAccount", "tdept",    "tkptype",   "tsuptype", "titemname"};
    QCOMPARE(w.pageControl()->count(), tabs.size());
    for (int i = 0; i < tabs.size(); ++i)
        QCOMPARE(w.pageControl()->widget(i)->objectName(), tabs.at(i));
    selectTab(w, "tgoodunit");
    QCOMPARE(w.currentKey(), QStringLiteral("goodunit"));
    QCOMPARE(w.columnTitle(), QStringLiteral("计量单位"));
    QCOMPARE(shown(w), QStringList{"个"});
    selectTab(w, "tAccount");
    QCOMPARE(w.currentKey(), QStringLiteral("Account"));
    QVERIFY(shown(w).isEmpty());
    for (const char *tab : {"tsuptype", "titemname"}) {
        selectTab(w, tab);
        w.findChild<QToolButton *>("tbNew")->click();
        QVERIFY(setCell(w, 0, QStringLiteral("新项")));
        w.findChild<QToolButton *>("tbSave")->click();
    }
    QCOMPARE(names(t.dm(), "suptype"), QStringList{"新项"});
    QCOMPARE(names(t.dm(), "itemname"), QStringList{"新项"});
}

void TestCodeMan::appendedRowsSavedUnderTheListKey()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    MessageScript msgs;
    TFrmCodeMan w;
    w.show();
    selectTab(w, "tgoodunit");
    tool(w, "tbNew")->click();
    QVERIFY(w.isEditing());
    QCOMPARE(w.grid()->viewModel()->rowCount(), 1);
    typeIntoCell(w, 0, "箱");
    // Moving below the last row appends another one.
    QTest::keyClick(w.grid(), Qt::Key_Down);
    QCOMPARE(w.grid()->viewModel()->rowCount(), 2);
    typeIntoCell(w, 1, "台");
    // Nothing is written before Save.
    QVERIFY(names(t.dm(), "goodunit").isEmpty());
    QTest::keyClick(w.grid(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!w.isEditing());
    QCOMPARE(names(t.dm(), "goodunit"), (QStringList{"箱", "台"}));
    // The goods editor's unit list reads them.
    QCOMPARE(count(t.dm(), "select count(*) from t_code where f_type = 'goodunit' and F_name in ('箱','台')"), 2);
    QVERIFY(msgs.shown().isEmpty());
    // A second save after an edit updates in place.
    tool(w, "tbEdit")->click();
    QVERIFY(setCell(w, 0, "大箱"));
    tool(w, "tbSave")->click();
    QCOMPARE(names(t.dm(), "goodunit"), (QStringList{"大箱", "台"}));
}

void TestCodeMan::cancelRestoresEditedRows()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    for (const char *n : {"经理", "采购员", "会计"})
        QVERIFY(addCode(t.dm(), "empduty", n));
    TFrmCodeMan w;
    w.show();
    // Browsing: the grid does not take input.
    QVERIFY(!setCell(w, 0, "x"));
    tool(w, "tbEdit")->click();
    QVERIFY(setCell(w, 0, "总经理"));
    QVERIFY(setCell(w, 1, "采购"));
    typeIntoCell(w, 2, "出纳");
    QCOMPARE(shown(w), (QStringList{"总经理", "采购", "会计"}));
    QTest::keyClick(w.grid(), Qt::Key_Escape);
    QVERIFY(!w.isEditing());
    QCOMPARE(shown(w), (QStringList{"经理", "采购员", "会计"}));
    QCOMPARE(names(t.dm(), "empduty"), (QStringList{"经理", "采购员", "会计"}));
    QVERIFY(!setCell(w, 0, "x"));
}

void TestCodeMan::failedSaveKeepsRowsHeld()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addCode(t.dm(), "clttype", "批发"));
    QVERIFY(addCode(t.dm(), "clttype", "零售"));
    // A rule of the database the batch breaks in its last statement.
    QVERIFY(t.dm().ExecCommand("create unique index ux_test_code on t_code(F_type, F_name)"));
    MessageScript msgs;
    TFrmCodeMan w;
    w.show();
    selectTab(w, "tclttype");
    tool(w, "tbEdit")->click();
    QVERIFY(setCell(w, 0, "大批发"));
    w.grid()->setCurrentRow(0);
    QTest::keyClick(w.grid(), Qt::Key_Down);
    QTest::keyClick(w.grid(), Qt::Key_Down);
    QCOMPARE(w.grid()->viewModel()->rowCount(), 3);
    QVERIFY(setCell(w, 2, "零售"));
    tool(w, "tbSave")->click();
    QCOMPARE(msgs.shown().size(), 1);
    QCOMPARE(msgs.shown().at(0).text, kSaveFailed);
    QCOMPARE(msgs.shown().at(0).kind, int(MessError));
    // Nothing of the batch is stored; the rows stay held and the window stays in editing.
    QCOMPARE(names(t.dm(), "clttype"), (QStringList{"批发", "零售"}));
    QVERIFY(w.isEditing());
    QCOMPARE(shown(w), (QStringList{"大批发", "零售", "零售"}));
    QVERIFY(setCell(w, 2, "代理"));
    tool(w, "tbSave")->click();
    QCOMPARE(msgs.shown().size(), 1);
    QVERIFY(!w.isEditing());
    QCOMPARE(names(t.dm(), "clttype"), (QStringList{"大批发", "零售", "代理"}));
}

void TestCodeMan::deleteAsksAndWritesAtOnce()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addCode(t.dm(), "depot", "一号库"));
    QVERIFY(addCode(t.dm(), "depot", "二号库"));
    QVERIFY(exec(t.dm(), "insert into depotM(F_Code,F_depot) values('CGD20240101001','一号库')"));
    MessageScript msgs;
    TFrmCodeMan w;
    w.show();
    selectTab(w, "tdepot");
    w.grid()->setCurrentRow(0);
    msgs.answer(2);
    tool(w, "tbDel")->click();
    QCOMPARE(msgs.texts(), QStringList{"真的要删除 \"企业仓库\"一号库吗？"});
    QCOMPARE(names(t.dm(), "depot"), (QStringList{"一号库", "二号库"}));
    msgs.clear();
    msgs.answer(1);
    QTest::keyClick(w.grid(), Qt::Key_Delete);
    QCOMPARE(msgs.shown().size(), 1);
    QCOMPARE(names(t.dm(), "depot"), QStringList{"二号库"});
    QCOMPARE(shown(w), QStringList{"二号库"});
    QVERIFY(!w.isEditing());
    // The document keeps the old text.
    QCOMPARE(value(t.dm(), "select F_depot from depotM").toString(), QStringLiteral("一号库"));

    // Ctrl+Delete while editing holds the delete with the other changes; Cancel brings it back.
    tool(w, "tbEdit")->click();
    msgs.clear();
    QTest::keyClick(w.grid(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(msgs.texts(), QStringList{"真的要删除 \"企业仓库\"二号库吗？"});
    QVERIFY(shown(w).isEmpty());
    QCOMPARE(names(t.dm(), "depot"), QStringList{"二号库"});
    tool(w, "tbCancel")->click();
    QCOMPARE(shown(w), QStringList{"二号库"});
}

void TestCodeMan::emptyListMessages()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    MessageScript msgs;
    TFrmCodeMan w;
    w.show();
    tool(w, "tbEdit")->click();
    QVERIFY(!w.isEditing());
    tool(w, "tbDel")->click();
    QCOMPARE(msgs.shown().size(), 2);
    QCOMPARE(msgs.shown().at(0).text, QStringLiteral("此表为空，没有记录需要修改！"));
    QCOMPARE(msgs.shown().at(0).kind, int(MessError));
    QCOMPARE(msgs.shown().at(1).text, QStringLiteral("此表是空表，不需要删除！"));
    QCOMPARE(msgs.shown().at(1).kind, int(MessNotice));
    // An empty name is stored as it is.
    tool(w, "tbNew")->click();
    tool(w, "tbSave")->click();
    QCOMPARE(count(t.dm(), "select count(*) from t_code where F_type = 'empduty'"), 1);
}

void TestCodeMan::departmentTabGathersOlderKey()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addCode(t.dm(), "department", "财务部"));
    QVERIFY(addCode(t.dm(), "dept", "采购部"));
    // The employee editor offers both.
    const SqlStatement s = EmployeeStatements::departmentList();
    QSqlQuery q(t.dm().db());
    QVERIFY(Sql::execute(q, s.sql, s.params, nullptr));
    QStringList offered;
    while (q.next())
        offered << q.value(0).toString();
    offered.sort();
    QStringList expected{"财务部", "采购部"};
    expected.sort();
    QCOMPARE(offered, expected);

    TFrmCodeMan w;
    w.show();
    selectTab(w, "tdept");
    QCOMPARE(shown(w), (QStringList{"财务部", "采购部"}));
    tool(w, "tbNew")->click();
    QVERIFY(setCell(w, 2, "仓储部"));
    tool(w, "tbSave")->click();
    // The save files every row of the tab under "dept".
    QCOMPARE(names(t.dm(), "dept"), (QStringList{"财务部", "采购部", "仓储部"}));
    QCOMPARE(count(t.dm(), "select count(*) from t_code where F_type = 'department'"), 0);
}

void TestCodeMan::editingStateLocksTabsAndExit()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    TFrmCodeMan w;
    w.show();
    const QStringList browse{"tbNew", "tbEdit", "tbDel", "tbExit", "tbRefresh", "tbPrint"};
    for (const QString &b : browse)
        QVERIFY2(tool(w, qPrintable(b))->isEnabled(), qPrintable(b));
    QVERIFY(!tool(w, "tbSave")->isEnabled() && !tool(w, "tbCancel")->isEnabled());
    QTest::keyClick(w.grid(), Qt::Key_A, Qt::ControlModifier);
    QVERIFY(w.isEditing());
    for (const QString &b : browse)
        QVERIFY2(!tool(w, qPrintable(b))->isEnabled(), qPrintable(b));
    QVERIFY(tool(w, "tbSave")->isEnabled() && tool(w, "tbCancel")->isEnabled());
    QVERIFY(!w.pageControl()->tabBar()->isEnabled());
    // The window does not close while changes are held.
    w.close();
    QVERIFY(w.isVisible());
    QTest::keyClick(w.grid(), Qt::Key_Escape);
    QVERIFY(!w.isEditing());
    QVERIFY(w.grid()->viewModel()->rowCount() == 0);
    QVERIFY(w.pageControl()->tabBar()->isEnabled());
    // Esc in browsing closes the window.
    QTest::keyClick(w.grid(), Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

void TestCodeMan::printUsesColumnTitle()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addCode(t.dm(), "goodunit", "个"));
    TFrmCodeMan w;
    w.show();
    selectTab(w, "tgoodunit");
    QString title;
    whenModal([&title](QWidget *preview) {
        QVERIFY(preview);
        title = preview->windowTitle();
        preview->close();
    });
    tool(w, "tbPrint")->click();
    QCOMPARE(title, QStringLiteral("计量单位设置"));
}

void TestCodeMan::depotDialogPreChecks_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("checked");
    QTest::newRow("full-width comma") << QStringLiteral("'一号库'，'二号库'") << QStringList{"一号库", "二号库"};
    QTest::newRow("one") << QStringLiteral("'二号库'") << QStringList{"二号库"};
    // A depot whose name is part of a chosen name is not chosen with it.
    QTest::newRow("longer name") << QStringLiteral("'一号库二'") << QStringList{"一号库二"};
    QTest::newRow("empty") << QString() << QStringList{};
}

void TestCodeMan::depotDialogPreChecks()
{
    QFETCH(QString, input);
    QFETCH(QStringList, checked);
    REQUIRE_TEST_DB(t);
    login(t.dm());
    for (const char *d : {"一号库", "二号库", "一号库二"})
        QVERIFY(addCode(t.dm(), "depot", d));
    TDLGselectDepotSTR dlg;
    QCOMPARE(dlg.loadDepots(), 3);
    QCOMPARE(dlg.depotNames(), (QStringList{"一号库", "二号库", "一号库二"}));
    dlg.preCheck(input);
    QStringList on;
    for (int i = 0; i < dlg.list()->count(); ++i)
        if (dlg.list()->item(i)->checkState() == Qt::Checked)
            on << dlg.list()->item(i)->text();
    QCOMPARE(on, checked);
}

void TestCodeMan::depotDialogResults()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    for (const char *d : {"一号库", "二号库", "O'Neil库"})
        QVERIFY(addCode(t.dm(), "depot", d));
    const QString input = QStringLiteral("'一号库'");
    // Confirmed with the boxes as changed: the checked depots in list order, quoted.
    QString caption;
    whenModal([&caption](QWidget *w) {
        auto *dlg = qobject_cast<TDLGselectDepotSTR *>(w);
        QVERIFY(dlg);
        caption = dlg->windowTitle();
        for (int i = 0; i < dlg->list()->count(); ++i)
            dlg->list()->item(i)->setCheckState(Qt::Checked);
        dlg->findChild<QPushButton *>("btnOk")->click();
    });
    QCOMPARE(TDLGselectDepotSTR::Execute(nullptr, input, QStringLiteral("仓库选择 ")),
             QStringLiteral("'一号库','二号库','O''Neil库'"));
    QCOMPARE(caption, QStringLiteral("仓库选择 "));
    // Nothing checked: an empty text.
    whenModal([](QWidget *w) {
        auto *dlg = qobject_cast<TDLGselectDepotSTR *>(w);
        QVERIFY(dlg);
        for (int i = 0; i < dlg->list()->count(); ++i)
            dlg->list()->item(i)->setCheckState(Qt::Unchecked);
        dlg->findChild<QPushButton *>("btnOk")->click();
    });
    QCOMPARE(TDLGselectDepotSTR::Execute(nullptr, input), QString());
    // Cancelled: the input.
    whenModal([](QWidget *w) {
        auto *dlg = qobject_cast<TDLGselectDepotSTR *>(w);
        QVERIFY(dlg);
        dlg->list()->item(1)->setCheckState(Qt::Checked);
        dlg->findChild<QPushButton *>("btnCancel")->click();
    });
    QCOMPARE(TDLGselectDepotSTR::Execute(nullptr, input), input);
}

void TestCodeMan::depotDialogWithoutDepots()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    MessageScript msgs;
    QCOMPARE(TDLGselectDepotSTR::Execute(nullptr, QStringLiteral("'旧库'")), QStringLiteral("'旧库'"));
    QCOMPARE(msgs.texts(), QStringList{"没有项目选择！"});
}

void TestCodeMan::nameDialogRefusesBlanks()
{
    MessageScript msgs;
    bool stayedOpen = false;
    whenModal([&](QWidget *w) {
        auto *dlg = qobject_cast<TDLGenterCaption *>(w);
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("添加 000 商品类型 子类"));
        QCOMPARE(dlg->edit()->text(), QStringLiteral("旧名"));
        dlg->edit()->setText(QStringLiteral("   "));
        dlg->findChild<QPushButton *>("btnOk")->click();
        stayedOpen = dlg->isVisible();
        dlg->edit()->setText(QStringLiteral(" 电器 "));
        dlg->findChild<QPushButton *>("btnOk")->click();
    });
    QCOMPARE(TDLGenterCaption::Execute(nullptr, QStringLiteral("添加 000 商品类型 子类"), QStringLiteral("旧名")),
             QStringLiteral(" 电器 "));
    QVERIFY(stayedOpen);
    QCOMPARE(msgs.texts(), QStringList{"部门名称不能为空！"});
    whenModal([](QWidget *w) {
        auto *dlg = qobject_cast<TDLGenterCaption *>(w);
        QVERIFY(dlg);
        dlg->edit()->setText(QStringLiteral("x"));
        dlg->findChild<QPushButton *>("btnCancel")->click();
    });
    QCOMPARE(TDLGenterCaption::Execute(nullptr, QStringLiteral("c")), QString());
}

void TestCodeMan::columnValueDialog()
{
    whenModal([](QWidget *w) {
        auto *dlg = qobject_cast<TDLGeditCurList *>(w);
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("批量修改当前列"));
        dlg->edit()->setText(QStringLiteral("件"));
        dlg->findChild<QPushButton *>("btnOk")->click();
    });
    QCOMPARE(TDLGeditCurList::Execute(nullptr), QStringLiteral("件"));
    whenModal([](QWidget *w) {
        auto *dlg = qobject_cast<TDLGeditCurList *>(w);
        QVERIFY(dlg);
        dlg->edit()->setText(QStringLiteral("件"));
        dlg->findChild<QPushButton *>("btnCancel")->click();
    });
    QCOMPARE(TDLGeditCurList::Execute(nullptr), QString());
}

QTEST_MAIN(TestCodeMan)
#include "tst_codeman.moc"
