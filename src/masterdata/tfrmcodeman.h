#pragma once

#include <QDialog>

class DataGrid;
class GridLineModel;
class KeyPreview;
class QKeyEvent;
class QLabel;
class QStatusBar;
class QTabWidget;
class QToolButton;
struct CodeListTab;

// The options window "选项设置": one tab per code list of t_code, one grid over the list of
// the current tab. New and Edit make the grid writable and hold every change (inserted,
// changed and deleted rows) until Save writes them in one transaction or Cancel discards them.
// A failed save keeps the held rows and the editing state, so the operator can save again or
// cancel.
class TFrmCodeMan : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmCodeMan(QWidget *parent = nullptr);
    ~TFrmCodeMan() override;

    DataGrid *grid() const { return DBGridEh1; }
    GridLineModel *table() const { return QryTable; }
    QTabWidget *pageControl() const { return PageControl1; }
    bool isEditing() const { return m_editing; }
    // The list key of the current tab ("empduty", ...).
    QString currentKey() const;
    // The title of the grid's one column.
    QString columnTitle() const;

    void FormShow();
    void PageControl1Change(int index);
    void tbNewClick();
    void tbEditClick();
    void tbDelClick();
    void tbSaveClick();
    void tbCancelClick();
    void tbPrintClick();
    void tbRefreshClick();
    void tbExitClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    const CodeListTab &currentTab() const;
    void setColumnTitle(const QString &title);
    bool openList();
    void setEditing(bool editing);
    // Ends the edit of the grid's current cell, keeping the typed text.
    void postGridEdit();
    // Writes the held rows in one transaction; false (with the message shown) on failure.
    bool applyBatch(const QString &failureText);
    // While editing, moving below the last row appends a row (unless the last row is a new one
    // nothing was typed into).
    bool appendBelowLast();
    // Ctrl+Delete while editing: the current row is deleted with the held changes.
    void deleteHeldRow();
    // "真的要删除 "<tab caption>"<name>吗？"
    QString deleteQuestion(const QString &name) const;
    bool keyPressed(QWidget *target, QKeyEvent *event);

    QToolButton *tbNew;
    QToolButton *tbEdit;
    QToolButton *tbDel;
    QToolButton *tbSave;
    QToolButton *tbCancel;
    QToolButton *tbPrint;
    QToolButton *tbRefresh;
    QToolButton *tbExit;
    QTabWidget *PageControl1;
    DataGrid *DBGridEh1;
    GridLineModel *QryTable;
    QStatusBar *StatusBar1;
    QLabel *m_panels[4];
    KeyPreview *m_keys;
    QString m_key;
    bool m_editing = false;
    bool m_shown = false;
};
