// The goods selection dialog in its two uses: adding lines to a receipt being edited, and
// picking one goods code.

#include "receiptfixture.h"
#include "support/testdatabase.h"

#include "data/session.h"
#include "documents/documentlinegrid.h"
#include "documents/documentlinemodel.h"
#include "documents/tfrmincaigoudeptgl.h"
#include "masterdata/tdlggoodxz.h"
#include "masterdata/typenoderecord.h"
#include "platform/showmess.h"
#include "widgets/datagrid.h"
#include "widgets/gridresultmodel.h"
#include "widgets/gridviewmodel.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

using namespace ReceiptFixture;

namespace {

std::unique_ptr<TFrmInCaiGouDeptGl> newReceipt()
{
    auto w = std::make_unique<TFrmInCaiGouDeptGl>();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        qWarning("window not exposed");
    click(w.get(), "tbNew");
    w->findChild<QLineEdit *>("cbeClient")->setText(QStringLiteral("供应商甲"));
    return w;
}

QStringList listedCodes(TDlgGoodXz &dlg)
{
    QStringList codes;
    for (int r = 0; r < dlg.rowCount(); ++r)
        codes << dlg.model()->value(r, QStringLiteral("F_Code")).toString();
    return codes;
}

QTreeWidgetItem *node(QTreeWidget *tree, const QString &name)
{
    const QList<QTreeWidgetItem *> found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

class TestGoodsDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init() { loginAs(); }

    void addingGoodsToTheReceipt()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        MessageScript messages;
        auto w = newReceipt();
        {
            TDlgGoodXz dlg(w.get());
            dlg.prepareAdd(w.get());
            // Nothing is listed until a type is chosen.
            QCOMPARE(dlg.rowCount(), 0);
            dlg.show();
            QTreeWidget *tree = dlg.tree();
            QCOMPARE(tree->topLevelItem(0)->text(0), QString("商品类别"));
            tree->setCurrentItem(tree->topLevelItem(0));
            QVERIFY(dlg.search());
            // The root covers every type, disabled goods included.
            QCOMPARE(listedCodes(dlg), (QStringList{"G001", "G002", "G003", "G004", "G005"}));
            QCOMPARE(dlg.findChild<QLabel *>("Label2")->text(), QString("当前货品数量： 5 个"));

            dlg.chooseCurrent();
            QCOMPARE(listedCodes(dlg), (QStringList{"G002", "G003", "G004", "G005"}));
            QCOMPARE(dlg.currentGoodsCode(), QString("G002"));
            dlg.findChild<QPushButton *>("btnSLT")->click();
            QCOMPARE(dlg.currentGoodsCode(), QString("G003"));
            // The last one: "确定" adds it and closes.
            QVERIFY(dlg.locate("G005"));
            dlg.findChild<QPushButton *>("BitBtn1")->click();
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
        // Three lines with quantity 1 and the default price; the placeholder made way.
        DocumentLineModel *lines = w->lines();
        QCOMPARE(lines->rowCount(), 3);
        const QStringList codes{"G001", "G002", "G005"};
        const QList<double> prices{1200.5, 85.25, 12};
        for (int r = 0; r < 3; ++r) {
            QCOMPARE(lines->value(r, "F_GoodCode").toString(), codes.at(r));
            QCOMPARE(lines->value(r, "F_Amount").toDouble(), 1.0);
            QCOMPARE(lines->value(r, "F_Price").toDouble(), prices.at(r));
            QCOMPARE(lines->value(r, "F_Rate").toDouble(), 1.0);
            QCOMPARE(lines->value(r, "F_TotalPrice").toDouble(), prices.at(r));
            QCOMPARE(lines->value(r, "F_Code").toString(), w->currentCode());
        }
        QCOMPARE(lines->value(0, "F_Unit").toString(), QString("台"));

        // A second opening lists the goods already on the document again.
        {
            TDlgGoodXz dlg(w.get());
            dlg.prepareAdd(w.get());
            dlg.show();
            dlg.tree()->setCurrentItem(dlg.tree()->topLevelItem(0));
            dlg.search();
            QCOMPARE(dlg.rowCount(), 5);
        }
        click(w.get(), "tbSave");
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join('|')));
        QCOMPARE(t.dm().QueryInt("select count(*) from depotD"), 3);
        QCOMPARE(t.dm().QueryFloat("select F_TotalPrice from depotM"), 1297.75);
    }

    void filters()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        auto w = newReceipt();
        TDlgGoodXz dlg(w.get());
        dlg.prepareAdd(w.get());
        dlg.show();
        QTreeWidget *tree = dlg.tree();
        // A type covers its sub-types.
        tree->setCurrentItem(node(tree, "电器"));
        dlg.search();
        QCOMPARE(listedCodes(dlg), (QStringList{"G001", "G002", "G004"}));
        tree->setCurrentItem(node(tree, "电视"));
        dlg.search();
        QCOMPARE(listedCodes(dlg), QStringList{"G001"});
        tree->setCurrentItem(tree->topLevelItem(0));
        // The code narrows at each keystroke (prefix), the name by contains, the 规格 field
        // by prefix; wildcards are taken literally.
        auto *code = dlg.findChild<QLineEdit *>("edtCode");
        QTest::keyClicks(code, "G00");
        QCOMPARE(dlg.rowCount(), 5);
        QTest::keyClicks(code, "3");
        QCOMPARE(listedCodes(dlg), QStringList{"G003"});
        code->clear();
        QTest::keyClicks(code, "%");
        QCOMPARE(dlg.rowCount(), 0);
        code->clear();
        dlg.findChild<QLineEdit *>("edtName")->setText("音");
        dlg.findChild<QPushButton *>("BitBtn3")->click();
        QCOMPARE(listedCodes(dlg), QStringList{"G002"});
        dlg.findChild<QLineEdit *>("edtName")->clear();
        dlg.findChild<QLineEdit *>("edtSpec")->setText(" 42 ");
        dlg.findChild<QPushButton *>("BitBtn3")->click();
        QCOMPARE(listedCodes(dlg), QStringList{"G001"});
    }

    void newGoodsFromTheDialog()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        MessageScript messages;
        auto w = newReceipt();
        TDlgGoodXz dlg(w.get());
        dlg.prepareAdd(w.get());
        dlg.show();
        dlg.tree()->setCurrentItem(dlg.tree()->topLevelItem(0));
        dlg.search();
        // The goods editor is filled in and saved while it is open.
        QTimer::singleShot(0, [] {
            QWidget *editor = QApplication::activeModalWidget();
            QVERIFY(editor);
            editor->findChild<QLineEdit *>("edtCode")->setText("G100");
            editor->findChild<QLineEdit *>("edtName")->setText("新商品");
            editor->findChild<QPushButton *>("Button1")->click();
            if (editor->isVisible())
                editor->close();
        });
        dlg.findChild<QPushButton *>("BitBtn4")->click();
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join('|')));
        QVERIFY(listedCodes(dlg).contains("G100"));
        QCOMPARE(dlg.currentGoodsCode(), QString("G100"));
        dlg.chooseCurrent();
        QCOMPARE(w->lines()->rowCount(), 1);
        QCOMPARE(w->lines()->value(0, "F_GoodName").toString(), QString("新商品"));
    }

    void supplierFromTheSelectionDialog()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        auto w = newReceipt();
        auto *box = w->findChild<QLineEdit *>("cbeClient");
        box->clear();
        QTimer::singleShot(0, [] {
            QWidget *dlg = QApplication::activeModalWidget();
            QVERIFY(dlg);
            auto *grid = dlg->findChild<DataGrid *>("DBGridEh1");
            for (int r = 0; r < grid->viewModel()->rowCount(); ++r)
                if (grid->viewModel()->index(r, 1).data().toString() == "供应商乙")
                    grid->setCurrentRow(r);
            dlg->findChild<QPushButton *>("BitBtn1")->click();
        });
        w->findChild<QAction *>("cbeClientButton")->trigger();
        QCOMPARE(box->text(), QString("供应商乙"));
    }

    void pickingACode()
    {
        REQUIRE_TEST_DB(t);
        seed(t.dm());
        TDlgGoodXz dlg;
        dlg.preparePick(QString());
        // Only goods in use.
        QCOMPARE(listedCodes(dlg), (QStringList{"G001", "G002", "G003", "G005"}));
        QVERIFY(dlg.pickResult(false).isEmpty());
        QVERIFY(dlg.locate("G003"));
        QCOMPARE(dlg.pickResult(true), QString("G003"));
        // Cancelled through the dialog itself.
        QTimer::singleShot(0, &dlg, [&dlg] { dlg.findChild<QPushButton *>("BitBtn2")->click(); });
        QVERIFY(dlg.PickCode(QString()).isEmpty());
        // Chosen with a double-click equivalent: the floating button.
        QTimer::singleShot(0, &dlg, [&dlg] {
            dlg.locate("G005");
            dlg.findChild<QPushButton *>("btnSLT")->click();
        });
        QCOMPARE(dlg.PickCode(QString()), QString("G005"));
    }
};

QTEST_MAIN(TestGoodsDialog)
#include "tst_goodsdialog.moc"
