#pragma once

#include "listwindowbase.h"

class QAction;
class QTreeWidget;
class QTreeWidgetItem;

// The goods list window "货品资料管理": goods filtered by query type, by the type chosen in the
// goods-type tree (with every type below it) and by "包含已停用"; the list stays empty until
// the first search. Operators without the price right see no price columns and print the
// price-free template.
class TFrmGoodGl : public ListWindowBase
{
    Q_OBJECT
public:
    explicit TFrmGoodGl(QWidget *parent = nullptr);

    QTreeWidget *tree() const { return tvTree; }
    // Whether this operator sees the purchase and sale prices.
    static bool showsPrices();

    // "更改当前所选商品类型": the selected goods get the type chosen in the bulk type dialog.
    void changeSelectedType();
    QAction *changeTypeAction() const { return m_changeType; }

protected:
    Statement buildStatement() const override;
    QList<GridColumn> designedColumns() const override;
    QString layoutName() const override { return QStringLiteral("goodgl"); }
    void openEditor(bool adding) override;
    QString deleteQuestion(int row) const override;
    QString deleteTable() const override { return QStringLiteral("t_goods"); }
    QString reportTemplate() const override;
    QString exportName() const override { return QStringLiteral("货品资料"); }
    void setupWindow() override;
    void prepareGrid() override;
    QString disabledField() const override { return QStringLiteral("F_Flag"); }
    bool canChange() const override;
    bool canSearch() const override;
    bool mayDelete(int row) override;
    bool deleteRow(int row) override;
    QStringList withheldReportFields() const override;
    void exportGrid() override;

private:
    QTreeWidget *tvTree;
    QAction *m_changeType;
};
