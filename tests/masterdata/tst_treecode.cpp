#include "suppliergoodsfixture.h"
#include "support/testdatabase.h"

#include "masterdata/tdlgentercaption.h"
#include "masterdata/tfrmtreecodeman.h"
#include "masterdata/typetree.h"
#include "platform/showmess.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTreeWidget>
#include <QtTest>

using namespace SupplierGoodsFixture;

namespace {

bool addType(TdmData &dm, const QString &code, const QString &name, const QString &path,
             const QString &kind = QStringLiteral("goodtype"))
{
    return exec(dm, QStringLiteral("insert into t_treecode(F_code,F_name,F_likecode,F_flag) values(?,?,?,?)"),
                {code, name, path, kind});
}

QString pathOf(TdmData &dm, const QString &code)
{
    return value(dm, QStringLiteral("select F_likecode from t_treecode where F_code = ? and F_flag = 'goodtype'"), {code})
        .toString();
}

QStringList codes(TdmData &dm, const QString &kind = QStringLiteral("goodtype"))
{
    QSqlQuery q(dm.db());
    q.prepare(QStringLiteral("select F_code from t_treecode where F_flag = ? order by F_code"));
    q.addBindValue(kind);
    q.exec();
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

QStringList column(TdmData &dm, const QString &sql)
{
    QSqlQuery q(dm.db());
    q.exec(sql);
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

// Answers the next name-entry dialog with a text (an empty text cancels it) and records its
// caption.
void answerName(const QString &text, QString *caption = nullptr, QString *preset = nullptr)
{
    whenModal([text, caption, preset](QWidget *w) {
        auto *dlg = qobject_cast<TDLGenterCaption *>(w);
        QVERIFY(dlg);
        if (caption)
            *caption = dlg->windowTitle();
        if (preset)
            *preset = dlg->edit()->text();
        if (text.isEmpty()) {
            dlg->findChild<QPushButton *>("btnCancel")->click();
            return;
        }
        dlg->edit()->setText(text);
        dlg->findChild<QPushButton *>("btnOk")->click();
    });
}

QTreeWidgetItem *nodeOf(TFrmTreeCodeMan &w, const QString &path)
{
    const QList<QTreeWidgetItem *> nodes = TypeTree::findByPath(w.tree(), path);
    return nodes.isEmpty() ? nullptr : nodes.first();
}

void select(TFrmTreeCodeMan &w, const QString &path)
{
    QTreeWidgetItem *n = nodeOf(w, path);
    QVERIFY2(n, qPrintable(path));
    w.tree()->setCurrentItem(n);
}

} // namespace

class TestTreeCode : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void nextTypeCode_data();
    void nextTypeCode();
    void loaderBuildsTheTree();
    void emptyTreeFirstChild();
    void siblingAndChildCodes();
    void backslashNameReduced();
    void rootHasNoSibling();
    void renameCarriedIntoGoodsAndLines();
    void renameInOtherCaseChangesNothing();
    void failedRenameLeavesEverything();
    void deleteWithDescendants();
    void thousandthChildRefused();
    void pickingSelectsAndReturnsPath();
};

void TestTreeCode::nextTypeCode_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("next");
    QTest::newRow("first child of the root") << QStringList{} << QString() << 2 << "001";
    QTest::newRow("after 001 to 005") << QStringList{"001", "002", "003", "004", "005"} << "003" << 1 << "006";
    QTest::newRow("root child after 005") << QStringList{"001", "005", "005001"} << QString() << 2 << "006";
    QTest::newRow("first child of 002") << QStringList{"001", "002", "003", "003001"} << "002" << 2 << "002001";
    QTest::newRow("sibling of 002003") << QStringList{"002", "002003", "002007", "002007001"} << "002003" << 1 << "002008";
    QTest::newRow("another kind ignored") << QStringList{"001"} << "001" << 1 << "002";
}

void TestTreeCode::nextTypeCode()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, code);
    QFETCH(int, mode);
    QFETCH(QString, next);
    REQUIRE_TEST_DB(t);
    for (const QString &c : existing)
        QVERIFY(addType(t.dm(), c, "n" + c, "\\\\n" + c));
    QVERIFY(addType(t.dm(), "009", "other", "\\\\other", "othertree"));
    const std::optional<QString> got = TypeTree::NextTypeCode(t.dm(), code, "goodtype", mode);
    QVERIFY(got.has_value());
    QCOMPARE(*got, next);
}

