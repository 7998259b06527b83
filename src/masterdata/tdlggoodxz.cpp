#include "tdlggoodxz.h"

#include "goodslinetarget.h"
#include "tfrmgoodedit.h"
#include "typenoderecord.h"
#include "typetree.h"

#include "data/session.h"
#include "data/sqldialect.h"
#include "data/tdmdata.h"
#include "platform/dispformpos.h"
#include "widgets/datagrid.h"
#include "widgets/gridresultmodel.h"
#include "widgets/gridservices.h"
#include "widgets/gridviewmodel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString kLayout = QStringLiteral("dlggoodxz");

// The goods columns of the list; a custom date standing for "no date" comes back empty.
QString goodsColumns()
{
    QString cols = QStringLiteral("F_ID,F_Code,F_Name,F_Type,F_Spec,F_Unit,F_Address,F_EnterPrice,F_SalePrice,F_Mem,"
                                  "F_BarCode,F_Flag,F_ZF1,F_ZF2,F_ZF3,F_ZF4,F_ZF5,F_SZ1,F_SZ2,F_SZ3");
    for (const char *d : {"F_RQ1", "F_RQ2", "F_RQ3"})
        cols += QStringLiteral(",CASE WHEN %1 < '1901-08-14' THEN NULL ELSE %1 END AS %1").arg(QLatin1String(d));
    return cols;
}

// The search: goods not added during this use, narrowed by the filters and the chosen type.
SqlStatement searchStatement(bool leaveOutAdded, const QString &code, const QString &name, const QString &spec,
                             const QString &typePath)
{
    SqlStatement s;
    s.sql = QStringLiteral("select %1 from t_goods where (1 = 1)").arg(goodsColumns());
    if (leaveOutAdded)
        s.sql += QStringLiteral(" and not (F_Code in (select F_code from tempCode))");
    const QString esc = SqlDialect::likeEscape();
    if (!code.isEmpty()) {
        s.sql += QStringLiteral(" and F_Code like :code") + esc;
        s.params.append({QStringLiteral("code"), SqlDialect::escapeLike(code) + QLatin1Char('%')});
    }
    if (!name.trimmed().isEmpty()) {
        s.sql += QStringLiteral(" and F_Name like :name") + esc;
        s.params.append({QStringLiteral("name"), QLatin1Char('%') + SqlDialect::escapeLike(name) + QLatin1Char('%')});
    }
    if (!spec.trimmed().isEmpty()) {
        s.sql += QStringLiteral(" and F_Spec like :spec") + esc;
        s.params.append({QStringLiteral("spec"), SqlDialect::escapeLike(spec.trimmed()) + QLatin1Char('%')});
    }
    if (!typePath.isEmpty()) {
        s.sql += QStringLiteral(" and F_Type like :type") + esc;
        s.params.append({QStringLiteral("type"), SqlDialect::escapeLike(typePath) + QLatin1Char('%')});
    }
    s.sql += QStringLiteral(" order by F_Code");
    return s;
}

// Picking a code starts with the goods in use.
SqlStatement activeGoodsStatement()
{
    return {QStringLiteral("select %1 from t_goods where coalesce(F_Flag,0) = 0 order by F_Code").arg(goodsColumns()), {}};
}

const QString kClearAdded = QStringLiteral("delete from tempCode");
const QString kRememberAdded = QStringLiteral("insert into tempCode (F_code) values (:code)");
} // namespace

TDlgGoodXz::TDlgGoodXz(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgGoodXz"));
    setWindowTitle(QStringLiteral("货品选择"));
    buildUi();
    resize(900, 520);
}

TDlgGoodXz::~TDlgGoodXz() = default;

