#pragma once

#include "goodsdocumentwindow.h"

class QComboBox;
class QDateEdit;
class QPlainTextEdit;

// "采购进货管理": the purchase receipts (depotM rows with F_Flag 1, lines in depotD) entered on
// one day. Goods received from a supplier into a depot; lines by goods code, goods dialog or
// barcode, each priced from the last purchase.
class TFrmInCaiGouDeptGl : public GoodsDocumentWindow
{
    Q_OBJECT
public:
    explicit TFrmInCaiGouDeptGl(QWidget *parent = nullptr);
    ~TFrmInCaiGouDeptGl() override;

    QString supplierText() const override;
    // The supplier selection dialog of the supplier box's button.
    void cbeClientButtonClick();

    static GoodsLineEntry::Rules lineRules();

protected:
    void showHeader(const GridDataModel &list, int row) override;
    void clearHeader(bool forNew) override;
    bool checkHeader() override;
    QString insertStatement() const override;
    QString updateStatement() const override;
    SqlParams masterValues() const override;
    QWidget *firstHeaderField() const override;
    QList<GridColumn> designedLineColumns() const override;

private:
    void buildHeader();
    void fillLists();

    QDateEdit *dtpMakeDate;
    QComboBox *cbbDepot;
    QComboBox *cbbEmpName;
    QLineEdit *cbeClient;
    QLineEdit *edtOLDcode;
    QPlainTextEdit *Mem;
};