void TestTreeCode::loaderBuildsTheTree()
{
    REQUIRE_TEST_DB(t);
    QVERIFY(addType(t.dm(), "002", "服装", "\\\\服装"));
    QVERIFY(addType(t.dm(), "001", "电器", "\\\\电器"));
    QVERIFY(addType(t.dm(), "001001", "电视", "\\\\电器\\电视"));
    QVERIFY(addType(t.dm(), "001001001", "液晶", "\\\\电器\\电视\\液晶"));
    QVERIFY(addType(t.dm(), "001002", "冰箱", "\\\\电器\\冰箱"));
    QTreeWidget tree;
    QVERIFY(TypeTree::LoadTypeTree(&tree, "货品类型", "goodtype", &t.dm()));
    QCOMPARE(tree.topLevelItemCount(), 1);
    QTreeWidgetItem *root = tree.topLevelItem(0);
    QCOMPARE(root->text(0), QStringLiteral("货品类型"));
    const TypeNodeRecord r = TypeNodeRecord::of(root);
    QCOMPARE(r.codeLength, 0);
    QCOMPARE(r.code, QStringLiteral("000"));
    QCOMPARE(r.path, QStringLiteral("\\\\"));
    QCOMPARE(root->childCount(), 2);
    QTreeWidgetItem *appliances = root->child(0);
    QCOMPARE(appliances->text(0), QStringLiteral("电器"));
    QVERIFY(appliances->isExpanded());
    QCOMPARE(appliances->childCount(), 2);
    QCOMPARE(appliances->child(1)->text(0), QStringLiteral("冰箱"));
    QTreeWidgetItem *lcd = appliances->child(0)->child(0);
    QCOMPARE(TypeNodeRecord::of(lcd).codeLength, 9);
    QCOMPARE(TypeTree::TypePath(lcd, 1), QStringLiteral("\\\\电器\\电视\\液晶"));
    QCOMPARE(TypeTree::TypePath(lcd, 2), QStringLiteral("\\\\电器\\电视"));
    QCOMPARE(TypeTree::TypePath(appliances, 1), QStringLiteral("\\\\电器"));
    QCOMPARE(root->child(1)->childCount(), 0);
}

void TestTreeCode::emptyTreeFirstChild()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    MessageScript msgs;
    TFrmTreeCodeMan w;
    w.SetUp(1);
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral("商品类型资料"));
    QCOMPARE(w.tree()->topLevelItemCount(), 1);
    QCOMPARE(w.tree()->topLevelItem(0)->childCount(), 0);
    QVERIFY(!w.findChild<QWidget *>("Panel4")->isVisible());
    w.tree()->setCurrentItem(w.tree()->topLevelItem(0));
    QString caption;
    answerName("电器", &caption);
    w.findChild<QPushButton *>("btnAddChild")->click();
    QCOMPARE(caption, QStringLiteral("添加 000 商品类型 子类"));
    QCOMPARE(codes(t.dm()), QStringList{"001"});
    QCOMPARE(pathOf(t.dm(), "001"), QStringLiteral("\\\\电器"));
    QCOMPARE(w.tree()->topLevelItem(0)->childCount(), 1);
    QCOMPARE(TypeNodeRecord::of(w.tree()->topLevelItem(0)->child(0)).code, QStringLiteral("001"));
    // A cancelled name adds nothing.
    answerName(QString());
    w.acAddChildExecute();
    QCOMPARE(codes(t.dm()), QStringList{"001"});
    QVERIFY(msgs.shown().isEmpty());
}

