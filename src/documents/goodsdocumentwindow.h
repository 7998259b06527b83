#pragma once

#include "documentwindowbase.h"
#include "goodslineentry.h"

#include "masterdata/goodslinetarget.h"

#include <QStringList>

class QAbstractButton;
class QDoubleSpinBox;
class QMenu;
class QWidget;
class ReportService;

// The part shared by the three goods-line documents (order, receipt, return) on top of the
// document lifecycle: the goods line grid with its saved layout, formats, custom-field columns
// and red lines of negative quantity; goods line entry by code, goods dialog and barcode; the
// barcode panel and the bottom panel with maker, auditor and the two dates; printing and
// designing the document through its three templates with the price permission.
//
// A concrete window adds its header and tells the texts of its kind:
//
//   TFrmSomeLines() : GoodsDocumentWindow(DocKind::Receipt, receiptRules(), printTexts()) { ... }
//   QString supplierText() const override { return cbeClient->text().trimmed(); }
class GoodsDocumentWindow : public DocumentWindowBase, public GoodsLineTarget
{
    Q_OBJECT
public:
    // The print variants and their menu captions.
    struct PrintTexts {
        QString templateName;   // "frCaigouInDept": variant n appends n ("", "1", "2")
        QString documentName;   // "采购入库单"
    };
    enum PrintVariant { Standard = 0, A4 = 1, WithoutPrices = 2 };

    ~GoodsDocumentWindow() override;

    GoodsLineEntry *lineEntry() const { return m_entry; }

    // The template of a print variant, and the variant 打印 and 设置 run for this operator.
    QString templateName(int variant) const;
    int defaultVariant() const;
    // Installs the window's value handler and binds frxDM (the day's list, its cursor on the
    // shown document) and frxDD (the shown document's lines) on the report; returns the
    // template of the variant. Empty when there is nothing to print.
    QString preparePrint(ReportService &report, int variant);
    void printVariant(int variant);
    void designVariant(int variant);

    // Opens the goods selection dialog to add goods lines (new and edit mode).
    void openGoodsDialog();
    // Enter in the barcode box.
    void barcodeEntered();

    // GoodsLineTarget
    int documentKind() const override;
    QString currentCode() const override { return DocumentWindowBase::currentCode(); }
    bool defaultUnitPrice(const QString &goodsCode, double *price) const override;
    void appendGoodsLine(const QVariantMap &values) override;

protected:
    GoodsDocumentWindow(DocKind kind, const GoodsLineEntry::Rules &rules, const PrintTexts &texts,
                        QWidget *parent = nullptr);

    // The designed goods line columns of the receipt and return (the order drops F_JHcode).
    static QList<GridColumn> goodsLineColumns(bool withOrderCode);

    // Bottom panel values from the day's list; `entryDateToday`: an empty entry date shows
    // today (receipt and order) rather than nothing (return).
    void showBottom(const GridDataModel &list, int row, bool entryDateToday);
    // Cleared for a new document (maker = operator unless `blankMaker`) or an empty day.
    void clearBottom(bool forNew, bool blankMaker, bool entryDateToday);
    QLineEdit *makerBox() const { return m_maker; }
    QLineEdit *auditerBox() const { return m_auditer; }
    QLineEdit *entryDateBox() const { return m_entryDate; }
    QLineEdit *auditDateBox() const { return m_auditDate; }
    QWidget *barcodePanel() const { return m_barcodePanel; }
    // An action of the grid's pop-up menu (before the layout entries).
    void addPopupAction(QAction *action);
    void addPopupSeparator();

    void gridEnter() override;
    QString lineKeyField() const override { return QStringLiteral("F_GoodCode"); }
    QString emptyCode() const override;
    void windowShown() override;
    void modeChanged() override;
    bool windowKey(QWidget *target, QKeyEvent *event) override;
    void printDocument() override { printVariant(defaultVariant()); }
    void designDocument() override { designVariant(defaultVariant()); }

private:
    void buildPanels();
    void setupPrintMenus();
    void barcodeToggled(bool down);
    void gridButtonClicked(const QString &field, int row);

    PrintTexts m_texts;
    GoodsLineEntry *m_entry;
    QWidget *m_barcodePanel;
    QLineEdit *m_barcode;
    QDoubleSpinBox *m_quantity;
    QAbstractButton *m_barcodeToggle;
    QLineEdit *m_maker;
    QLineEdit *m_auditer;
    QLineEdit *m_entryDate;
    QLineEdit *m_auditDate;
    QMenu *m_printMenu;
    QMenu *m_designMenu;
    QList<QAction *> m_printActions;
    QList<QAction *> m_designActions;
    QAction *m_firstLayoutAction = nullptr;
};
