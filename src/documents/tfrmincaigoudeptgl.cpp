#include "tfrmincaigoudeptgl.h"

#include "documentlinegrid.h"

#include "data/depotfilter.h"
#include "data/session.h"
#include "data/tdmdata.h"
#include "masterdata/tdlgcltxz.h"
#include "platform/dispformpos.h"
#include "platform/showmess.h"
#include "widgets/griddatamodel.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {
// The receipt's master row: lines are written first, then this row, in one transaction. An
// edit does not reach a receipt that another client audited meanwhile.
const QString kInsert = QStringLiteral(
    "Insert into depotM(F_Code,F_MakeDate,F_Maker,F_Auditer,F_Depot,F_TotalPrice,F_EmpName,F_Mem,F_Flag,F_Client,"
    "F_OldCode,F_OperFlag,F_date,F_Amount) Values(:Code,:MakeDate,:Maker,:Auditer,:Depot,:TotalPrice,:EmpName,"
    ":Mem,1,:Client,:OldCode,1,:date,:Amount)");
const QString kUpdate = QStringLiteral(
    "Update depotM Set F_MakeDate = :MakeDate,F_Maker = :Maker,F_Auditer = :Auditer,F_Depot = :Depot,"
    "F_TotalPrice = :TotalPrice,F_EmpName = :EmpName,F_Mem = :Mem,F_Client = :Client,F_OldCode = :OldCode,"
    "F_date = :date,F_Amount = :Amount Where F_ID = :ID and coalesce(F_CheckFlag,0) = 0");
// The operator's depots and the active employees.
const QString kDepots = QStringLiteral("select F_name from t_code Where (F_name <> '' and F_type = 'depot') %1 order by F_ID");
const QString kEmployees = QStringLiteral("select F_name from t_employee where (coalesce(F_Flag,0) = 0) order by F_ID");

QDate shownDate(const QVariant &v)
{
    const QDate d = Sql::toDate(v);
    return d.isValid() && d >= QDate(1901, 8, 14) ? d : QDate::currentDate();
}
} // namespace

TFrmInCaiGouDeptGl::TFrmInCaiGouDeptGl(QWidget *parent)
    : GoodsDocumentWindow(DocKind::Receipt, lineRules(), {QStringLiteral("frCaigouInDept"), QStringLiteral("采购入库单")},
                          parent)
{
    setObjectName(QStringLiteral("FrmInCaiGouDeptGl"));
    buildHeader();
    fillLists();

    auto *goods = new QAction(QStringLiteral("货品资料"), this);
    goods->setObjectName(QStringLiteral("actGoods"));
    connect(goods, &QAction::triggered, this, &TFrmInCaiGouDeptGl::openGoodsDialog);
    addEditModeAction(goods);
    addPopupAction(goods);
    addPopupAction(actAdd());
    addPopupAction(actDel());
    addPopupSeparator();
}

TFrmInCaiGouDeptGl::~TFrmInCaiGouDeptGl() = default;

GoodsLineEntry::Rules TFrmInCaiGouDeptGl::lineRules()
{
    GoodsLineEntry::Rules r;
    r.priceSource = LinePrice::Source::Receipts;
    r.priceFlag = 1;
    r.typedCodeFills = GoodsLookup::allParts();
    r.notFoundGoesToFirstColumn = true;
    r.amountWithRate = true;
    return r;
}

void TFrmInCaiGouDeptGl::buildHeader()
{
    QGroupBox *box = headerBox();
    dtpMakeDate = new QDateEdit(QDate::currentDate(), box);
    dtpMakeDate->setObjectName(QStringLiteral("dtpMakeDate"));
    dtpMakeDate->setCalendarPopup(true);
    dtpMakeDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    cbbDepot = new QComboBox(box);
    cbbDepot->setObjectName(QStringLiteral("cbbDepot"));
    cbbDepot->setEditable(true);
    cbbDepot->setInsertPolicy(QComboBox::NoInsert);
    cbbEmpName = new QComboBox(box);
    cbbEmpName->setObjectName(QStringLiteral("cbbEmpName"));
    cbbEmpName->setEditable(true);
    cbbEmpName->setInsertPolicy(QComboBox::NoInsert);
    cbeClient = new QLineEdit(box);
    cbeClient->setObjectName(QStringLiteral("cbeClient"));
    auto *pick = cbeClient->addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView), QLineEdit::TrailingPosition);
    pick->setObjectName(QStringLiteral("cbeClientButton"));
    pick->setToolTip(QStringLiteral("选择供应商"));
    connect(pick, &QAction::triggered, this, &TFrmInCaiGouDeptGl::cbeClientButtonClick);
    edtOLDcode = new QLineEdit(box);
    edtOLDcode->setObjectName(QStringLiteral("edtOLDcode"));
    Mem = new QPlainTextEdit(box);
    Mem->setObjectName(QStringLiteral("Mem"));
    Mem->setTabChangesFocus(true);
    Mem->setFixedHeight(Mem->fontMetrics().height() * 3);

    auto *g = new QGridLayout(box);
    g->setContentsMargins(8, 6, 8, 6);
    auto put = [&](int row, int col, const char *caption, QWidget *w, int span = 1) {
        auto *l = new QLabel(QString::fromUtf8(caption), box);
        l->setBuddy(w);
        g->addWidget(l, row, col * 2);
        g->addWidget(w, row, col * 2 + 1, 1, span);
    };
    put(0, 0, "单据编号：", codeBox());
    put(0, 1, "开单日期：", dtpMakeDate);
    put(0, 2, "采购仓库：", cbbDepot);
    put(1, 0, "经 手 人：", cbbEmpName);
    put(1, 1, "供 应 商：", cbeClient, 3);
    put(2, 0, "原始单号：", edtOLDcode);
    put(2, 1, "备    注：", Mem, 3);
    for (int c : {1, 3, 5})
        g->setColumnStretch(c, 1);
    // Enter and Tab go through the header in reading order.
    setTabOrder(dtpMakeDate, cbbDepot);
    setTabOrder(cbbDepot, cbbEmpName);
    setTabOrder(cbbEmpName, cbeClient);
    setTabOrder(cbeClient, edtOLDcode);
    setTabOrder(edtOLDcode, Mem);
    setTabOrder(Mem, lineGrid());
}