void TestTreeCode::siblingAndChildCodes()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addType(t.dm(), "001", "电器", "\\\\电器"));
    QVERIFY(addType(t.dm(), "002", "服装", "\\\\服装"));
    QVERIFY(addType(t.dm(), "003", "食品", "\\\\食品"));
    TFrmTreeCodeMan w;
    w.SetUp(1);
    w.show();
    select(w, "\\\\电器");
    QString caption;
    answerName("文具", &caption);
    w.findChild<QPushButton *>("btnAdd")->click();
    QCOMPARE(caption, QStringLiteral("添加 001 电器 同类"));
    QCOMPARE(pathOf(t.dm(), "004"), QStringLiteral("\\\\文具"));
    QCOMPARE(w.tree()->topLevelItem(0)->childCount(), 4);
    // Children and grandchildren; the name is stored as typed.
    select(w, "\\\\服装");
    answerName(" 男装");
    w.acAddChildExecute();
    QCOMPARE(pathOf(t.dm(), "002001"), QStringLiteral("\\\\服装\\ 男装"));
    select(w, "\\\\服装\\ 男装");
    answerName("衬衫");
    w.acAddChildExecute();
    answerName("外套");
    w.acAddExecute();  // the selection is still 男装: a sibling of it
    QCOMPARE(pathOf(t.dm(), "002001001"), QStringLiteral("\\\\服装\\ 男装\\衬衫"));
    QCOMPARE(pathOf(t.dm(), "002002"), QStringLiteral("\\\\服装\\外套"));
    select(w, "\\\\服装\\ 男装\\衬衫");
    answerName("T恤");
    w.acAddExecute();
    QCOMPARE(pathOf(t.dm(), "002001002"), QStringLiteral("\\\\服装\\ 男装\\T恤"));
    QVERIFY(nodeOf(w, "\\\\服装\\ 男装\\T恤"));
}

void TestTreeCode::backslashNameReduced()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    TFrmTreeCodeMan w;
    w.SetUp(1);
    w.show();
    answerName("\\abc");
    w.acAddChildExecute();
    QCOMPARE(pathOf(t.dm(), "001"), QStringLiteral("\\\\abc"));
    QCOMPARE(value(t.dm(), "select F_name from t_treecode").toString(), QStringLiteral("\\abc"));
}

void TestTreeCode::rootHasNoSibling()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    MessageScript msgs;
    TFrmTreeCodeMan w;
    w.SetUp(1);
    w.show();
    w.acAddExecute();
    QCOMPARE(msgs.texts(), QStringList{"不能增加根节点的同类节点，该节点只能增加子节点！"});
    // Rename and delete do nothing on the root.
    w.acEditExecute();
    w.acDeleteExecute();
    QCOMPARE(msgs.shown().size(), 1);
    QVERIFY(codes(t.dm()).isEmpty());
}

void TestTreeCode::renameCarriedIntoGoodsAndLines()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addType(t.dm(), "001", "电器", "\\\\电器"));
    QVERIFY(addType(t.dm(), "001001", "电视", "\\\\电器\\电视"));
    QVERIFY(addType(t.dm(), "002", "电器配件", "\\\\电器配件"));
    QVERIFY(addType(t.dm(), "002001", "遥控器", "\\\\电器配件\\遥控器"));
    const QStringList goodsPaths{"\\\\电器", "\\\\电器\\电视", "\\\\电器配件", "\\\\电器配件\\遥控器", "\\\\食品"};
    int n = 0;
    for (const QString &p : goodsPaths) {
        ++n;
        QVERIFY(exec(t.dm(), "insert into t_goods(F_Code,F_Name,F_Type) values(?,?,?)", {QString("G%1").arg(n), "g", p}));
        QVERIFY(exec(t.dm(), "insert into depotD(F_Code,F_GoodCode,F_type) values(?,?,?)", {"CGD1", QString("G%1").arg(n), p}));
        QVERIFY(exec(t.dm(), "insert into ddDepotD(F_Code,F_GoodCode,F_type) values(?,?,?)", {"CDD1", QString("G%1").arg(n), p}));
    }
    MessageScript msgs;
    TFrmTreeCodeMan w;
    w.SetUp(1);
    w.show();
    select(w, "\\\\电器");
    QString caption;
    QString preset;
    answerName("家电", &caption, &preset);
    w.findChild<QPushButton *>("Button1")->click();
    QCOMPARE(caption, QStringLiteral("修改类别 001 电器 子类"));
    QCOMPARE(preset, QStringLiteral("电器"));
    QVERIFY(msgs.shown().isEmpty());

    const QStringList expected{"\\\\家电", "\\\\家电\\电视", "\\\\电器配件", "\\\\电器配件\\遥控器", "\\\\食品"};
    QCOMPARE(column(t.dm(), "select F_Type from t_goods order by F_Code"), expected);
    QCOMPARE(column(t.dm(), "select F_type from depotD order by F_GoodCode"), expected);
    QCOMPARE(column(t.dm(), "select F_type from ddDepotD order by F_GoodCode"), expected);
    QCOMPARE(column(t.dm(), "select F_likecode from t_treecode order by F_code"),
             (QStringList{"\\\\家电", "\\\\家电\\电视", "\\\\电器配件", "\\\\电器配件\\遥控器"}));
    QCOMPARE(value(t.dm(), "select F_name from t_treecode where F_code = '001'").toString(), QStringLiteral("家电"));
    QVERIFY(nodeOf(w, "\\\\家电"));
    QCOMPARE(nodeOf(w, "\\\\家电")->text(0), QStringLiteral("家电"));

    // A child added under 电视 in the same window builds on the new path.
    select(w, "\\\\家电\\电视");
    answerName("液晶");
    w.acAddChildExecute();
    QCOMPARE(pathOf(t.dm(), "001001001"), QStringLiteral("\\\\家电\\电视\\液晶"));

    // Renaming a second-level type: the parent's path is kept in front.
    answerName("彩电");
    select(w, "\\\\家电\\电视");
    QTest::keyClick(w.tree(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(pathOf(t.dm(), "001001"), QStringLiteral("\\\\家电\\彩电"));
    QCOMPARE(pathOf(t.dm(), "001001001"), QStringLiteral("\\\\家电\\彩电\\液晶"));
}

void TestTreeCode::renameInOtherCaseChangesNothing()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addType(t.dm(), "001", "tv", "\\\\tv"));
    QVERIFY(exec(t.dm(), "insert into t_goods(F_Code,F_Name,F_Type) values('G1','g','\\\\tv')"));
    TFrmTreeCodeMan w;
    w.SetUp(1);
    w.show();
    select(w, "\\\\tv");
    answerName("TV");
    w.acEditExecute();
    QCOMPARE(value(t.dm(), "select F_name from t_treecode").toString(), QStringLiteral("tv"));
    QCOMPARE(value(t.dm(), "select F_Type from t_goods").toString(), QStringLiteral("\\\\tv"));
    QCOMPARE(nodeOf(w, "\\\\tv")->text(0), QStringLiteral("tv"));
}

