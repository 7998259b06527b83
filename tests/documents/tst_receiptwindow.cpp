// The purchase receipt window driven as a clerk drives it: keys in the line grid, the toolbar,
// the messages; the rows in depotM and depotD checked afterwards.

#include "receiptfixture.h"
#include "savereceipt.h"
#include "support/testdatabase.h"

#include "data/session.h"
#include "documents/documentstore.h"
#include "documents/documentlinegrid.h"
#include "documents/documentlinemodel.h"
#include "documents/tfrmincaigoudeptgl.h"
#include "platform/mdiwindows.h"
#include "platform/showmess.h"
#include "widgets/gridresultmodel.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>
#include <QPlainTextEdit>
#include <QToolButton>

#include <memory>

using namespace ReceiptFixture;
using Mode = DocumentWindowBase::Mode;

namespace {

std::unique_ptr<TFrmInCaiGouDeptGl> openWindow()
{
    auto w = std::make_unique<TFrmInCaiGouDeptGl>();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        qWarning("window not exposed");
    return w;
}

template <class T>
T *child(QWidget *w, const char *name)
{
    return w->findChild<T *>(QLatin1String(name));
}

// Enters the lines (goods code, quantity) by keyboard: code, Enter, quantity, Enter.
void enterLines(TFrmInCaiGouDeptGl *w, const QList<std::pair<QString, QString>> &lines)
{
    DataGrid *grid = w->lineGrid();
    grid->setFocus();
    for (const auto &[code, quantity] : lines) {
        typeCell(grid, code);
        typeCell(grid, quantity);
    }
}

// A new receipt for supplier 供应商甲 with the given lines, saved.
QString enterReceipt(TFrmInCaiGouDeptGl *w, const QList<std::pair<QString, QString>> &lines,
                     const QString &supplier = QStringLiteral("供应商甲"))
{
    click(w, "tbNew");
    child<QLineEdit>(w, "cbeClient")->setText(supplier);
    enterLines(w, lines);
    click(w, "tbSave");
    return w->findChild<QLineEdit *>("edtCode")->text();
}

} // namespace

class TestReceiptWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init() { loginAs(); }

    void keyboardEntrySaveAuditUnauditDelete()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        MessageScript messages;
        auto w = openWindow();
        QCOMPARE(w->mode(), Mode::Browse);
        QCOMPARE(child<QLabel>(w.get(), "Label22")->text(), QString("未审核"));
        QVERIFY(child<QLineEdit>(w.get(), "edtCode")->text().isEmpty());

        click(w.get(), "tbNew");
        QCOMPARE(w->mode(), Mode::New);
        const QString code = "CGD" + today() + "001";
        QCOMPARE(child<QLineEdit>(w.get(), "edtCode")->text(), code);
        QCOMPARE(child<QLineEdit>(w.get(), "edtMaker")->text(), QString("管理员"));
        QCOMPARE(w->lines()->rowCount(), 1); // the placeholder line
        QVERIFY(!child<QToolButton>(w.get(), "tbNew")->isEnabled());
        QVERIFY(child<QToolButton>(w.get(), "tbSave")->isEnabled());

        child<QLineEdit>(w.get(), "cbeClient")->setText("供应商甲");
        child<QComboBox>(w.get(), "cbbEmpName")->setEditText("张三");
        QTest::keyClicks(child<QLineEdit>(w.get(), "edtOLDcode"), "SUP-778");

        DataGrid *grid = w->lineGrid();
        grid->setFocus();
        typeCell(grid, "G001");
        // The line is filled from the goods and the cursor waits in the quantity column.
        QCOMPARE(w->lines()->value(0, "F_GoodName").toString(), QString("电视机"));
        QCOMPARE(w->lines()->value(0, "F_Price").toDouble(), 1200.5);
        QCOMPARE(w->lines()->value(0, "F_Rate").toDouble(), 1.0);
        QCOMPARE(w->lines()->value(0, "F_TMcode").toString(), QString("690001"));
        QCOMPARE(w->lines()->value(0, "F_ZF1").toString(), QString("红色"));
        QVERIFY(w->lines()->value(0, "F_RQ1").isNull()); // the goods' missing date shows empty
        QCOMPARE(w->lineGrid()->currentFieldName(), QString("F_Amount"));
        typeCell(grid, "3");
        QCOMPARE(w->lines()->rowCount(), 2);
        QCOMPARE(w->lineGrid()->currentFieldName(), QString("F_GoodCode"));
        typeCell(grid, "g002"); // codes are found without regard to case
        typeCell(grid, "2");
        QCOMPARE(w->lines()->rowCount(), 3);
        QCOMPARE(w->lines()->value(0, "F_TotalPrice").toDouble(), 3601.5);
        QCOMPARE(w->lines()->value(1, "F_TotalPrice").toDouble(), 170.5);
        QVERIFY(messages.shown().isEmpty());

        QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join('|')));
        QCOMPARE(w->mode(), Mode::Browse);
        QCOMPARE(child<QLineEdit>(w.get(), "edtCode")->text(), code);

        QCOMPARE(dm.QueryInt("select count(*) from depotM"), 1);
        QCOMPARE(dm.QueryString("select F_Client from depotM where F_Code = :c", {{"c", code}}), QString("供应商甲"));
        QCOMPARE(dm.QueryString("select F_Depot from depotM where F_Code = :c", {{"c", code}}), QString("一号仓库"));
        QCOMPARE(dm.QueryString("select F_EmpName from depotM where F_Code = :c", {{"c", code}}), QString("张三"));
        QCOMPARE(dm.QueryString("select F_OldCode from depotM where F_Code = :c", {{"c", code}}), QString("SUP-778"));
        QCOMPARE(dm.QueryString("select F_Maker from depotM where F_Code = :c", {{"c", code}}), QString("管理员"));
        QCOMPARE(dm.QueryInt("select F_Flag from depotM where F_Code = :c", {{"c", code}}), 1);
        QCOMPARE(dm.QueryInt("select F_OperFlag from depotM where F_Code = :c", {{"c", code}}), 1);
        QCOMPARE(dm.QueryFloat("select F_Amount from depotM where F_Code = :c", {{"c", code}}), 5.0);
        QCOMPARE(dm.QueryFloat("select F_TotalPrice from depotM where F_Code = :c", {{"c", code}}), 3772.0);
        QVERIFY(dm.QueryString("select F_date from depotM where F_Code = :c", {{"c", code}})
                    .startsWith(QDate::currentDate().toString("yyyy-MM-dd")));
        // The untouched placeholder line is not stored.
        QCOMPARE(dm.QueryInt("select count(*) from depotD where F_Code = :c", {{"c", code}}), 2);
        QCOMPARE(dm.QueryInt("select count(*) from depotD"), 2);
        QCOMPARE(dm.QueryString("select F_GoodCode from depotD where F_Code = :c order by F_ID", {{"c", code}}), QString("G001"));
        QCOMPARE(dm.QueryFloat("select F_TotalPrice from depotD where F_GoodCode = 'G002'"), 170.5);
        QCOMPARE(dm.QueryString("select F_Unit from depotD where F_GoodCode = 'G002'"), QString("台"));

        // Audit.
        click(w.get(), "tbCheck");
        QCOMPARE(messages.shown().last().text, QString("审核记帐以后，单据不能再修改，真的要审核记帐吗？"));
        QCOMPARE(dm.QueryInt("select F_CheckFlag from depotM where F_Code = :c", {{"c", code}}), 1);
        QCOMPARE(dm.QueryString("select F_Auditer from depotM where F_Code = :c", {{"c", code}}), QString("管理员"));
        QCOMPARE(child<QLabel>(w.get(), "Label22")->text(), QString("已审核"));
        QCOMPARE(child<QLineEdit>(w.get(), "edtAuditer")->text(), QString("管理员"));
        QCOMPARE(child<QLineEdit>(w.get(), "edtAudDate")->text(), QDate::currentDate().toString("yyyy-MM-dd"));
        messages.clear();

        // An audited receipt can neither be edited nor deleted, nor audited again.
        click(w.get(), "tbEdit");
        QCOMPARE(w->mode(), Mode::Browse);
        click(w.get(), "tbDel");
        click(w.get(), "tbCheck");
        QCOMPARE(messages.shown().size(), 3);
        QCOMPARE(messages.shown().at(0).text, QString("此单据已经审核，不能再修改！"));
        QCOMPARE(messages.shown().at(0).kind, 2);
        QCOMPARE(messages.shown().at(1).text, QString("此单据已经审核，不能再修改！"));
        QCOMPARE(messages.shown().at(1).kind, 2);
        QCOMPARE(messages.shown().at(2).text, QString("此单据已经审核！"));
        QCOMPARE(dm.QueryInt("select count(*) from depotM"), 1);
        messages.clear();

        // Un-audit as "000" (the only one who sees the button).
        QVERIFY(child<QToolButton>(w.get(), "tbFcheck")->isVisible());
        click(w.get(), "tbFcheck");
        QCOMPARE(messages.shown().last().text, QString("此单据已经经过审核，真的要反审核此单吗？"));
        QCOMPARE(dm.QueryInt("select F_CheckFlag from depotM where F_Code = :c", {{"c", code}}), 0);
        QCOMPARE(dm.QueryString("select F_Mem from depotM where F_Code = :c", {{"c", code}}), QString("反审"));
        QCOMPARE(child<QLabel>(w.get(), "Label22")->text(), QString("未审核"));
        // Un-audit of an unaudited receipt does nothing and says nothing.
        messages.clear();
        click(w.get(), "tbFcheck");
        QVERIFY(messages.shown().isEmpty());

        // Edit: the remark is changed and one line deleted.
        click(w.get(), "tbEdit");
        QCOMPARE(w->mode(), Mode::Edit);
        QVERIFY(w->editFlag());
        child<QPlainTextEdit>(w.get(), "Mem")->setPlainText("改过");
        w->lineGrid()->setCurrentCell(1, 0);
        QTest::keyClick(w.get(), Qt::Key_F10);
        QCOMPARE(w->lines()->rowCount(), 1);
        click(w.get(), "tbSave");
        QCOMPARE(dm.QueryInt("select count(*) from depotD where F_Code = :c", {{"c", code}}), 1);
        QCOMPARE(dm.QueryFloat("select F_TotalPrice from depotM where F_Code = :c", {{"c", code}}), 3601.5);
        QCOMPARE(dm.QueryString("select F_Mem from depotM where F_Code = :c", {{"c", code}}), QString("改过"));
        QCOMPARE(dm.QueryInt("select count(*) from depotM"), 1);

        // Delete after the question; the only receipt of the day leaves an empty form.
        messages.clear();
        messages.answer(1);
        QTest::keyClick(w.get(), Qt::Key_Delete);
        QCOMPARE(messages.shown().last().text, QString("真的要删除当前采购入库单 ") + code + "吗？");
        QCOMPARE(dm.QueryInt("select count(*) from depotM"), 0);
        QCOMPARE(dm.QueryInt("select count(*) from depotD"), 0);
        QVERIFY(child<QLineEdit>(w.get(), "edtCode")->text().isEmpty());
        QCOMPARE(w->lines()->rowCount(), 0);
    }

    void declinedQuestionsChangeNothing()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        const QString code = TestReceipt::saveNew(dm, 2);
        MessageScript messages;
        auto w = openWindow();
        QCOMPARE(child<QLineEdit>(w.get(), "edtCode")->text(), code);
        messages.answer(2);
        click(w.get(), "tbCheck");
        messages.answer(2);
        click(w.get(), "tbDel");
        QCOMPARE(dm.QueryInt("select F_CheckFlag from depotM"), 0);
        QCOMPARE(dm.QueryInt("select count(*) from depotD"), 2);
    }

    void numbering()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        // Returns share the table but count their own series.
        dm.exec("insert into depotM (F_Code, F_Flag, F_OperFlag, F_date) values (:c, -1, -1, :d)",
                {{"c", "CTD" + today() + "001"}, {"d", Sql::date(QDate::currentDate())}});
        dm.exec("insert into depotM (F_Code, F_Flag, F_OperFlag, F_date) values (:c, -1, -1, :d)",
                {{"c", "CTD" + today() + "002"}, {"d", Sql::date(QDate::currentDate())}});
        MessageScript messages;
        auto w = openWindow();
        QCOMPARE(enterReceipt(w.get(), {{"G001", "1"}}), "CGD" + today() + "001");
        QCOMPARE(enterReceipt(w.get(), {{"G002", "1"}}), "CGD" + today() + "002");
        QCOMPARE(w->dayList()->rowCount(), 2);
        QCOMPARE(w->listRow(), 1); // a new receipt is shown after saving

        // Another client stores the next code while this one is entering: the save takes the
        // one after it.
        click(w.get(), "tbNew");
        QCOMPARE(child<QLineEdit>(w.get(), "edtCode")->text(), "CGD" + today() + "003");
        auto other = t.secondClient();
        QCOMPARE(TestReceipt::saveNew(*other, 1), "CGD" + today() + "003");
        child<QLineEdit>(w.get(), "cbeClient")->setText("供应商乙");
        enterLines(w.get(), {{"G003", "10"}});
        click(w.get(), "tbSave");
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join('|')));
        QCOMPARE(child<QLineEdit>(w.get(), "edtCode")->text(), "CGD" + today() + "004");
        QCOMPARE(dm.QueryString("select F_Client from depotM where F_Code = :c", {{"c", "CGD" + today() + "004"}}),
                 QString("供应商乙"));
        QCOMPARE(dm.QueryInt("select count(*) from depotD where F_Code = :c", {{"c", "CGD" + today() + "004"}}), 1);
        QCOMPARE(dm.QueryInt("select count(*) from depotD where F_Code = :c", {{"c", "CGD" + today() + "003"}}), 1);
    }

    void browseDateOnAnotherDay()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        const QDate day(2024, 3, 15);
        for (const char *c : {"CGD20240315001", "CGD20240315002"})
            dm.exec("insert into depotM (F_Code, F_Flag, F_OperFlag, F_date, F_MakeDate, F_Client, F_Depot) "
                    "values (:c, 1, 1, :d, :d, '供应商甲', '一号仓库')",
                    {{"c", c}, {"d", Sql::date(day)}});
        dm.exec("insert into depotD (F_Code, F_GoodCode, F_Amount, F_Price, F_Rate, F_TotalPrice) "
                "values ('CGD20240315002', 'G001', 1, 5, 1, 5)");
        MessageScript messages;
        auto w = openWindow();
        QCOMPARE(w->dayList()->rowCount(), 0);
        child<QDateEdit>(w.get(), "dtpXzDate")->setDate(day);
        QCOMPARE(w->dayList()->rowCount(), 2);
        QCOMPARE(child<QLineEdit>(w.get(), "edtCode")->text(), QString("CGD20240315002"));
        QCOMPARE(w->lines()->rowCount(), 1);

        // A receipt entered today does not join that day's list: the last receipt of the
        // browse date is shown after saving.
        const QString code = enterReceipt(w.get(), {{"G003", "4"}});
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join('|')));
        QCOMPARE(dm.QueryInt("select count(*) from depotM where F_Code = :c", {{"c", "CGD" + today() + "001"}}), 1);
        QCOMPARE(w->dayList()->rowCount(), 2);
        QCOMPARE(code, QString("CGD20240315002"));

        // Navigation over the day's list.
        click(w.get(), "tbFirst");
        QCOMPARE(child<QLineEdit>(w.get(), "edtCode")->text(), QString("CGD20240315001"));
        QVERIFY(!child<QToolButton>(w.get(), "tbPrior")->isEnabled());
        click(w.get(), "tbNext");
        QCOMPARE(child<QLineEdit>(w.get(), "edtCode")->text(), QString("CGD20240315002"));
        click(w.get(), "tbNext");
        QVERIFY(!child<QToolButton>(w.get(), "tbNext")->isEnabled());
        QVERIFY(!child<QToolButton>(w.get(), "tbLast")->isEnabled());
        QVERIFY(child<QToolButton>(w.get(), "tbFirst")->isEnabled());

        // The query windows' request: a code and its entry date.
        QVERIFY(w->locateDocument("CGD20240315001", day));
        QCOMPARE(child<QLineEdit>(w.get(), "edtCode")->text(), QString("CGD20240315001"));
        QVERIFY(w->locateDocument("CGD" + today() + "001", QDate::currentDate()));
        QCOMPARE(child<QLineEdit>(w.get(), "edtCode")->text(), "CGD" + today() + "001");
        QCOMPARE(w->lines()->rowCount(), 1);
        // An unknown code shows the day's first receipt.
        QVERIFY(w->locateDocument("CGD20240315999", day));
        QCOMPARE(child<QLineEdit>(w.get(), "edtCode")->text(), QString("CGD20240315001"));
    }

    void saveFailureKeepsTheEntries()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        MessageScript messages;
        auto w = openWindow();
        click(w.get(), "tbNew");
        child<QLineEdit>(w.get(), "cbeClient")->setText("供应商甲");
        enterLines(w.get(), {{"G001", "2"}, {"G003", "5"}});
        // The line table goes away for a moment: the save fails inside its transaction.
        dm.exec("ALTER TABLE depotD RENAME TO depotD_away");
        click(w.get(), "tbSave");
        QCOMPARE(messages.texts(), QStringList{"保存失败，请检测数据库连接！"});
        QCOMPARE(messages.shown().first().kind, 3);
        QCOMPARE(w->mode(), Mode::New);
        QCOMPARE(dm.QueryInt("select count(*) from depotM"), 0);
        QCOMPARE(w->lines()->rowCount(), 2);
        QCOMPARE(child<QLineEdit>(w.get(), "cbeClient")->text(), QString("供应商甲"));
        // Back in place, the same entries are saved.
        dm.exec("ALTER TABLE depotD_away RENAME TO depotD");
        messages.clear();
        click(w.get(), "tbSave");
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join('|')));
        QCOMPARE(w->mode(), Mode::Browse);
        QCOMPARE(dm.QueryInt("select count(*) from depotD"), 2);
        QCOMPARE(dm.QueryFloat("select F_TotalPrice from depotM"), 2402.75);
    }

    void anotherClientAuditsOrDeletesWhileEditing()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        const QString code = TestReceipt::saveNew(dm, 2);
        auto other = t.secondClient();
        MessageScript messages;
        auto w = openWindow();
        // Audited by another client: the edit is refused and nothing changes.
        click(w.get(), "tbEdit");
        w->lineGrid()->setFocus();
        typeCell(w->lineGrid(), "G003");
        typeCell(w->lineGrid(), "5");
        QVERIFY(DocumentStore(*other, DocKind::Receipt).audit(code, "别人"));
        click(w.get(), "tbSave");
        QCOMPARE(messages.texts(), QStringList{"此单据已经审核，不能再修改！"});
        QCOMPARE(w->mode(), Mode::Edit);
        QCOMPARE(dm.QueryInt("select count(*) from depotD"), 2);
        QCOMPARE(dm.QueryString("select F_GoodCode from depotD order by F_ID"), QString("000001"));
        click(w.get(), "tbCancel");
        // Deleted by another client: no line is left without its document.
        QVERIFY(DocumentStore(*other, DocKind::Receipt).unaudit(code, "别人"));
        click(w.get(), "tbFirst");
        QTest::keyClick(w.get(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(w->mode(), Mode::Edit);
        typeCell(w->lineGrid(), "G001");
        DocumentStore(*other, DocKind::Receipt).remove(code);
        messages.clear();
        click(w.get(), "tbSave");
        QCOMPARE(messages.texts(), QStringList{"保存失败，请检测数据库连接！"});
        QCOMPARE(dm.QueryInt("select count(*) from depotD"), 0);
        QCOMPARE(dm.QueryInt("select count(*) from depotM"), 0);
    }

    void requiredFieldsAndEmptyDocument()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        MessageScript messages;
        auto w = openWindow();
        click(w.get(), "tbNew");
        child<QComboBox>(w.get(), "cbbDepot")->setEditText("  ");
        click(w.get(), "tbSave");
        QCOMPARE(messages.texts(), QStringList{"进货仓库不能为空！"});
        child<QComboBox>(w.get(), "cbbDepot")->setEditText("二号仓库");
        click(w.get(), "tbSave");
        QCOMPARE(messages.texts().last(), QString("采购供应商不能为空！"));
        QCOMPARE(w->mode(), Mode::New);
        // Only the untouched placeholder line: stored without lines and with total 0.
        child<QLineEdit>(w.get(), "cbeClient")->setText("供应商乙");
        click(w.get(), "tbSave");
        QCOMPARE(w->mode(), Mode::Browse);
        QCOMPARE(dm.QueryInt("select count(*) from depotM"), 1);
        QCOMPARE(dm.QueryFloat("select F_TotalPrice from depotM"), 0.0);
        QCOMPARE(dm.QueryString("select F_Depot from depotM"), QString("二号仓库"));
        QCOMPARE(dm.QueryInt("select count(*) from depotD"), 0);
        // Edit on an empty day.
        child<QDateEdit>(w.get(), "dtpXzDate")->setDate(QDate(2020, 1, 1));
        messages.clear();
        click(w.get(), "tbEdit");
        QCOMPARE(messages.texts(), QStringList{"此表为空，没有记录需要修改！"});
        QCOMPARE(messages.shown().first().kind, 3);
    }

    void escapeCancelsOrCloses()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        const QString code = TestReceipt::saveNew(dm, 1);
        MessageScript messages;
        auto w = openWindow();
        click(w.get(), "tbEdit");
        child<QLineEdit>(w.get(), "cbeClient")->setText("别的供应商");
        DataGrid *grid = w->lineGrid();
        grid->setFocus();
        w->lineGrid()->setCurrentCell(0, grid->findColumn("F_Amount"));
        typeCell(grid, "9", false);
        // Esc in the cell editor cancels the whole edit.
        QTest::keyClick(cellEditor(grid), Qt::Key_Escape);
        QCOMPARE(w->mode(), Mode::Browse);
        QCOMPARE(child<QLineEdit>(w.get(), "cbeClient")->text(), QString("供应商甲"));
        QCOMPARE(w->lines()->value(0, "F_Amount").toDouble(), 1.0);
        QCOMPARE(dm.QueryString("select F_Client from depotM where F_Code = :c", {{"c", code}}), QString("供应商甲"));
        // Esc in browse mode closes the window.
        QVERIFY(w->isVisible());
        QTest::keyClick(child<QDateEdit>(w.get(), "dtpXzDate"), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QVERIFY(messages.shown().isEmpty());
    }

    void mdiChildOpenedOnceAndClosedByEscape()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        QMainWindow frame;
        auto *area = new QMdiArea(&frame);
        area->setObjectName("mdiArea");
        frame.setCentralWidget(area);
        frame.show();
        auto *first = Mdi::openOrActivate<TFrmInCaiGouDeptGl>(area);
        auto *again = Mdi::openOrActivate<TFrmInCaiGouDeptGl>(area);
        QCOMPARE(first, again);
        QCOMPARE(area->subWindowList().size(), 1);
        QCOMPARE(first->windowTitle(), QString("采购进货管理"));
        QPointer<TFrmInCaiGouDeptGl> alive(first);
        QTest::keyClick(first->findChild<QDateEdit *>("dtpXzDate"), Qt::Key_Escape);
        QTRY_VERIFY(alive.isNull());
        QVERIFY(!Mdi::findOpen(TFrmInCaiGouDeptGl::staticMetaObject, area));
    }

    void enterMovesThroughTheHeader()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        auto w = openWindow();
        QApplication::setActiveWindow(w.get());
        click(w.get(), "tbNew");
        auto *old = child<QLineEdit>(w.get(), "edtOLDcode");
        old->setFocus();
        QTest::keyClick(old, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(child<QPlainTextEdit>(w.get(), "Mem")));
        // In the memo Enter keeps its meaning.
        auto *mem = child<QPlainTextEdit>(w.get(), "Mem");
        QTest::keyClicks(mem, "a");
        QTest::keyClick(mem, Qt::Key_Return);
        QTest::keyClicks(mem, "b");
        QCOMPARE(mem->toPlainText(), QString("a\nb"));
        // Ctrl+A starts a new receipt only in browse mode.
        QTest::keyClick(w.get(), Qt::Key_Escape);
        QCOMPARE(w->mode(), Mode::Browse);
        QTest::keyClick(w.get(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w->mode(), Mode::New);
    }

    void permissionsAndDepotRestriction()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        seed(dm);
        const QString day = Sql::date(QDate::currentDate()).toString();
        const struct {
            const char *code;
            const char *depot;
        } docs[] = {{"001", "一号仓库"}, {"002", "二号仓库"}, {"003", ""}};
        for (const auto &d : docs)
            dm.exec("insert into depotM (F_Code, F_Flag, F_OperFlag, F_date, F_Depot) values (:c, 1, 1, :d, :p)",
                    {{"c", "CGD" + today() + d.code}, {"d", day}, {"p", QString::fromUtf8(d.depot)}});
        Session &s = Session::instance();
        loginAs("007", "王五");
        s.bNew = false;
        s.bDel = false;
        s.iCKflag = 1;
        s.operDepotList = {"一号仓库"};
        auto w = openWindow();
        // The operator sees the documents of his depots and those without a depot.
        QCOMPARE(w->dayList()->rowCount(), 2);
        QCOMPARE(w->dayList()->value(0, "F_Code").toString(), "CGD" + today() + "001");
        QCOMPARE(w->dayList()->value(1, "F_Code").toString(), "CGD" + today() + "003");
        QCOMPARE(child<QComboBox>(w.get(), "cbbDepot")->count(), 1);
        QVERIFY(!child<QToolButton>(w.get(), "tbNew")->isEnabled());
        QVERIFY(!child<QToolButton>(w.get(), "tbDel")->isEnabled());
        QVERIFY(child<QToolButton>(w.get(), "tbEdit")->isEnabled());
        QVERIFY(!child<QToolButton>(w.get(), "tbFcheck")->isVisible());
        QTest::keyClick(w.get(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w->mode(), Mode::Browse);
    }
};

QTEST_MAIN(TestReceiptWindow)
#include "tst_receiptwindow.moc"
