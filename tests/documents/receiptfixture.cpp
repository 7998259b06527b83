#include "receiptfixture.h"

#include "data/session.h"
#include "data/tdmdata.h"
#include "widgets/datagrid.h"
#include "widgets/gridservices.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

namespace ReceiptFixture {

void loginAs(const QString &code, const QString &name)
{
    Session &s = Session::instance();
    s.clearOperator();
    s.sOperCode = code;
    s.sOperName = name;
    s.sPartCode = QStringLiteral("001");
    s.sCorpName = QStringLiteral("测试公司");
    s.sCorpPhone = QStringLiteral("010-12345678");
    s.sCorpFax = QStringLiteral("010-87654321");
    s.bNew = s.bEdit = s.bDel = s.bCheck = s.bSet = s.bPrice = true;
    s.bYGedit = s.bHPedit = s.bKHedit = true;
    s.iCKflag = 0;
    s.operDepotList.clear();
    s.sOperDepots.clear();
    s.sNoPrice.clear();
    s.iAmountDec = 2;
    s.iPriceDec = 4;
    s.iTotalDec = 2;
    BuildNumberFormats();
    s.bLastPrice = false;
    s.bLastClientPrice = false;
    s.bBarcode = false;
    s.iPrintNum = 10;
    for (int i = 1; i <= 11; ++i) {
        s.KeyValueText[i] = QStringLiteral("自定义%1").arg(i);
        s.KeyValueFlag[i] = false;
    }
}

void seed(TdmData &dm)
{
    for (const char *depot : {"一号仓库", "二号仓库"})
        dm.exec(QStringLiteral("insert into t_code (F_type, F_name) values ('depot', :n)"), {{"n", QString::fromUtf8(depot)}});
    dm.exec(QStringLiteral("insert into t_employee (F_Code, F_Name, F_Flag) values ('E01', '张三', 0)"));
    dm.exec(QStringLiteral("insert into t_client (F_operFlag, F_Code, F_Name, F_LinkMan, F_Phone, F_Fax, F_Address, F_UseFlag) "
                           "values (0, 'S01', '供应商甲', '李四', '021-5550001', '021-5550002', '上海市中山路1号', 0)"));
    dm.exec(QStringLiteral("insert into t_client (F_operFlag, F_Code, F_Name, F_UseFlag) values (0, 'S02', '供应商乙', 0)"));
    dm.exec(QStringLiteral("insert into t_treecode (F_code, F_name, F_likecode, F_flag) values ('001', '电器', :p, 'goodtype')"),
            {{"p", QStringLiteral("\\\\电器")}});
    dm.exec(QStringLiteral("insert into t_treecode (F_code, F_name, F_likecode, F_flag) values ('001001', '电视', :p, 'goodtype')"),
            {{"p", QStringLiteral("\\\\电器\\电视")}});
    dm.exec(QStringLiteral("insert into t_treecode (F_code, F_name, F_likecode, F_flag) values ('002', '文具', :p, 'goodtype')"),
            {{"p", QStringLiteral("\\\\文具")}});
    const struct {
        const char *code, *name, *type, *spec, *unit, *barcode;
        double price;
        int flag;
    } goods[] = {
        {"G001", "电视机", "\\\\电器\\电视", "42寸", "台", "690001", 1200.5, 0},
        {"G002", "收音机", "\\\\电器", "便携", "台", "690002", 85.25, 0},
        {"G003", "铅笔", "\\\\文具", "HB", "支", "690003", 0.35, 0},
        {"G004", "旧款电话", "\\\\电器", "", "部", "690004", 60, 1},
        {"G005", "钢笔", "\\\\文具", "", "支", "690005", 12, 0},
    };
    for (const auto &g : goods)
        dm.exec(QStringLiteral("insert into t_goods (F_Code, F_Name, F_Type, F_Spec, F_Unit, F_Address, F_BarCode, F_EnterPrice, "
                               "F_SalePrice, F_Flag, F_ZF1, F_RQ1) values (:c, :n, :t, :s, :u, '北京', :b, :p, :p, :f, :z, :rq)"),
                {{"c", QString::fromUtf8(g.code)},
                 {"n", QString::fromUtf8(g.name)},
                 {"t", QString::fromUtf8(g.type)},
                 {"s", QString::fromUtf8(g.spec)},
                 {"u", QString::fromUtf8(g.unit)},
                 {"b", QString::fromUtf8(g.barcode)},
                 {"p", g.price},
                 {"f", g.flag},
                 {"z", QStringLiteral("红色")},
                 {"rq", Sql::date(Sql::missingDate())}});
}

QLineEdit *cellEditor(DataGrid *grid)
{
    const QList<QLineEdit *> edits = grid->viewport()->findChildren<QLineEdit *>();
    for (QLineEdit *e : edits)
        if (e->isVisible())
            return e;
    return nullptr;
}

void typeCell(DataGrid *grid, const QString &text, bool pressEnter)
{
    if (!text.isEmpty()) {
        // The first key opens the cell editor; the rest goes to the editor.
        QTest::keyClicks(grid, text.left(1));
        QLineEdit *e = cellEditor(grid);
        QVERIFY2(e, "the first key opened no cell editor");
        QTest::keyClicks(e, text.mid(1));
        if (pressEnter)
            QTest::keyClick(e, Qt::Key_Return);
        return;
    }
    if (pressEnter)
        QTest::keyClick(cellEditor(grid) ? static_cast<QWidget *>(cellEditor(grid)) : grid, Qt::Key_Return);
}

void click(QWidget *window, const char *name)
{
    auto *b = window->findChild<QAbstractButton *>(QLatin1String(name));
    QVERIFY2(b, name);
    QVERIFY2(b->isEnabled(), name);
    b->click();
}

} // namespace ReceiptFixture