void TestTreeCode::failedRenameLeavesEverything()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addType(t.dm(), "001", "电器", "\\\\电器"));
    QVERIFY(exec(t.dm(), "insert into t_goods(F_Code,F_Name,F_Type) values('G1','g','\\\\电器')"));
    QVERIFY(exec(t.dm(), "insert into depotD(F_Code,F_GoodCode,F_type) values('CGD1','G1','\\\\电器')"));
    TFrmTreeCodeMan w;
    w.SetUp(1);
    w.show();
    // The order lines cannot be written: the third statement of the rename fails.
    QVERIFY(t.dm().ExecCommand("alter table ddDepotD rename to ddDepotD_off"));
    MessageScript msgs;
    select(w, "\\\\电器");
    answerName("家电");
    w.acEditExecute();
    QVERIFY(t.dm().ExecCommand("alter table ddDepotD_off rename to ddDepotD"));
    QCOMPARE(msgs.texts(), QStringList{"操作失败，请检查数据连接... "});
    QCOMPARE(value(t.dm(), "select F_Type from t_goods").toString(), QStringLiteral("\\\\电器"));
    QCOMPARE(value(t.dm(), "select F_type from depotD").toString(), QStringLiteral("\\\\电器"));
    QCOMPARE(pathOf(t.dm(), "001"), QStringLiteral("\\\\电器"));
    QVERIFY(nodeOf(w, "\\\\电器"));
    QCOMPARE(nodeOf(w, "\\\\电器")->text(0), QStringLiteral("电器"));
}

void TestTreeCode::deleteWithDescendants()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    for (const char *c : {"001", "002", "002001", "002001005", "002002", "003"})
        QVERIFY(addType(t.dm(), c, QString("n%1").arg(c), QString("\\\\n%1").arg(c)));
    // Correct paths for the nested ones do not matter for the delete, which goes by code.
    QVERIFY(addType(t.dm(), "002", "other", "\\\\other", "othertree"));
    MessageScript msgs;
    TFrmTreeCodeMan w;
    w.SetUp(1);
    w.show();
    select(w, "\\\\n003");
    msgs.answer(2);
    w.acDeleteExecute();
    QCOMPARE(msgs.texts(), QStringList{"真的要删除当前节点 “003n003” 吗？"});
    QCOMPARE(codes(t.dm()).size(), 6);
    msgs.clear();
    select(w, "\\\\n002");
    msgs.answer(1);
    QTest::keyClick(w.tree(), Qt::Key_Delete);
    QCOMPARE(msgs.texts(), QStringList{"此节点包含有子节点，真的要删除所有的子节点吗？"});
    QCOMPARE(codes(t.dm()), (QStringList{"001", "003"}));
    QCOMPARE(codes(t.dm(), "othertree"), QStringList{"002"});
    QCOMPARE(w.tree()->topLevelItem(0)->childCount(), 2);
    QVERIFY(!nodeOf(w, "\\\\n002"));
}

