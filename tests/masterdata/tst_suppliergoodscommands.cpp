#include "app/shellfixture.h"
#include "suppliergoodsfixture.h"
#include "support/testdatabase.h"

#include "app/commandtable.h"
#include "app/tfrmmain.h"
#include "masterdata/tfrmcltman.h"
#include "masterdata/tfrmgoodgl.h"
#include "platform/mdiwindows.h"
#include "platform/showmess.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

// The main-window commands 202 (供货厂商管理) and 203 (货品资料管理).
class TestSupplierGoodsCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void supplierCommandOpensOneListAndReloadsIt()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QTemporaryDir dir;
        ShellFixture::resetSession(dir.path());
        TFrmMain main;
        QVERIFY(ShellFixture::loginDirect(t.dm(), "000", &main));
        main.show();
        QVERIFY(SupplierGoodsFixture::addPartner(t.dm(), 0, "S1", "甲厂"));
        QVERIFY(SupplierGoodsFixture::addPartner(t.dm(), 1, "C1", "甲客户"));
        const CommandRow *row = findCommand(202);
        QVERIFY(row);
        QCOMPARE(row->caption, QStringLiteral("供货厂商管理"));
        row->execute(main);
        auto *list = qobject_cast<TfrmCltMan *>(Mdi::findOpen(TfrmCltMan::staticMetaObject, main.mdiArea()));
        QVERIFY(list);
        QCOMPARE(list->kind(), 0);
        QCOMPARE(list->windowTitle(), QStringLiteral("供应商资料管理"));
        QCOMPARE(list->rowCount(), 1);
        QVERIFY(SupplierGoodsFixture::addPartner(t.dm(), 0, "S2", "乙厂"));
        main.command(202)->trigger();
        int open = 0;
        for (QMdiSubWindow *sub : main.mdiArea()->subWindowList())
            open += qobject_cast<TfrmCltMan *>(sub->widget()) ? 1 : 0;
        QCOMPARE(open, 1);
        QCOMPARE(list->rowCount(), 2);
    }

    void goodsCommandWithoutSupplierRight()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QTemporaryDir dir;
        ShellFixture::resetSession(dir.path());
        QVERIFY(ShellFixture::addRole(t.dm(), "R1", {"203"}));
        QVERIFY(ShellFixture::addOperator(t.dm(), {"zs", "张三", "", "R1"}));
        TFrmMain main;
        QVERIFY(ShellFixture::loginDirect(t.dm(), "zs", &main));
        main.show();
        QVERIFY(!main.command(202)->isVisible());
        QVERIFY(main.command(203)->isVisible());
        findCommand(202)->execute(main);
        QVERIFY(!Mdi::findOpen(TfrmCltMan::staticMetaObject, main.mdiArea()));
        main.command(203)->trigger();
        auto *goods = qobject_cast<TFrmGoodGl *>(Mdi::findOpen(TFrmGoodGl::staticMetaObject, main.mdiArea()));
        QVERIFY(goods);
        QCOMPARE(goods->windowTitle(), QStringLiteral("货品资料管理"));
    }
};

QTEST_MAIN(TestSupplierGoodsCommands)
#include "tst_suppliergoodscommands.moc"