void TDlgGoodXz::buildUi()
{
    auto field = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    edtCode = field("edtCode");
    edtName = field("edtName");
    edtSpec = field("edtSpec");
    BitBtn3 = new QPushButton(QStringLiteral("查询"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setAutoDefault(false);
    SpeedButton2 = new QToolButton(this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("类别"));
    SpeedButton2->setToolTip(QStringLiteral("显示或隐藏商品类别"));
    SpeedButton2->setCheckable(true);
    SpeedButton2->setChecked(true);
    auto *filters = new QHBoxLayout;
    filters->addWidget(SpeedButton2);
    const std::pair<const char *, QLineEdit *> parts[] = {
        {"货品编码：", edtCode}, {"货品名称：", edtName}, {"货品规格：", edtSpec}};
    for (const auto &[caption, edit] : parts) {
        auto *l = new QLabel(QString::fromUtf8(caption), this);
        l->setBuddy(edit);
        filters->addWidget(l);
        filters->addWidget(edit);
    }
    filters->addWidget(BitBtn3);

    tvTree = new QTreeWidget(this);
    tvTree->setObjectName(QStringLiteral("tvTree"));
    tvTree->setHeaderHidden(true);

    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGridEh1"));
    m_model = new GridResultModel(this);
    m_grid->setSourceModel(m_model);
    m_grid->setReadOnly(true);
    m_grid->setRowSelect(true);
    m_grid->setFooterVisible(true);
    m_grid->setTabKeyNavigation(false);
    const struct {
        const char *field;
        const char *caption;
        int width;
    } cols[] = {{"F_Code", "货品编码", 90}, {"F_Name", "货品名称", 160}, {"F_Type", "类型", 120},
                {"F_Spec", "规格", 90},     {"F_Address", "产地", 80},    {"F_Unit", "单位", 50},
                {"F_EnterPrice", "成本单价", 80}, {"F_Mem", "备注", 140}};
    QList<GridColumn> columns;
    for (const auto &c : cols)
        columns << GridColumn(QLatin1String(c.field), QString::fromUtf8(c.caption), c.width);
    m_grid->setColumns(columns);
    m_grid->enableLayoutMenu(kLayout);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(tvTree);
    split->addWidget(m_grid);
    split->setStretchFactor(1, 1);
    split->setSizes({180, 700});

    // The floating choose button rides on the current row.
    btnSLT = new QPushButton(QStringLiteral("选择(F2)"), m_grid->viewport());
    btnSLT->setObjectName(QStringLiteral("btnSLT"));
    btnSLT->setAutoDefault(false);
    btnSLT->setFocusPolicy(Qt::NoFocus);
    btnSLT->hide();

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    BitBtn2 = new QPushButton(QStringLiteral("关闭"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    BitBtn4 = new QPushButton(QStringLiteral("新增商品"), this);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn4->setAutoDefault(false);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Label2);
    bottom->addStretch(1);
    bottom->addWidget(BitBtn4);
    bottom->addWidget(BitBtn1);
    bottom->addWidget(BitBtn2);

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(filters);
    lay->addWidget(split, 1);
    lay->addLayout(bottom);

    connect(edtCode, &QLineEdit::textChanged, this, [this] { search(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { search(); });
    connect(tvTree, &QTreeWidget::itemDoubleClicked, this, [this] { search(); });
    connect(SpeedButton2, &QToolButton::toggled, tvTree, &QWidget::setVisible);
    connect(BitBtn1, &QPushButton::clicked, this, &TDlgGoodXz::okClicked);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn4, &QPushButton::clicked, this, &TDlgGoodXz::BitBtn4Click);
    connect(btnSLT, &QPushButton::clicked, this, &TDlgGoodXz::choose);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &TDlgGoodXz::choose);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TDlgGoodXz::placeChooseButton);
    connect(m_grid->viewModel(), &QAbstractItemModel::modelReset, this, &TDlgGoodXz::placeChooseButton);
    connect(m_grid->verticalScrollBar(), &QScrollBar::valueChanged, this, &TDlgGoodXz::placeChooseButton);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this, &TDlgGoodXz::placeChooseButton);
    auto *f2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(f2, &QShortcut::activated, this, [this] {
        if (btnSLT->isVisible())
            choose();
    });
}

void TDlgGoodXz::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown)
        FormShow();
}

void TDlgGoodXz::FormShow()
{
    if (m_shown)
        return;
    m_shown = true;
    LoadGridLayout(m_grid, kLayout);
    ApplyCustomFieldColumns(m_grid);
    const QString amount = Session::instance().sTotalFmt;
    for (const char *f : {"F_EnterPrice", "F_SalePrice"}) {
        const int c = m_grid->findColumn(QLatin1String(f));
        if (c >= 0)
            m_grid->editColumn(c, [&amount](GridColumn &col) { col.setFormat(amount); });
    }
    TypeTree::LoadTypeTree(tvTree, QStringLiteral("商品类别"), TypeTree::GoodsKind());
    if (QTreeWidgetItem *root = tvTree->topLevelItem(0))
        root->setExpanded(true);
    tvTree->setFocus();
}

void TDlgGoodXz::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placeChooseButton();
}

void TDlgGoodXz::placeChooseButton()
{
    const QModelIndex cur = m_grid->currentIndex();
    if (!cur.isValid() || m_grid->viewModel()->rowCount() == 0) {
        btnSLT->hide();
        return;
    }
    const QRect r = m_grid->visualRect(m_grid->viewModel()->index(cur.row(), 0));
    if (r.height() <= 0) {
        btnSLT->hide();
        return;
    }
    const int x = m_grid->viewport()->width() * 2 / 3;
    btnSLT->setGeometry(x, r.top(), btnSLT->sizeHint().width(), r.height());
    btnSLT->show();
    btnSLT->raise();
}

int TDlgGoodXz::rowCount() const
{
    return m_model->rowCount();
}

QString TDlgGoodXz::currentGoodsCode() const
{
    const int row = m_grid->currentSourceRow();
    return row < 0 ? QString() : m_model->value(row, QStringLiteral("F_Code")).toString();
}

