#include "tfrmcltman.h"

#include "clientstatements.h"
#include "combolist.h"
#include "partnertexts.h"
#include "sidevaluelist.h"
#include "tfrmcltedit.h"

#include "data/session.h"
#include "platform/dispformpos.h"
#include "widgets/datagrid.h"

#include <QComboBox>
#include <QCheckBox>
#include <QLineEdit>

TfrmCltMan::TfrmCltMan(int kind, QWidget *parent) : ListWindowBase(parent), m_kind(kind), m_side(new SideValueList(this))
{
    setObjectName(QStringLiteral("frmCltMan"));
    setWindowTitle(PartnerTexts::listCaption(kind));
    queryType()->addItems({QStringLiteral("编  号"), QStringLiteral("名  称"), QStringLiteral("联系人"),
                           QStringLiteral("地  址"), QStringLiteral("备  注")});
    queryType()->setCurrentIndex(-1);
    setSidePanel(m_side, 170);
    connect(m_side, &SideValueList::valueChosen, this, [this] { reload(); });
    connect(m_side, &SideValueList::listTypeChanged, this, [this] { fillSideList(); });
}

bool TfrmCltMan::canChange() const
{
    return Session::instance().bKHedit;
}

QString TfrmCltMan::layoutName() const
{
    return PartnerTexts::layoutName(m_kind);
}

QString TfrmCltMan::reportTemplate() const
{
    return PartnerTexts::reportName(m_kind);
}

QString TfrmCltMan::exportName() const
{
    return PartnerTexts::exportName(m_kind);
}

QString TfrmCltMan::deleteQuestion(int row) const
{
    return PartnerTexts::deleteQuestion(m_kind, rowValue(row, QStringLiteral("F_Name")).toString());
}

ListWindowBase::Statement TfrmCltMan::buildStatement() const
{
    ClientStatements::ListFilter f;
    f.kind = m_kind;
    f.queryType = queryType()->currentIndex();
    f.text = queryText()->text();
    f.includeDisabled = includeDisabled()->isChecked();
    f.sideFilter = m_side->listType() == SideValueList::Types ? ClientStatements::SideType : ClientStatements::SideEmployee;
    f.sideValue = m_side->currentValue();
    return ClientStatements::listStatement(f);
}

QList<GridColumn> TfrmCltMan::designedColumns() const
{
    const struct {
        const char *field;
        const char *caption;
        int width;
    } cols[] = {{"F_Code", "编号", 80},      {"F_Name", "名称", 180},      {"F_EmpName", "业务员", 70},
                {"F_Address", "地址", 180},  {"F_LinkMan", "联系人", 70},  {"F_HandPhone", "手机", 100},
                {"F_Fax", "传真", 100},      {"F_PostCode", "邮编", 60},   {"F_Phone", "电话", 100},
                {"F_BegPrice", "期初欠款", 90}, {"F_type", "类型", 80},    {"F_Bank", "开户银行", 120},
                {"F_Account", "银行帐号", 120}, {"F_Ratecode", "纳税号", 120}, {"F_Homepage", "公司主页", 120},
                {"F_Email", "电子邮箱", 120}, {"F_Enrol", "公司法人", 70}, {"F_Mem", "备注", 160}};
    QList<GridColumn> out;
    for (const auto &c : cols) {
        GridColumn g(QLatin1String(c.field), QString::fromUtf8(c.caption), c.width);
        if (g.fieldName == QLatin1String("F_Code"))
            g.setFooterText(QStringLiteral("合  计"));
        if (g.fieldName == QLatin1String("F_BegPrice")) {
            g.setFormat(Session::instance().sTotalFmt);
            g.setFooterSum();
        }
        out << g;
    }
    return out;
}

void TfrmCltMan::setupWindow()
{
    ListWindowBase::setupWindow();
    fillSideList();
}

void TfrmCltMan::prepareGrid()
{
    // The opening amount and its footer in the amount format.
    const int c = grid()->findColumn(QStringLiteral("F_BegPrice"));
    if (c >= 0)
        grid()->editColumn(c, [](GridColumn &g) { g.setFormat(Session::instance().sTotalFmt); });
}

void TfrmCltMan::fillSideList()
{
    const bool types = m_side->listType() == SideValueList::Types;
    const QStringList values = ComboList::values(types ? ClientStatements::partnerTypes() : ClientStatements::employeeNames());
    m_side->reset();
    reload();
    m_side->addValues(SideValueList::titleOf(m_side->listType()), values);
}

void TfrmCltMan::openEditor(bool adding)
{
    TfrmCltEdit editor(m_kind, this);
    if (adding)
        editor.openNew(this);
    else
        editor.openModify(this);
    DispFormPos(&editor, 1);
    editor.exec();
}
