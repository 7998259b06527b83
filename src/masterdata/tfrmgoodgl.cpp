#include "tfrmgoodgl.h"

#include "goodsstatements.h"
#include "tdlgeditgoodtype.h"
#include "tfrmgoodedit.h"
#include "typenoderecord.h"
#include "typetree.h"

#include "data/dberror.h"
#include "data/session.h"
#include "data/tdmdata.h"
#include "platform/dispformpos.h"
#include "platform/showmess.h"
#include "widgets/datagrid.h"
#include "widgets/gridexport.h"
#include "widgets/gridresultmodel.h"
#include "widgets/gridservices.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSqlQuery>
#include <QToolButton>
#include <QTreeWidget>

namespace {
const QStringList kPriceFields{QStringLiteral("F_EnterPrice"), QStringLiteral("F_SalePrice")};
}

TFrmGoodGl::TFrmGoodGl(QWidget *parent) : ListWindowBase(parent), tvTree(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("FrmGoodGl"));
    setWindowTitle(QStringLiteral("货品资料管理"));
    tool(ToolSet)->setObjectName(QStringLiteral("tbset"));
    tool(ToolExport)->setObjectName(QStringLiteral("ToolButton1"));
    queryType()->addItems({QStringLiteral("货品编号"), QStringLiteral("货品名称"), QStringLiteral("商品规格"),
                           QStringLiteral("产    地"), QStringLiteral("备    注"), QStringLiteral("字符项一"),
                           QStringLiteral("字符项二"), QStringLiteral("字符项三"), QStringLiteral("字符项四"),
                           QStringLiteral("字符项五")});
    queryType()->setCurrentIndex(-1);

    // The button that shows or hides the type tree, beside the search button.
    auto *treeButton = new QToolButton(this);
    treeButton->setObjectName(QStringLiteral("SpeedButton2"));
    treeButton->setText(QStringLiteral("类型"));
    treeButton->setToolTip(QStringLiteral("显示或隐藏货品类型"));
    filterLayout()->insertWidget(filterLayout()->indexOf(searchButton()) + 1, treeButton);
    connect(treeButton, &QToolButton::clicked, this, [this] { tvTree->setVisible(!tvTree->isVisible()); });

    tvTree->setObjectName(QStringLiteral("tvTree"));
    tvTree->header()->hide();
    tvTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvTree->setSelectionMode(QAbstractItemView::SingleSelection);
    setSidePanel(tvTree, 200);
    connect(tvTree, &QTreeWidget::itemDoubleClicked, this, [this] { reload(); });

    grid()->popupMenu()->addSeparator();
    m_changeType = new QAction(QStringLiteral("更改当前所选商品类型"), this);
    m_changeType->setObjectName(QStringLiteral("actChangeType"));
    grid()->popupMenu()->addAction(m_changeType);
    connect(m_changeType, &QAction::triggered, this, &TFrmGoodGl::changeSelectedType);
}

bool TFrmGoodGl::showsPrices()
{
    const Session &s = Session::instance();
    return s.bPrice || s.isAdmin();
}

bool TFrmGoodGl::canChange() const
{
    return Session::instance().bHPedit;
}

bool TFrmGoodGl::canSearch() const
{
    // The list follows the type chosen in the tree; without one there is nothing to show.
    return tvTree->currentItem() != nullptr;
}

ListWindowBase::Statement TFrmGoodGl::buildStatement() const
{
    GoodsStatements::ListFilter f;
    f.queryType = queryType()->currentIndex();
    f.text = queryText()->text();
    f.includeDisabled = includeDisabled()->isChecked();
    const QTreeWidgetItem *node = tvTree->currentItem();
    if (node && !TypeTree::isRoot(node))
        f.typePath = TypeNodeRecord::of(node).path;
    return GoodsStatements::listStatement(f);
}

QList<GridColumn> TFrmGoodGl::designedColumns() const
{
    const struct {
        const char *field;
        const char *caption;
        int width;
    } cols[] = {{"F_Code", "编号", 90},         {"F_Name", "名称", 160},        {"F_Type", "类型", 140},
                {"F_Spec", "规格", 90},         {"F_Unit", "单位", 50},         {"F_BarCode", "条码", 110},
                {"F_EnterPrice", "成本单价", 80}, {"F_SalePrice", "销售单价", 80}, {"F_BegAmount", "期初总量", 80},
                {"F_DeptUp", "库存上限", 70},    {"F_DeptDown", "库存下限", 70},  {"F_Depot", "默认仓库", 90},
                {"F_Mem", "备注", 140},         {"F_Flag", "停用否", 50},       {"F_Address", "产地", 90},
                {"F_ZF1", "字符项一", 90},       {"F_ZF2", "字符项二", 90},       {"F_ZF3", "字符项三", 90},
                {"F_ZF4", "字符项四", 90},       {"F_ZF5", "字符项五", 90},       {"F_SZ1", "数值项一", 80},
                {"F_SZ2", "数值项二", 80},       {"F_SZ3", "数值项三", 80},       {"F_RQ1", "日期项一", 85},
                {"F_RQ2", "日期项二", 85},       {"F_RQ3", "日期项三", 85}};
    QList<GridColumn> out;
    for (const auto &c : cols) {
        GridColumn g(QLatin1String(c.field), QString::fromUtf8(c.caption), c.width);
        if (g.fieldName == QLatin1String("F_BegAmount"))
            g.setFooterSum();
        out << g;
    }
    return out;
}

