#include "tdlgcltxz.h"

#include "clientstatements.h"
#include "combolist.h"
#include "partnertexts.h"
#include "sidevaluelist.h"
#include "tfrmcltedit.h"

#include "data/tdmdata.h"
#include "platform/dispformpos.h"
#include "widgets/datagrid.h"
#include "widgets/gridresultmodel.h"
#include "widgets/gridviewmodel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

TDlgCltXz::TDlgCltXz(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgCltXz"));
    setWindowTitle(PartnerTexts::selectCaption(0));
    buildUi();
    resize(820, 480);
}

TDlgCltXz::~TDlgCltXz() = default;

void TDlgCltXz::buildUi()
{
    auto field = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    edtCode = field("edtCode");
    edtName = field("edtName");
    edtphone = field("edtphone");
    BitBtn3 = new QPushButton(QStringLiteral("查询"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setAutoDefault(false);
    auto *filters = new QHBoxLayout;
    const struct {
        const char *label;
        QLineEdit *edit;
    } parts[] = {{"编    号：", edtCode}, {"名    称：", edtName}, {"电    话：", edtphone}};
    for (const auto &p : parts) {
        auto *l = new QLabel(QString::fromUtf8(p.label), this);
        l->setBuddy(p.edit);
        filters->addWidget(l);
        filters->addWidget(p.edit);
    }
    filters->addWidget(BitBtn3);

    m_side = new SideValueList(this);
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
    } cols[] = {{"F_Code", "编号", 80},     {"F_Name", "名称", 180},     {"F_Address", "地址", 160},
                {"F_LinkMan", "联系人", 70}, {"F_HandPhone", "手机", 100}, {"F_Fax", "传真", 100},
                {"F_Phone", "电话", 100},   {"F_type", "类型", 80},      {"F_EmpName", "业务员", 70},
                {"F_Mem", "备注", 150}};
    QList<GridColumn> columns;
    for (const auto &c : cols) {
        GridColumn g(QLatin1String(c.field), QString::fromUtf8(c.caption), c.width);
        if (g.fieldName == QLatin1String("F_Code"))
            g.setFooterText(QStringLiteral("合  计"));
        columns << g;
    }
    m_grid->setColumns(columns);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_side);
    split->addWidget(m_grid);
    split->setStretchFactor(1, 1);
    split->setSizes({160, 640});

    // The floating choose button rides on the current row.
    btnSLT = new QPushButton(QStringLiteral("选择(F2)"), m_grid->viewport());
    btnSLT->setObjectName(QStringLiteral("btnSLT"));
    btnSLT->setAutoDefault(false);
    btnSLT->setFocusPolicy(Qt::NoFocus);
    btnSLT->hide();

    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    BitBtn4 = new QPushButton(QStringLiteral("新增单位"), this);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn4->setAutoDefault(false);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(BitBtn4);
    bottom->addStretch(1);
    bottom->addWidget(BitBtn1);
    bottom->addWidget(BitBtn2);

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(filters);
    lay->addWidget(split, 1);
    lay->addLayout(bottom);

    // Every change of a filter text narrows the list at once.
    for (QLineEdit *e : {edtCode, edtName, edtphone})
        connect(e, &QLineEdit::textChanged, this, [this] { reload(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { reload(); });
    connect(m_side, &SideValueList::valueChosen, this, [this] { reload(); });
    connect(m_side, &SideValueList::listTypeChanged, this, [this] { fillSideList(); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn4, &QPushButton::clicked, this, &TDlgCltXz::BitBtn4Click);
    connect(btnSLT, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &QDialog::accept);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TDlgCltXz::placeChooseButton);
    connect(m_grid->viewModel(), &QAbstractItemModel::modelReset, this, &TDlgCltXz::placeChooseButton);
    connect(m_grid->verticalScrollBar(), &QScrollBar::valueChanged, this, &TDlgCltXz::placeChooseButton);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this, &TDlgCltXz::placeChooseButton);
    auto *f2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(f2, &QShortcut::activated, this, [this] {
        if (btnSLT->isVisible())
            accept();
    });
}

void TDlgCltXz::placeChooseButton()
{
    const QModelIndex cur = m_grid->currentIndex();
    if (!cur.isValid() || m_grid->viewModel()->rowCount() == 0) {
        btnSLT->hide();
        return;
    }
    const QRect r = m_grid->visualRect(m_grid->viewModel()->index(cur.row(), 0));
    if (r.isEmpty() && r.top() == 0 && r.height() == 0) {
        btnSLT->hide();
        return;
    }
    const int x = m_grid->viewport()->width() * 2 / 3;
    btnSLT->setGeometry(x, r.top(), btnSLT->sizeHint().width(), r.height());
    btnSLT->show();
    btnSLT->raise();
}

void TDlgCltXz::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placeChooseButton();
}

int TDlgCltXz::rowCount() const
{
    return m_grid->viewModel()->rowCount();
}

QString TDlgCltXz::currentName() const
{
    const int row = m_grid->currentSourceRow();
    if (row < 0)
        return QString();
    return m_model->value(row, QStringLiteral("F_Name")).toString();
}

bool TDlgCltXz::reload()
{
    ClientStatements::PickFilter f;
    f.kind = m_kind;
    f.code = edtCode->text();
    f.name = edtName->text();
    f.phone = edtphone->text();
    f.sideFilter = m_side->listType() == SideValueList::Types ? ClientStatements::SideType : ClientStatements::SideEmployee;
    f.sideValue = m_side->currentValue();
    m_last = ClientStatements::pickStatement(f);
    return reopen();
}

bool TDlgCltXz::reopen()
{
    TdmData *dm = TdmData::instance();
    if (!dm || m_last.sql.isEmpty())
        return false;
    if (!m_model->load(*dm, m_last.sql, m_last.params)) {
        // A failing list leaves nothing to choose.
        m_model->close();
        return false;
    }
    if (rowCount() > 0)
        m_grid->setCurrentRow(0);
    placeChooseButton();
    return true;
}

void TDlgCltXz::fillSideList()
{
    // The types offered are the partner types the editor offers (the clttype list).
    const bool types = m_side->listType() == SideValueList::Types;
    const QStringList values = ComboList::values(types ? ClientStatements::partnerTypes() : ClientStatements::employeeNames());
    m_side->reset();
    reload();
    m_side->addValues(SideValueList::titleOf(m_side->listType()), values);
}

void TDlgCltXz::prepare(const QString &current)
{
    m_current = current;
    setWindowTitle(PartnerTexts::selectCaption(m_kind));
    fillSideList();
}

QString TDlgCltXz::result(bool accepted) const
{
    if (accepted && rowCount() > 0 && m_grid->currentSourceRow() >= 0)
        return currentName();
    return m_current;
}

QString TDlgCltXz::Select(const QString &current)
{
    prepare(current);
    const bool ok = exec() == QDialog::Accepted;
    return result(ok);
}

void TDlgCltXz::BitBtn4Click()
{
    TfrmCltEdit editor(m_kind, this);
    editor.openNewFromDialog([this](const QString &code) {
        reopen();
        // The new partner becomes the current row when the filters let it through.
        const int col = m_model->fieldIndex(QStringLiteral("F_Code"));
        for (int row = 0; col >= 0 && row < rowCount(); ++row) {
            if (m_model->value(m_grid->viewModel()->sourceRow(row), col).toString().trimmed().compare(code, Qt::CaseInsensitive) == 0) {
                m_grid->setCurrentRow(row);
                break;
            }
        }
    });
    DispFormPos(&editor, 1);
    editor.exec();
}
