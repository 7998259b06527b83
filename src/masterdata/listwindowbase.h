#pragma once

#include "sqlstatement.h"
#include "widgets/gridcolumn.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

class DataGrid;
class GridResultModel;
class KeyPreview;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QSplitter;
class QStatusBar;
class QToolBar;
class QToolButton;

// The common shape of the master-data list windows (suppliers and clients, goods, employees):
// a toolbar, a filter bar, an optional side list or tree, the list grid with its saved layout
// and pop-up menu, and a status bar.
//
// The base does what every list does alike: loading and reopening the list with bound values,
// the record count, title-click sorting (first click ascending), the navigation buttons,
// modify on an empty list refused, delete with a question and reopen, printing and designing
// through a report template, export, saving the layout, red rows for disabled entries, and the
// keys (Ctrl+A, Ctrl+E, Esc, Page Up/Down, Home, End, Delete, Enter). A concrete window
// supplies its statement, columns, layout name, editor, delete question and templates, and
// fills the filter bar and side panel it needs:
//
//   class TfrmEmpMan : public ListWindowBase {
//       Statement buildStatement() const override { ... "select * from t_employee where (1=1) " ... }
//       QList<GridColumn> designedColumns() const override { ... }
//       QString layoutName() const override { return "empman"; }
//       void openEditor(bool adding) override { TfrmEmpEdit e(this); ... e.exec(); }
//       QString deleteQuestion(int row) const override { ... rowValue(row, "F_Name") ... }
//       QString deleteTable() const override { return "t_employee"; }
//       QString reportTemplate() const override { return "frEmpMan"; }
//       QString exportName() const override { return "员工档案资料"; }
//   };
//   // in the constructor: queryType()->addItems(...); includeDisabled()->setText("包含已离职");
//   // after construction: setupWindow() is called by the first show.
//
// Rows are addressed in view order (the order the grid shows, after a title-click sort).
class ListWindowBase : public QWidget
{
    Q_OBJECT
public:
    using Statement = SqlStatement;
    enum Tool { ToolNew, ToolEdit, ToolDel, ToolFirst, ToolPrior, ToolNext, ToolLast, ToolPrint, ToolSet, ToolExport, ToolExit };

    explicit ListWindowBase(QWidget *parent = nullptr);
    ~ListWindowBase() override;

    // ---- parts of the window
    DataGrid *grid() const { return m_grid; }                 // "DBGridEh1"
    GridResultModel *model() const { return m_model; }
    QToolButton *tool(Tool t) const { return m_tools.value(t); }  // "tbNew" ... "tbExit"
    QComboBox *queryType() const { return m_queryType; }      // "ComboBox1"
    QLineEdit *queryText() const { return m_queryText; }      // "Edit1"
    QToolButton *searchButton() const { return m_search; }    // "SpeedButton1"
    QCheckBox *includeDisabled() const { return m_includeDisabled; } // "CheckBox2"
    // The filter bar's layout, for controls a window adds (after "包含已停用" unless inserted).
    QHBoxLayout *filterLayout() const { return m_filterLayout; }
    QStatusBar *statusBar() const { return m_statusBar; }     // "StatusBar1"
    QLabel *statusPanel(int index) const { return m_panels.value(index); }
    // Puts a side list or tree left of the grid.
    void setSidePanel(QWidget *side, int width);
    QWidget *sidePanel() const { return m_side; }

    // ---- rows, in view order
    int rowCount() const;
    bool isEmpty() const { return rowCount() == 0; }
    int currentRow() const;
    void setCurrentRow(int row);
    QVariant rowValue(int row, const QString &field) const;
    QVariant currentValue(const QString &field) const { return rowValue(currentRow(), field); }
    // Makes the first row whose field holds the text (trimmed, without regard to case) current.
    bool locate(const QString &field, const QString &text);

    // ---- loading
    // Builds the window's statement anew and loads it; the record count goes to panel 2.
    bool reload();
    // Runs the last statement again (after a save or a delete).
    bool reopen();
    const Statement &lastStatement() const { return m_last; }

    // ---- the toolbar commands
    void tbNewClick();
    void tbEditClick();
    void tbDelClick();
    void tbFirstClick();
    void tbPriorClick();
    void tbNextClick();
    void tbLastClick();
    void tbPrintClick();
    void tbSetClick();
    void tbExportClick();
    void tbExitClick();
    // "保存当前设置" of the grid's pop-up menu (asks first).
    void saveLayout();

    // The publisher caption of the last status panel.
    static QString publisherCaption();

signals:
    void currentRowChanged(int row);
    void listLoaded(int rows);

protected:
    // ---- what a window supplies
    virtual Statement buildStatement() const = 0;
    virtual QList<GridColumn> designedColumns() const = 0;
    virtual QString layoutName() const = 0;
    // The layout name "保存当前设置" writes (normally the same).
    virtual QString saveLayoutName() const { return layoutName(); }
    // Creates the editor, places it, runs it modally and frees it.
    virtual void openEditor(bool adding) = 0;
    virtual QString deleteQuestion(int row) const = 0;
    virtual QString deleteTable() const = 0;
    virtual QString reportTemplate() const = 0;
    virtual QString exportName() const = 0;

    // ---- hooks with a default
    // Whether the list may be loaded now (the goods list needs a selected type).
    virtual bool canSearch() const { return true; }
    // Shown once, before the first show: loads the layout and calls prepareGrid().
    virtual void setupWindow();
    // After the layout is loaded: number formats, removed columns and the like.
    virtual void prepareGrid() {}
    // Rows whose flag field is true are drawn red on the button-face colour.
    virtual QString disabledField() const { return {}; }
    // Whether the operator may change the rows of this list (new rows are still offered: the
    // editor itself refuses to save).
    virtual bool canChange() const { return true; }
    // Checked before the delete question; shows its own message when the row stays.
    virtual bool mayDelete(int row) { Q_UNUSED(row); return true; }
    // Deletes the row in the database (default DeleteByID on deleteTable()); false when it
    // failed (the message is shown).
    virtual bool deleteRow(int row);
    // Fields not handed to the report templates.
    virtual QStringList withheldReportFields() const { return {}; }
    // "导出": through ExportGridToFile with exportName() and the Excel type.
    virtual void exportGrid();
    // The window's own keys (before the common ones); true when used.
    virtual bool windowKey(QWidget *target, QKeyEvent *event);

    void showEvent(QShowEvent *event) override;
    void updateNavigation();
    void updateCount();
    bool setupDone() const { return m_setupDone; }

private:
    QToolButton *addTool(QToolBar *bar, Tool t, const char *name, const QString &caption);
    bool handleKey(QWidget *target, QKeyEvent *event);
    void installReportHandler();

    DataGrid *m_grid;
    GridResultModel *m_model;
    QList<QToolButton *> m_tools;
    QComboBox *m_queryType;
    QLineEdit *m_queryText;
    QToolButton *m_search;
    QCheckBox *m_includeDisabled;
    QHBoxLayout *m_filterLayout;
    QSplitter *m_splitter;
    QWidget *m_side = nullptr;
    QStatusBar *m_statusBar;
    QList<QLabel *> m_panels;
    KeyPreview *m_keys;
    Statement m_last;
    bool m_setupDone = false;
};
