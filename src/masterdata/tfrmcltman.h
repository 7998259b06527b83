#pragma once

#include "listwindowbase.h"

class SideValueList;

// The partner list window: suppliers (kind 0, "供应商资料管理", layout "supman") or clients
// (kind 1, layout "cltman"), with the side list of employees or partner types.
class TfrmCltMan : public ListWindowBase
{
    Q_OBJECT
public:
    explicit TfrmCltMan(int kind = 0, QWidget *parent = nullptr);

    int kind() const { return m_kind; }
    SideValueList *sideList() const { return m_side; }

    // Reads the side list's values anew for its list type and reloads the grid.
    void fillSideList();

protected:
    Statement buildStatement() const override;
    QList<GridColumn> designedColumns() const override;
    QString layoutName() const override;
    void openEditor(bool adding) override;
    QString deleteQuestion(int row) const override;
    QString deleteTable() const override { return QStringLiteral("t_client"); }
    QString reportTemplate() const override;
    QString exportName() const override;
    void setupWindow() override;
    void prepareGrid() override;
    QString disabledField() const override { return QStringLiteral("F_UseFlag"); }
    bool canChange() const override;

private:
    int m_kind;
    SideValueList *m_side;
};
