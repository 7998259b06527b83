#pragma once

#include "documentstore.h"

#include "widgets/gridcolumn.h"

#include <QDate>
#include <QList>
#include <QVariant>
#include <QWidget>

class DocumentLineGrid;
class DocumentLineModel;
class GridDataModel;
class GridResultModel;
class KeyPreview;
class LineCursor;
class QAction;
class QDateEdit;
class QGroupBox;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QToolBar;
class QToolButton;
class QVBoxLayout;
class TdmData;

// The lifecycle shared by the five purchase-document windows: the documents entered on one
// day (the browse date, limited to the operator's depots where the kind is), showing one,
// starting a new one with the next code of today's series, editing, saving lines and master
// row in one transaction, cancelling, deleting, auditing and un-auditing, moving in the day's
// list, the modes and what each enables, and the keys (Ctrl+A/E/S, Esc, Delete, Enter).
//
// A concrete window supplies what differs (see the pure virtual functions): its header fields
// in headerBox(), the master statements and values, the designed line columns, the line key
// field and Enter in the grid; optionally its bottom panel, line buttons, print and design.
//
//   class TFrmSomeDocument : public DocumentWindowBase {
//   public:
//       TFrmSomeDocument() : DocumentWindowBase(DocKind::Receipt) { ...build header... }
//   protected:
//       void showHeader(const GridDataModel &list, int row) override;
//       void clearHeader(bool forNew) override;
//       bool checkHeader() override;
//       QString insertStatement() const override;   // binds :Code and masterValues()
//       QString updateStatement() const override;   // binds :ID and masterValues()
//       SqlParams masterValues() const override;
//       QWidget *firstHeaderField() const override;
//       QList<GridColumn> designedLineColumns() const override;
//       QString lineKeyField() const override;
//       void gridEnter() override;
//   };
//
// Every failure of the database shows its message and leaves the window as it was; a failed
// save keeps everything the operator entered.
class DocumentWindowBase : public QWidget
{
    Q_OBJECT
public:
    enum class Mode { Browse, New, Edit };
    enum class Tool { New, Edit, Del, First, Prior, Next, Last, Save, Cancel, Check, Fcheck, Print, Set, Exit };

    ~DocumentWindowBase() override;

    const DocumentKindInfo &kindInfo() const { return m_store.info(); }
    Mode mode() const { return m_mode; }
    // True while an existing document is edited (false for a new one).
    bool editFlag() const { return m_editFlag; }
    // The code under which the lines are loaded and new lines stamped ("1" when none is shown).
    QString currentCode() const { return m_currentCode; }

    // Shows the document with this code from the day it was entered (the document queries use
    // it after opening the window). Only in browse mode; false otherwise (nothing changes).
    bool locateDocument(const QString &code, const QDate &entryDate);
    void setCodeToLocate(const QString &code) { m_codeToLocate = code; }
    QString codeToLocate() const { return m_codeToLocate; }
    QDate browseDate() const;
    // Sets the browse date; the day's list is loaded again (also for the same day).
    void setBrowseDate(const QDate &day);

    // The day's list and the document under its cursor.
    GridResultModel *dayList() const { return m_list; }
    int listRow() const { return m_row; }
    bool listEmpty() const;
    QVariant shownValue(const QString &field) const;
    bool shownAudited() const { return m_shownAudited; }

    DocumentLineModel *lines() const { return m_lines; }
    DocumentLineGrid *lineGrid() const { return m_grid; }
    LineCursor *lineCursor() const { return m_cursor; }
    QToolButton *tool(Tool t) const { return m_tools.value(int(t)); }

    // The toolbar, the line buttons and the keys run these.
    void tbNewClick();
    void tbEditClick();
    void tbDelClick();
    void tbFirstClick();
    void tbPriorClick();
    void tbNextClick();
    void tbLastClick();
    void tbSaveClick();
    void tbCancelClick();
    void tbCheckClick();
    void tbFcheckClick();
    void tbPrintClick();
    void tbSetClick();
    void tbExitClick();
    // "增行" and "删行".
    void actAddExecute();
    void actDelExecute();

signals:
    // A document was saved under this code (new or edited).
    void documentSaved(const QString &code);

protected:
    explicit DocumentWindowBase(DocKind kind, QWidget *parent = nullptr);

