#include "goodsdocumentwindow.h"

#include "documentlinegrid.h"
#include "documentlinemodel.h"
#include "documentreportvalues.h"
#include "linecursor.h"

#include "data/session.h"
#include "data/tdmdata.h"
#include "masterdata/tdlggoodxz.h"
#include "platform/dispformpos.h"
#include "reporting/reportmodelsource.h"
#include "reporting/reportservice.h"
#include "widgets/gridresultmodel.h"
#include "widgets/gridservices.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QToolButton>

namespace {
const char *const kCustomFields[] = {"F_ZF1", "F_ZF2", "F_ZF3", "F_ZF4", "F_ZF5", "F_SZ1",
                                     "F_SZ2", "F_SZ3", "F_RQ1", "F_RQ2", "F_RQ3"};

QString dateText(const QVariant &v)
{
    const QDate d = Sql::toDate(v);
    return d.isValid() && !DocumentLineModel::isMissingDate(v) ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}
} // namespace

GoodsDocumentWindow::GoodsDocumentWindow(DocKind kind, const GoodsLineEntry::Rules &rules, const PrintTexts &texts,
                                         QWidget *parent)
    : DocumentWindowBase(kind, parent), m_texts(texts)
{
    QPointer<GoodsDocumentWindow> self(this);
    m_entry = new GoodsLineEntry(
        dm(), lineGrid(), lines(), lineCursor(), rules, [self] { return self ? self->supplierText() : QString(); },
        [self] { return self ? self->currentCode() : QString(); }, this);
    buildPanels();

    // Lines of a negative quantity stand out.
    lineGrid()->setRowStyleHook(DataGrid::redWhenNegative(QStringLiteral("F_Amount")));
    lineGrid()->enableLayoutMenu(QString::fromUtf8(kindInfo().layoutName));
    m_firstLayoutAction = lineGrid()->chooseColumnsAction();
    // The two layout entries answer their keys anywhere in the window, in both modes.
    for (QAction *a : {lineGrid()->chooseColumnsAction(), lineGrid()->saveLayoutAction()}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        QWidget::addAction(a);
    }
    connect(lineGrid(), &DataGrid::editButtonClicked, this, &GoodsDocumentWindow::gridButtonClicked);
}

GoodsDocumentWindow::~GoodsDocumentWindow() = default;

QList<GridColumn> GoodsDocumentWindow::goodsLineColumns(bool withOrderCode)
{
    const struct {
        const char *field;
        const char *caption;
        int width;
    } designed[] = {{"F_GoodCode", "编号", 72}, {"F_GoodName", "名称", 87}, {"F_Type", "类型", 109},
                    {"F_Spec", "规格", 80},     {"F_Address", "产地", 80},   {"F_Unit", "单位", 35},
                    {"F_TMcode", "条码", 80},   {"F_Amount", "数量", 80},    {"F_Price", "单价", 80},
                    {"F_Rate", "折扣", 60},     {"F_TotalPrice", "金额", 88}, {"F_JHcode", "计划单号", 80},
                    {"F_Mem", "备注", 102}};
    QList<GridColumn> cols;
    for (const auto &d : designed) {
        if (!withOrderCode && QLatin1String(d.field) == QLatin1String("F_JHcode"))
            continue;
        GridColumn c(QLatin1String(d.field), QString::fromUtf8(d.caption), d.width);
        c.titleAlignment = Qt::AlignCenter;
        if (c.fieldName == QLatin1String("F_GoodCode"))
            c.setFooterText(QStringLiteral("合计"));
        if (c.fieldName == QLatin1String("F_Amount") || c.fieldName == QLatin1String("F_TotalPrice"))
            c.setFooterSum();
        cols << c;
    }
    for (int i = 0; i < 11; ++i)
        cols << GridColumn(QLatin1String(kCustomFields[i]), QLatin1String(kCustomFields[i]), 80);
    return cols;
}