void TFrmGoodGl::prepareGrid()
{
    const Session &s = Session::instance();
    ApplyCustomFieldColumns(grid());
    const int amount = grid()->findColumn(QStringLiteral("F_BegAmount"));
    if (amount >= 0)
        grid()->editColumn(amount, [&s](GridColumn &c) { c.setFormat(s.sAmountFmt); });
    if (showsPrices()) {
        for (const QString &f : kPriceFields) {
            const int c = grid()->findColumn(f);
            if (c >= 0)
                grid()->editColumn(c, [&s](GridColumn &g) { g.setFormat(s.sPriceFmt); });
        }
    } else {
        // Without the price right the price columns are gone, not merely hidden: the column
        // chooser cannot bring them back.
        QList<GridColumn> kept;
        for (const GridColumn &c : grid()->columns())
            if (!kPriceFields.contains(c.fieldName, Qt::CaseInsensitive))
                kept << c;
        grid()->setColumns(kept);
    }
}

void TFrmGoodGl::setupWindow()
{
    ListWindowBase::setupWindow();
    TypeTree::LoadTypeTree(tvTree, QStringLiteral("货品类型"), TypeTree::GoodsKind());
    if (QTreeWidgetItem *root = tvTree->topLevelItem(0)) {
        root->setExpanded(true);
        tvTree->setCurrentItem(root);
    }
    tvTree->setFocus();
    const Session &s = Session::instance();
    for (int i = 0; i < 5; ++i)
        queryType()->setItemText(5 + i, s.KeyValueText[i + 1]);
    // Changing goods takes the goods-editing right.
    m_changeType->setEnabled(canChange());
}

QString TFrmGoodGl::reportTemplate() const
{
    return QStringLiteral("frGoodMan") + Session::instance().sNoPrice;
}

QStringList TFrmGoodGl::withheldReportFields() const
{
    return showsPrices() ? QStringList() : kPriceFields;
}

QString TFrmGoodGl::deleteQuestion(int row) const
{
    return QStringLiteral("真的要删除货品") + rowValue(row, QStringLiteral("F_Name")).toString() + QStringLiteral("吗？");
}

bool TFrmGoodGl::mayDelete(int row)
{
    TdmData *dm = TdmData::instance();
    if (!dm)
        return false;
    const SqlStatement used = GoodsStatements::usedInLines(rowValue(row, QStringLiteral("F_Code")).toString());
    if (dm->QueryInt(used.sql, used.params) > 0) {
        ShowMess(QStringLiteral("该货品资料已经被使用，不能被删除！"), MessWarning, this);
        return false;
    }
    return true;
}

bool TFrmGoodGl::deleteRow(int row)
{
    TdmData *dm = TdmData::instance();
    if (!dm)
        return false;
    const qint64 id = rowValue(row, QStringLiteral("F_ID")).toLongLong();
    const QString code = rowValue(row, QStringLiteral("F_Code")).toString();
    bool used = false;
    try {
        // The goods and its opening stock go together or not at all.
        DbTransaction t(*dm);
        const SqlStatement inUse = GoodsStatements::usedInLines(code);
        QSqlQuery q(dm->db());
        dm->exec(q, inUse.sql, inUse.params);
        used = q.next();
        q.finish();
        if (!used) {
            dm->exec(QStringLiteral("delete from t_goods where F_ID = :id"), {{QStringLiteral("id"), id}});
            const SqlStatement stock = GoodsStatements::deleteOpeningStock(code);
            dm->exec(stock.sql, stock.params);
            t.commit();
        }
    } catch (const DbError &e) {
        qWarning("goods delete: %s", qPrintable(e.message()));
        ShowMess(TdmData::MsgDeleteFailed, MessError, this);
        return false;
    }
    if (used) {
        // A receipt line came in meanwhile.
        ShowMess(QStringLiteral("该货品资料已经被使用，不能被删除！"), MessWarning, this);
        return false;
    }
    return true;
}

void TFrmGoodGl::exportGrid()
{
    if (isEmpty())
        return;
    ExportGridToExcel(grid(), exportName(), true);
}

void TFrmGoodGl::openEditor(bool adding)
{
    TFrmGoodEdit editor(this);
    if (adding) {
        if (Session::instance().bAutoGoodCode && !editor.takeAutomaticCode())
            return;
        editor.openNew(this);
    } else {
        editor.openModify(this);
    }
    DispFormPos(&editor, 1);
    editor.exec();
}

void TFrmGoodGl::changeSelectedType()
{
    if (!canChange())
        return;
    if (ShowMess(QStringLiteral("真的要改变当前所选货品的类型吗？"), MessQuestion, this) == 2)
        return;
    TDlgEditGoodType dlg(this);
    DispFormPos(&dlg, 1);
    const QString type = dlg.chooseType();
    if (type.trimmed().isEmpty())
        return;
    const QList<int> rows = isEmpty() ? QList<int>() : grid()->selectedSourceRows();
    if (rows.isEmpty()) {
        ShowMess(QStringLiteral("请选择需要更改类型的货品资料！"), MessNotice, this);
        return;
    }
    TdmData *dm = TdmData::instance();
    if (!dm)
        return;
    QList<qint64> ids;
    for (int src : rows)
        ids << model()->value(src, QStringLiteral("F_ID")).toLongLong();
    try {
        DbTransaction t(*dm);
        for (qint64 id : std::as_const(ids)) {
            const SqlStatement s = GoodsStatements::setType(id, type);
            dm->exec(s.sql, s.params);
        }
        t.commit();
    } catch (const DbError &e) {
        qWarning("goods type change: %s", qPrintable(e.message()));
        ShowMess(QStringLiteral("保存失败，请检测数据库连接！"), MessError, this);
        return;
    }
    const QString code = currentValue(QStringLiteral("F_Code")).toString();
    reopen();
    locate(QStringLiteral("F_Code"), code);
}
