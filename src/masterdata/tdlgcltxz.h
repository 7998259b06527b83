#pragma once

#include "sqlstatement.h"

#include <QDialog>

class DataGrid;
class GridResultModel;
class QLineEdit;
class QPushButton;
class SideValueList;

// The partner selection dialog: active partners of a kind with live filters; returns the
// chosen partner's name. Every caller does
//
//   TDlgCltXz dlg(this);
//   dlg.setKind(0);
//   edtClient->setText(dlg.Select(edtClient->text()));
class TDlgCltXz : public QDialog
{
    Q_OBJECT
public:
    explicit TDlgCltXz(QWidget *parent = nullptr);
    ~TDlgCltXz() override;

    void setKind(int kind) { m_kind = kind; }
    int kind() const { return m_kind; }

    // Shows the dialog modally; the chosen partner's F_Name on OK, otherwise `current`.
    QString Select(const QString &current);

    // The steps of Select for callers that show the dialog themselves (and for tests):
    // prepare() sets the caption, fills the side list and loads the list; result() gives the
    // name for a dialog closed with `accepted`.
    void prepare(const QString &current);
    QString result(bool accepted) const;

    // Loads the list with the current filters; reopen() runs the last statement again.
    bool reload();
    bool reopen();
    void fillSideList();
    // "新增单位": a new partner through the editor; the list is reopened after a save.
    void BitBtn4Click();

    DataGrid *grid() const { return m_grid; }
    int rowCount() const;
    QString currentName() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildUi();
    void placeChooseButton();

    int m_kind = 0;
    QString m_current;
    SqlStatement m_last;
    QLineEdit *edtCode;
    QLineEdit *edtName;
    QLineEdit *edtphone;
    QPushButton *BitBtn3;
    SideValueList *m_side;
    DataGrid *m_grid;
    GridResultModel *m_model;
    QPushButton *btnSLT;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
    QPushButton *BitBtn4;
};