void GoodsDocumentWindow::buildPanels()
{
    // Barcode panel: shown in new and edit mode while "条码输入" is down.
    m_barcodePanel = new QWidget(this);
    m_barcodePanel->setObjectName(QStringLiteral("pTM"));
    m_barcode = new QLineEdit(m_barcodePanel);
    m_barcode->setObjectName(QStringLiteral("edtTM"));
    m_quantity = new QDoubleSpinBox(m_barcodePanel);
    m_quantity->setObjectName(QStringLiteral("rceAmount"));
    m_quantity->setRange(-1e12, 1e12);
    m_quantity->setDecimals(qBound(0, Session::instance().iAmountDec, 8));
    m_quantity->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_quantity->setValue(1);
    auto *tm = new QHBoxLayout(m_barcodePanel);
    tm->setContentsMargins(4, 2, 4, 2);
    auto *lTM = new QLabel(QStringLiteral("条    码："), m_barcodePanel);
    lTM->setBuddy(m_barcode);
    auto *lAmount = new QLabel(QStringLiteral("数    量："), m_barcodePanel);
    lAmount->setBuddy(m_quantity);
    tm->addWidget(lTM);
    tm->addWidget(m_barcode, 2);
    tm->addWidget(lAmount);
    tm->addWidget(m_quantity, 1);
    tm->addStretch(2);
    m_barcodePanel->hide();
    aboveGridLayout()->addWidget(m_barcodePanel);

    // Bottom panel: the barcode toggle and the maker, auditor and dates.
    QWidget *bottom = bottomPanel();
    bottom->setObjectName(QStringLiteral("pZD"));
    auto *toggle = new QToolButton(bottom);
    toggle->setObjectName(QStringLiteral("sbTM"));
    toggle->setText(QStringLiteral("条码输入"));
    toggle->setCheckable(true);
    toggle->setFocusPolicy(Qt::NoFocus);
    m_barcodeToggle = toggle;
    connect(toggle, &QToolButton::toggled, this, &GoodsDocumentWindow::barcodeToggled);
    auto box = [bottom](const char *name, bool readOnly) {
        auto *e = new QLineEdit(bottom);
        e->setObjectName(QLatin1String(name));
        e->setReadOnly(readOnly);
        return e;
    };
    m_maker = box("edtMaker", true);
    m_auditer = box("edtAuditer", true);
    m_entryDate = box("edtDate", false);
    m_auditDate = box("edtAudDate", true);
    auto *lay = new QHBoxLayout(bottom);
    lay->setContentsMargins(4, 2, 4, 2);
    lay->addWidget(toggle);
    lay->addStretch(1);
    const std::pair<const char *, QLineEdit *> boxes[] = {
        {"制 单 人", m_maker}, {"审 核 人", m_auditer}, {"制单日期", m_entryDate}, {"审核日期", m_auditDate}};
    for (const auto &[caption, edit] : boxes) {
        auto *l = new QLabel(QString::fromUtf8(caption), bottom);
        l->setBuddy(edit);
        lay->addWidget(l);
        lay->addWidget(edit);
    }

}

QString GoodsDocumentWindow::emptyCode() const
{
    return kindInfo().kind == DocKind::Return ? QStringLiteral("-1") : QStringLiteral("1");
}

int GoodsDocumentWindow::documentKind() const
{
    switch (kindInfo().kind) {
    case DocKind::Return:
        return -1;
    case DocKind::Order:
        return 7;
    default:
        return 1;
    }
}

bool GoodsDocumentWindow::defaultUnitPrice(const QString &goodsCode, double *price) const
{
    return m_entry->defaultPrice(goodsCode, price);
}

void GoodsDocumentWindow::appendGoodsLine(const QVariantMap &values)
{
    if (mode() == Mode::Browse)
        return;
    lineGrid()->commitEdit();
    lineCursor()->appendLine(values, true);
}

void GoodsDocumentWindow::addPopupAction(QAction *action)
{
    QMenu *menu = lineGrid()->popupMenu();
    menu->insertAction(m_firstLayoutAction, action);
}

void GoodsDocumentWindow::addPopupSeparator()
{
    lineGrid()->popupMenu()->insertSeparator(m_firstLayoutAction);
}

// ---- showing

void GoodsDocumentWindow::showBottom(const GridDataModel &list, int row, bool entryDateToday)
{
    m_maker->setText(list.value(row, QStringLiteral("F_Maker")).toString());
    QString entry = dateText(list.value(row, QStringLiteral("F_date")));
    if (entry.isEmpty() && entryDateToday)
        entry = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    m_entryDate->setText(entry);
    bool ok = false;
    const bool audited = list.value(row, QStringLiteral("F_CheckFlag")).toInt(&ok) != 0 && ok;
    if (audited) {
        m_auditDate->setText(dateText(list.value(row, QStringLiteral("F_AudDate"))));
        m_auditer->setText(list.value(row, QStringLiteral("F_Auditer")).toString());
    } else {
        m_auditDate->clear();
        m_auditer->clear();
    }
}

void GoodsDocumentWindow::clearBottom(bool forNew, bool blankMaker, bool entryDateToday)
{
    if (blankMaker && forNew)
        m_maker->clear();
    else
        m_maker->setText(Session::instance().sOperName);
    m_auditer->clear();
    m_auditDate->clear();
    if (forNew || entryDateToday)
        m_entryDate->setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    else
        m_entryDate->clear();
}

void GoodsDocumentWindow::windowShown()
{
    DataGrid *grid = lineGrid();
    LoadGridLayout(dm(), grid, QString::fromUtf8(kindInfo().layoutName));
    ApplyNumberFormats(grid, 1);
    ApplyCustomFieldColumns(grid);
    m_barcodeToggle->setChecked(Session::instance().bBarcode);
    setupPrintMenus();
    modeChanged();
}

void GoodsDocumentWindow::modeChanged()
{
    const bool editing = mode() != Mode::Browse;
    m_barcodePanel->setVisible(editing && m_barcodeToggle->isChecked());
}

