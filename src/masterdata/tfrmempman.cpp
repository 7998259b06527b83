#include "tfrmempman.h"

#include "combolist.h"
#include "employeestatements.h"
#include "tfrmempedit.h"

#include "data/session.h"
#include "platform/dispformpos.h"
#include "widgets/datagrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>

TfrmEmpMan::TfrmEmpMan(QWidget *parent) : ListWindowBase(parent), ComboBox2(new QComboBox(this))
{
    setObjectName(QStringLiteral("frmEmpMan"));
    setWindowTitle(QStringLiteral("员工资料管理"));
    queryType()->addItems(EmployeeStatements::queryTypes());
    queryType()->setCurrentIndex(-1);
    includeDisabled()->setText(QStringLiteral("包含已离职"));

    // The drop-down takes the place of the text field for sex, department and duty.
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    ComboBox2->setMinimumWidth(160);
    ComboBox2->setVisible(false);
    filterLayout()->insertWidget(filterLayout()->indexOf(queryText()) + 1, ComboBox2);
    connect(queryType(), &QComboBox::currentIndexChanged, this, &TfrmEmpMan::queryTypeChanged);
}

bool TfrmEmpMan::canChange() const
{
    return Session::instance().bYGedit;
}

void TfrmEmpMan::queryTypeChanged(int index)
{
    queryText()->clear();
    ComboBox2->clear();
    ComboBox2->setEditText(QString());
    const bool dropDown = EmployeeStatements::usesDropDown(index);
    queryText()->setVisible(!dropDown);
    ComboBox2->setVisible(dropDown);
    if (!dropDown)
        return;
    QStringList values;
    if (index == 2) {
        values = {QStringLiteral("男"), QStringLiteral("女")};
    } else {
        const SqlStatement s = index == 3 ? EmployeeStatements::usedDepartments() : EmployeeStatements::usedDuties();
        values = ComboList::values(s.sql, s.params);
    }
    ComboBox2->addItems(values);
    ComboBox2->setCurrentIndex(-1);
    ComboBox2->setEditText(QString());
}

ListWindowBase::Statement TfrmEmpMan::buildStatement() const
{
    EmployeeStatements::ListFilter f;
    f.queryType = queryType()->currentIndex();
    f.text = EmployeeStatements::usesDropDown(f.queryType) ? ComboBox2->currentText() : queryText()->text();
    f.includeLeft = includeDisabled()->isChecked();
    return EmployeeStatements::listStatement(f);
}

QList<GridColumn> TfrmEmpMan::designedColumns() const
{
    const struct {
        const char *field;
        const char *caption;
        int width;
    } cols[] = {{"F_Code", "编码", 80},  {"F_Name", "姓名", 90},       {"F_Sex", "性别", 50},  {"F_Dept", "部门", 100},
                {"F_Duty", "职务", 100}, {"F_Phone", "联系电话", 120}, {"F_Mem", "备注", 220}};
    QList<GridColumn> out;
    for (const auto &c : cols)
        out << GridColumn(QLatin1String(c.field), QString::fromUtf8(c.caption), c.width);
    return out;
}

void TfrmEmpMan::setupWindow()
{
    ListWindowBase::setupWindow();
    reload();
}

QString TfrmEmpMan::deleteQuestion(int row) const
{
    return QStringLiteral("真的要删除员工 \"") + rowValue(row, QStringLiteral("F_Name")).toString()
        + QStringLiteral("\" 的资料吗？");
}

void TfrmEmpMan::openEditor(bool adding)
{
    TfrmEmpEdit editor(this);
    if (adding)
        editor.openNew(this);
    else
        editor.openModify(this);
    DispFormPos(&editor, 1);
    editor.exec();
}