bool TDlgGoodXz::locate(const QString &code)
{
    const int c = m_model->fieldIndex(QStringLiteral("F_Code"));
    for (int view = 0; c >= 0 && view < m_grid->viewModel()->rowCount(); ++view) {
        const int row = m_grid->viewModel()->sourceRow(view);
        if (m_model->value(row, c).toString().compare(code, Qt::CaseInsensitive) == 0) {
            m_grid->setCurrentRow(view);
            return true;
        }
    }
    return false;
}

void TDlgGoodXz::updateCount()
{
    Label2->setText(QStringLiteral("当前货品数量： %1 个").arg(rowCount()));
}

bool TDlgGoodXz::open(const SqlStatement &statement)
{
    TdmData *dm = TdmData::instance();
    if (!dm)
        return false;
    m_last = statement;
    if (!m_model->load(*dm, statement.sql, statement.params)) {
        m_model->close();
        updateCount();
        return false;
    }
    if (rowCount() > 0)
        m_grid->setCurrentRow(0);
    updateCount();
    placeChooseButton();
    return true;
}

bool TDlgGoodXz::search()
{
    const QTreeWidgetItem *node = tvTree->currentItem();
    if (!node)
        return false;
    const QString path = TypeTree::isRoot(node) ? QString() : TypeNodeRecord::of(node).path;
    return open(searchStatement(m_use == Use::AddToDocument, edtCode->text(), edtName->text(), edtSpec->text(), path));
}

bool TDlgGoodXz::reopen()
{
    return !m_last.sql.isEmpty() && open(m_last);
}

void TDlgGoodXz::prepareAdd(GoodsLineTarget *target)
{
    m_use = Use::AddToDocument;
    m_target = target;
    if (TdmData *dm = TdmData::instance())
        dm->ExecCommand(kClearAdded);
    search();
}

void TDlgGoodXz::Add(GoodsLineTarget *target)
{
    prepareAdd(target);
    exec();
}

void TDlgGoodXz::preparePick(const QString &current)
{
    m_use = Use::PickCode;
    m_target = nullptr;
    m_current = current;
    open(activeGoodsStatement());
}

QString TDlgGoodXz::pickResult(bool accepted) const
{
    if (accepted && rowCount() > 0 && m_grid->currentSourceRow() >= 0)
        return currentGoodsCode();
    return m_current;
}

QString TDlgGoodXz::PickCode(const QString &current)
{
    preparePick(current);
    const bool ok = exec() == QDialog::Accepted;
    return pickResult(ok);
}

void TDlgGoodXz::choose()
{
    if (m_use == Use::PickCode)
        accept();
    else
        chooseCurrent();
}

void TDlgGoodXz::okClicked()
{
    if (m_use == Use::AddToDocument)
        chooseCurrent();
    accept();
}

void TDlgGoodXz::chooseCurrent()
{
    const int row = m_grid->currentSourceRow();
    if (!m_target || row < 0 || rowCount() == 0)
        return;
    TdmData *dm = TdmData::instance();
    if (!dm)
        return;
    auto value = [&](const char *field) { return m_model->value(row, QLatin1String(field)); };
    const QString code = value("F_Code").toString();
    double price = 0;
    if (!m_target->defaultUnitPrice(code, &price))
        return;
    const QVariantMap line{{QStringLiteral("F_GoodCode"), code},
                           {QStringLiteral("F_GoodName"), value("F_Name")},
                           {QStringLiteral("F_Type"), value("F_Type")},
                           {QStringLiteral("F_Spec"), value("F_Spec")},
                           {QStringLiteral("F_Address"), value("F_Address")},
                           {QStringLiteral("F_Unit"), value("F_Unit")},
                           {QStringLiteral("F_Price"), price},
                           {QStringLiteral("F_Code"), m_target->currentCode()},
                           {QStringLiteral("F_Rate"), 1.0},
                           {QStringLiteral("F_Amount"), 1.0}};
    m_target->appendGoodsLine(line);
    dm->ExecCommand(kRememberAdded, {{QStringLiteral("code"), code}});

    // The list moves on to the next goods and stays there after the added one drops out.
    const int view = m_grid->currentRow();
    const int rows = m_grid->viewModel()->rowCount();
    const int next = view + 1 < rows ? view + 1 : view - 1;
    const QString nextCode = next >= 0 ? m_model->value(m_grid->viewModel()->sourceRow(next), QStringLiteral("F_Code")).toString()
                                       : QString();
    search();
    if (nextCode.isEmpty() || !locate(nextCode))
        placeChooseButton();
}

void TDlgGoodXz::BitBtn4Click()
{
    TFrmGoodEdit editor(this);
    if (Session::instance().bAutoGoodCode && !editor.takeAutomaticCode())
        return;
    editor.openNewFromDialog([this](const QString &code) {
        reopen();
        locate(code);
    });
    DispFormPos(&editor, 1);
    editor.exec();
}