void GoodsDocumentWindow::barcodeToggled(bool down)
{
    m_barcodePanel->setVisible(mode() != Mode::Browse && down);
    if (down && m_barcodePanel->isVisible())
        m_barcode->setFocus();
}

// ---- line entry

void GoodsDocumentWindow::gridEnter()
{
    m_entry->gridEnter();
}

void GoodsDocumentWindow::barcodeEntered()
{
    if (mode() == Mode::Browse)
        return;
    m_entry->barcodeEntered(m_barcode, m_quantity->value());
}

bool GoodsDocumentWindow::windowKey(QWidget *target, QKeyEvent *event)
{
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
                       && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && target == m_barcode) {
        barcodeEntered();
        return true;
    }
    return false;
}

void GoodsDocumentWindow::gridButtonClicked(const QString &, int)
{
    const QString field = lineGrid()->currentFieldName().toLower();
    if (field == QLatin1String("f_goodcode") || field == QLatin1String("f_goodname"))
        openGoodsDialog();
}

void GoodsDocumentWindow::openGoodsDialog()
{
    if (mode() == Mode::Browse)
        return;
    lineGrid()->commitEdit();
    TDlgGoodXz dlg(this);
    DispFormPos(&dlg, 1);
    dlg.Add(this);
}

// ---- printing

QString GoodsDocumentWindow::templateName(int variant) const
{
    return variant == Standard ? m_texts.templateName : m_texts.templateName + QString::number(variant);
}

int GoodsDocumentWindow::defaultVariant() const
{
    return Session::instance().bPrice ? Standard : WithoutPrices;
}

void GoodsDocumentWindow::setupPrintMenus()
{
    if (!m_printActions.isEmpty())
        return;
    const QString name = m_texts.documentName;
    const QString suffix[] = {QString(), QStringLiteral("(A4)"), QStringLiteral("(不含单价和金额)")};
    m_printMenu = new QMenu(this);
    m_designMenu = new QMenu(this);
    for (int v = 0; v < 3; ++v) {
        auto *p = m_printMenu->addAction(QStringLiteral("打印") + name + suffix[v]);
        p->setObjectName(QStringLiteral("actPrint%1").arg(v));
        connect(p, &QAction::triggered, this, [this, v] { printVariant(v); });
        m_printActions << p;
        auto *d = m_designMenu->addAction(QStringLiteral("设置") + name + suffix[v]);
        d->setObjectName(QStringLiteral("actDesign%1").arg(v));
        connect(d, &QAction::triggered, this, [this, v] { designVariant(v); });
        m_designActions << d;
    }
    // Without the price right only the price-free variant is offered.
    const bool prices = Session::instance().bPrice;
    for (int v = 0; v < 2; ++v) {
        m_printActions.at(v)->setVisible(prices);
        m_designActions.at(v)->setVisible(prices);
    }
    for (const auto &[t, menu] : {std::pair{Tool::Print, m_printMenu}, std::pair{Tool::Set, m_designMenu}}) {
        tool(t)->setMenu(menu);
        tool(t)->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

QString GoodsDocumentWindow::preparePrint(ReportService &report, int variant)
{
    if (listEmpty())
        return QString();
    QPointer<GoodsDocumentWindow> self(this);
    report.setValueHandler(DocumentReportValues::lineDocumentHandler(
        dm(), [self] { return self ? self->supplierText() : QString(); }));
    report.bindMaster(std::make_shared<ReportModelSource>(dayList(), listRow(), dayList()->fieldNames()));
    report.bindDetail(std::make_shared<ReportModelSource>(lines(), -1, lines()->fieldNames()));
    return templateName(variant);
}

void GoodsDocumentWindow::printVariant(int variant)
{
    if (mode() != Mode::Browse || !tool(Tool::Print)->isEnabled())
        return;
    ReportService &report = ReportService::of(dm());
    const QString name = preparePrint(report, variant);
    if (name.isEmpty())
        return;
    report.setDialogParent(this);
    report.PrintDocumentReport(name, report.master(), report.detail());
    // The report outlives this window: it must not keep it as the parent of later dialogs.
    report.setDialogParent(nullptr);
}

void GoodsDocumentWindow::designVariant(int variant)
{
    if (mode() != Mode::Browse || !tool(Tool::Set)->isEnabled())
        return;
    ReportService &report = ReportService::of(dm());
    QPointer<GoodsDocumentWindow> self(this);
    report.setValueHandler(DocumentReportValues::lineDocumentHandler(
        dm(), [self] { return self ? self->supplierText() : QString(); }));
    report.setDialogParent(this);
    report.DesignDocumentReport(templateName(variant),
                                std::make_shared<ReportModelSource>(dayList(), listRow(), dayList()->fieldNames()),
                                std::make_shared<ReportModelSource>(lines(), -1, lines()->fieldNames()));
    report.setDialogParent(nullptr);
}
