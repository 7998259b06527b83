#pragma once

#include "listwindowbase.h"

class QComboBox;

// The employee list "员工资料管理": filter by code, name, sex, department, duty or remark (the
// last three by a drop-down of the values employees already have), employees who left shown
// in red with "包含已离职", the editor with the photograph, print through "frEmpMan".
class TfrmEmpMan : public ListWindowBase
{
    Q_OBJECT
public:
    explicit TfrmEmpMan(QWidget *parent = nullptr);

    QComboBox *valueList() const { return ComboBox2; }

protected:
    Statement buildStatement() const override;
    QList<GridColumn> designedColumns() const override;
    QString layoutName() const override { return QStringLiteral("empman"); }
    void openEditor(bool adding) override;
    QString deleteQuestion(int row) const override;
    QString deleteTable() const override { return QStringLiteral("t_employee"); }
    QString reportTemplate() const override { return QStringLiteral("frEmpMan"); }
    QString exportName() const override { return QStringLiteral("员工档案资料"); }
    void setupWindow() override;
    QString disabledField() const override { return QStringLiteral("F_Flag"); }
    bool canChange() const override;

private:
    // Shows the text field or the drop-down for the chosen query type and fills the drop-down.
    void queryTypeChanged(int index);

    QComboBox *ComboBox2;
};