    // ---- what a document window supplies
    // Fills the header from a row of the day's list; the code box included.
    virtual void showHeader(const GridDataModel &list, int row) = 0;
    // Clears the header for a new document (forNew) or for a day without documents.
    virtual void clearHeader(bool forNew) = 0;
    // Checks the header before saving (message and focus on the first missing field).
    virtual bool checkHeader() = 0;
    // Master statements: the insert binds :Code, the update :ID, both the masterValues().
    virtual QString insertStatement() const = 0;
    virtual QString updateStatement() const = 0;
    virtual SqlParams masterValues() const = 0;
    // The field that takes the focus when a document is started or edited.
    virtual QWidget *firstHeaderField() const = 0;
    // The line grid's designed columns.
    virtual QList<GridColumn> designedLineColumns() const = 0;
    // The field a line stands for (goods code, settled document): the line being edited is
    // dropped at saving when it is empty.
    virtual QString lineKeyField() const = 0;
    // Enter in the line grid while the document is new or edited.
    virtual void gridEnter() = 0;

    // ---- optional hooks
    // The code used while no document is shown (the line query then returns nothing).
    virtual QString emptyCode() const { return QStringLiteral("1"); }
    // Makes the line grid editable (new and edit mode).
    virtual void prepareGridForEdit();
    // Lines abandoned at saving; by default the line being edited when its key field is empty.
    virtual void dropEmptyLinesAtSave();
    // Asked before "删行" removes the current line.
    virtual bool confirmLineDelete() { return true; }
    // Called once when the window is first shown, after the day's list was loaded: grid
    // layout, formats, print menus.
    virtual void windowShown() {}
    // After the mode's enabling was applied.
    virtual void modeChanged() {}
    // After a document (or the empty form) was shown.
    virtual void documentShown() {}
    // A key the window handles before the common ones (true when used).
    virtual bool windowKey(QWidget *target, QKeyEvent *event);
    virtual void printDocument() {}
    virtual void designDocument() {}

    // ---- building blocks
    TdmData &dm() const { return m_dm; }
    const DocumentStore &store() const { return m_store; }
    QGroupBox *headerBox() const { return m_header; }
    QLineEdit *codeBox() const { return m_code; }
    QHBoxLayout *lineButtonLayout() const { return m_lineButtons; }
    // A panel between the line buttons and the grid (the barcode panel).
    QVBoxLayout *aboveGridLayout() const { return m_aboveGrid; }
    // The panel under the grid; enabled in new and edit mode.
    QWidget *bottomPanel() const { return m_bottom; }
    QLabel *titleLabel() const { return m_title; }
    QAction *actAdd() const { return m_actAdd; }
    QAction *actDel() const { return m_actDel; }
    // Actions enabled only in new and edit mode.
    void addEditModeAction(QAction *action);
    // Actions enabled only while the shown document is audited.
    void addAuditedAction(QAction *action);
    // A line button under the header for an action.
    QToolButton *addLineButton(QAction *action);
    // Shows "已审核" in red or "未审核" in black.
    void setStatus(bool audited);
    // Sum of a line field over all lines.
    double lineSum(const QString &field) const;

    // Loads the day's list of the browse date. The cursor goes to the document to locate (or
    // the first one when the day lacks it) or, without one, to the last; then the document is
    // shown. False when the list could not be read (the window keeps what it showed).
    enum class CursorTo { Locate, First, Last, Id, Code };
    bool reloadDayList(CursorTo to = CursorTo::Locate, const QVariant &key = {});
    // Shows the document under the cursor (or the empty form).
    void showCurrent();

    void showEvent(QShowEvent *event) override;

private:
    QToolButton *makeTool(QToolBar *bar, Tool t, const char *name, const QString &caption);
    void buildUi();
    void setMode(Mode mode);
    void updateAuditedActions();
    void restoreGridAfterEdit();
    bool loadLines();
    void moveTo(int row);
    void setNavigation(bool backward, bool forward);
    bool handleKey(QWidget *target, QKeyEvent *event);
    bool press(Tool t);
    void browseDateChanged(const QDate &day);
    qint64 shownId() const;
    QString shownCode() const;

    TdmData &m_dm;
    DocumentStore m_store;
    Mode m_mode = Mode::Browse;
    bool m_editFlag = false;
    bool m_shownAudited = false;
    bool m_shownOnce = false;
    QString m_currentCode;
    QString m_codeToLocate;
    QDate m_listDate;
    int m_row = -1;

    GridResultModel *m_list;
    DocumentLineModel *m_lines;
    DocumentLineGrid *m_grid;
    LineCursor *m_cursor;
    KeyPreview *m_keys;

    QList<QToolButton *> m_tools;
    QList<QAction *> m_toolActions;
    QLabel *m_title;
    QDateEdit *m_browseDate;
    QLabel *m_status;
    QGroupBox *m_header;
    QLineEdit *m_code;
    QHBoxLayout *m_lineButtons;
    QVBoxLayout *m_aboveGrid;
    QWidget *m_bottom;
    QAction *m_actAdd;
    QAction *m_actDel;
    QList<QAction *> m_editActions;
    QList<QAction *> m_auditedActions;
};