void TestTreeCode::thousandthChildRefused()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    {
        DbTransaction tr(t.dm());
        for (int i = 1; i <= 999; ++i) {
            const QString c = QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
            QVERIFY(addType(t.dm(), c, "t" + c, "\\\\t" + c));
        }
        tr.commit();
    }
    MessageScript msgs;
    TFrmTreeCodeMan w;
    w.SetUp(1);
    w.show();
    select(w, "\\\\t005");
    w.acAddExecute();
    w.tree()->setCurrentItem(w.tree()->topLevelItem(0));
    w.acAddChildExecute();
    QCOMPARE(msgs.texts(), (QStringList{"这一级的类型已有999个，不能再增加！", "这一级的类型已有999个，不能再增加！"}));
    QCOMPARE(msgs.shown().at(0).kind, int(MessWarning));
    QCOMPARE(codes(t.dm()).size(), 999);
    QVERIFY(!codes(t.dm()).contains("000"));
    // A code freed by a deletion is taken again instead.
    QVERIFY(exec(t.dm(), "delete from t_treecode where F_code = '500'"));
    msgs.clear();
    select(w, "\\\\t005");
    answerName("新类型");
    w.acAddExecute();
    QVERIFY(msgs.shown().isEmpty());
    QCOMPARE(pathOf(t.dm(), "500"), QStringLiteral("\\\\新类型"));
}

void TestTreeCode::pickingSelectsAndReturnsPath()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addType(t.dm(), "001", "电器", "\\\\电器"));
    QVERIFY(addType(t.dm(), "001001", "电视", "\\\\电器\\电视"));
    QVERIFY(addType(t.dm(), "002", "服装", "\\\\服装"));
    MessageScript msgs;
    {
        TFrmTreeCodeMan w;
        w.SetUp(2);
        QString selected;
        bool panel = false;
        whenModal([&](QWidget *m) {
            auto *dlg = qobject_cast<TFrmTreeCodeMan *>(m);
            QVERIFY(dlg);
            panel = dlg->findChild<QWidget *>("Panel4")->isVisible();
            selected = TypeNodeRecord::of(dlg->tree()->currentItem()).path;
            select(*dlg, "\\\\服装");
            dlg->findChild<QPushButton *>("BitBtn1")->click();
        });
        QCOMPARE(w.PickType("\\\\电器\\电视"), QStringLiteral("\\\\服装"));
        QVERIFY(panel);
        QCOMPARE(selected, QStringLiteral("\\\\电器\\电视"));
    }
    {
        // The root cannot be chosen; cancelling returns the current path.
        TFrmTreeCodeMan w;
        w.SetUp(2);
        bool stayedOpen = false;
        whenModal([&](QWidget *m) {
            auto *dlg = qobject_cast<TFrmTreeCodeMan *>(m);
            QVERIFY(dlg);
            dlg->tree()->setCurrentItem(dlg->tree()->topLevelItem(0));
            dlg->findChild<QPushButton *>("BitBtn1")->click();
            stayedOpen = dlg->isVisible();
            dlg->findChild<QPushButton *>("BitBtn2")->click();
        });
        QCOMPARE(w.PickType("\\\\电器"), QStringLiteral("\\\\电器"));
        QVERIFY(stayedOpen);
        QCOMPARE(msgs.texts(), QStringList{"不能选择根节点！"});
    }
    {
        // Enter on a type chooses it.
        TFrmTreeCodeMan w;
        w.SetUp(2);
        whenModal([&](QWidget *m) {
            auto *dlg = qobject_cast<TFrmTreeCodeMan *>(m);
            QVERIFY(dlg);
            QTest::keyClick(dlg->tree(), Qt::Key_Return);
        });
        QCOMPARE(w.PickType("\\\\电器\\电视"), QStringLiteral("\\\\电器\\电视"));
    }
}

QTEST_MAIN(TestTreeCode)
#include "tst_treecode.moc"