void TFrmInCaiGouDeptGl::fillLists()
{
    const SqlFragment own = DepotFilter::fromSession().nameCond(QStringLiteral("F_name"));
    dm().FillComboList(kDepots.arg(own.text), cbbDepot, own.params);
    if (cbbDepot->count() > 0)
        cbbDepot->setCurrentIndex(0);
    dm().FillComboList(kEmployees, cbbEmpName);
    cbbEmpName->setCurrentIndex(-1);
    cbbEmpName->setEditText(QString());
}

QString TFrmInCaiGouDeptGl::supplierText() const
{
    return cbeClient->text().trimmed();
}

void TFrmInCaiGouDeptGl::cbeClientButtonClick()
{
    if (mode() == Mode::Browse)
        return;
    TDlgCltXz dlg(this);
    dlg.setKind(0);
    DispFormPos(&dlg, 1);
    cbeClient->setText(dlg.Select(cbeClient->text()));
}

QList<GridColumn> TFrmInCaiGouDeptGl::designedLineColumns() const
{
    return goodsLineColumns(true);
}

QWidget *TFrmInCaiGouDeptGl::firstHeaderField() const
{
    return dtpMakeDate;
}

void TFrmInCaiGouDeptGl::showHeader(const GridDataModel &list, int row)
{
    codeBox()->setText(list.value(row, QStringLiteral("F_Code")).toString());
    dtpMakeDate->setDate(shownDate(list.value(row, QStringLiteral("F_MakeDate"))));
    cbbDepot->setEditText(list.value(row, QStringLiteral("F_Depot")).toString());
    cbbEmpName->setEditText(list.value(row, QStringLiteral("F_EmpName")).toString());
    cbeClient->setText(list.value(row, QStringLiteral("F_Client")).toString());
    edtOLDcode->setText(list.value(row, QStringLiteral("F_OldCode")).toString());
    Mem->setPlainText(list.value(row, QStringLiteral("F_Mem")).toString());
    showBottom(list, row, true);
}

void TFrmInCaiGouDeptGl::clearHeader(bool forNew)
{
    // The depot keeps its choice.
    dtpMakeDate->setDate(QDate::currentDate());
    cbeClient->clear();
    cbbEmpName->setEditText(QString());
    edtOLDcode->clear();
    Mem->clear();
    clearBottom(forNew, false, true);
}

bool TFrmInCaiGouDeptGl::checkHeader()
{
    if (cbbDepot->currentText().trimmed().isEmpty()) {
        ShowMess(QStringLiteral("进货仓库不能为空！"), MessNotice, this);
        cbbDepot->setFocus();
        return false;
    }
    if (cbeClient->text().trimmed().isEmpty()) {
        ShowMess(QStringLiteral("采购供应商不能为空！"), MessNotice, this);
        cbeClient->setFocus();
        return false;
    }
    // The entry date box can be typed into; only a real date is stored.
    const QString entry = entryDateBox()->text().trimmed();
    if (!QDate::fromString(entry, QStringLiteral("yyyy-MM-dd")).isValid()) {
        ShowMess(QStringLiteral("制单日期不正确，请按“年-月-日”输入！"), MessNotice, this);
        entryDateBox()->setFocus();
        return false;
    }
    return true;
}

QString TFrmInCaiGouDeptGl::insertStatement() const
{
    return kInsert;
}

QString TFrmInCaiGouDeptGl::updateStatement() const
{
    return kUpdate;
}

SqlParams TFrmInCaiGouDeptGl::masterValues() const
{
    return {{QStringLiteral("MakeDate"), Sql::date(dtpMakeDate->date())},
            {QStringLiteral("Maker"), Session::instance().sOperName},
            {QStringLiteral("Auditer"), auditerBox()->text()},
            {QStringLiteral("Depot"), cbbDepot->currentText().trimmed()},
            {QStringLiteral("TotalPrice"), Sql::roundMoney(lineSum(QStringLiteral("F_TotalPrice")))},
            {QStringLiteral("EmpName"), cbbEmpName->currentText()},
            {QStringLiteral("Mem"), Mem->toPlainText()},
            {QStringLiteral("Client"), cbeClient->text().trimmed()},
            {QStringLiteral("OldCode"), edtOLDcode->text().trimmed()},
            {QStringLiteral("date"), entryDateBox()->text().trimmed()},
            {QStringLiteral("Amount"), Sql::roundTo(lineSum(QStringLiteral("F_Amount")), 8)}};
}
