#pragma once

#include "sqlstatement.h"

#include <QDialog>

class DataGrid;
class GoodsLineTarget;
class GridResultModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;

// "货品选择": finds goods by type, code, name and specification. Two uses:
//
//   Adding to a document being edited (receipt, return, order): every goods chosen becomes a
//   line of the document at once and drops out of the list; the dialog stays open for the
//   next one until it is closed.
//     TDlgGoodXz dlg(this);
//     dlg.Add(this);                         // this: the window as a GoodsLineTarget
//
//   Picking one goods code (query windows):
//     TDlgGoodXz dlg(this);
//     edtGoodCode->setText(dlg.PickCode(QString()));
//
// The goods added during one Add are kept in the connection's scratch table tempCode, which the
// list leaves out; another client's additions never show here.
class TDlgGoodXz : public QDialog
{
    Q_OBJECT
public:
    enum class Use { AddToDocument, PickCode };

    explicit TDlgGoodXz(QWidget *parent = nullptr);
    ~TDlgGoodXz() override;

    // Shows the dialog modally; the chosen goods are appended to the target's lines.
    void Add(GoodsLineTarget *target);
    // Shows the dialog modally; the code of the current goods on OK, otherwise `current`.
    QString PickCode(const QString &current);

    // The steps of Add and PickCode for callers that show the dialog themselves (and tests).
    void prepareAdd(GoodsLineTarget *target);
    void preparePick(const QString &current);
    QString pickResult(bool accepted) const;
    // Grid layout, formats and the type tree: done when the dialog is first shown.
    void FormShow();

    // Runs the search with the filters; only while a node of the type tree is selected.
    bool search();
    // Runs the last statement again.
    bool reopen();
    // Adding: appends the current goods to the document ("选择(F2)", double-click, F2).
    void chooseCurrent();
    // "新增商品": a new goods through the goods editor; listed and current after its save.
    void BitBtn4Click();

    Use use() const { return m_use; }
    DataGrid *grid() const { return m_grid; }
    GridResultModel *model() const { return m_model; }
    QTreeWidget *tree() const { return tvTree; }
    int rowCount() const;
    QString currentGoodsCode() const;
    // Makes the goods with this code the current row; false when it is not listed.
    bool locate(const QString &code);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildUi();
    void placeChooseButton();
    void choose();
    void okClicked();
    bool open(const SqlStatement &statement);
    void updateCount();

    Use m_use = Use::AddToDocument;
    GoodsLineTarget *m_target = nullptr;
    QString m_current;
    SqlStatement m_last;
    bool m_shown = false;

    QLineEdit *edtCode;
    QLineEdit *edtName;
    QLineEdit *edtSpec;
    QPushButton *BitBtn3;
    QToolButton *SpeedButton2;
    QTreeWidget *tvTree;
    DataGrid *m_grid;
    GridResultModel *m_model;
    QPushButton *btnSLT;
    QLabel *Label2;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
    QPushButton *BitBtn4;
};
