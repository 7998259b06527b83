#include "documentwindowbase.h"

#include "documentlinegrid.h"
#include "documentlinemodel.h"
#include "linecursor.h"

#include "data/dberror.h"
#include "data/depotfilter.h"
#include "data/session.h"
#include "data/tdmdata.h"
#include "masterdata/keypreview.h"
#include "platform/showmess.h"
#include "widgets/gridresultmodel.h"
#include "widgets/gridservices.h"

#include <QAction>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kSaveFailed = QStringLiteral("保存失败，请检测数据库连接！");

TdmData &dataModule()
{
    TdmData *dm = TdmData::instance();
    Q_ASSERT_X(dm, "DocumentWindowBase", "the data module must exist before a document window");
    return *dm;
}
} // namespace

DocumentWindowBase::DocumentWindowBase(DocKind kind, QWidget *parent)
    : QWidget(parent), m_dm(dataModule()), m_store(m_dm, kind), m_list(new GridResultModel(this)),
      m_lines(new DocumentLineModel(this)), m_grid(new DocumentLineGrid(this)), m_cursor(nullptr), m_keys(nullptr)
{
    setWindowTitle(QString::fromUtf8(kindInfo().windowCaption));
    m_currentCode = emptyCode();
    m_grid->setObjectName(QStringLiteral("DBGridEh1"));
    m_grid->setSourceModel(m_lines);
    m_grid->setFooterVisible(true);
    m_cursor = new LineCursor(m_grid, m_lines, this);
    buildUi();
    m_keys = new KeyPreview(this, [this](QWidget *target, QKeyEvent *e) { return handleKey(target, e); });
    m_editFlag = false;
    setMode(Mode::Browse);
}

DocumentWindowBase::~DocumentWindowBase() = default;

QToolButton *DocumentWindowBase::makeTool(QToolBar *bar, Tool t, const char *name, const QString &caption)
{
    auto *b = new QToolButton(bar);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    m_toolActions[int(t)] = bar->addWidget(b);
    m_tools[int(t)] = b;
    return b;
}

void DocumentWindowBase::buildUi()
{
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_tools.resize(int(Tool::Exit) + 1);
    m_toolActions.resize(int(Tool::Exit) + 1);
    makeTool(bar, Tool::New, "tbNew", QStringLiteral("新增"));
    makeTool(bar, Tool::Edit, "tbEdit", QStringLiteral("修改"));
    makeTool(bar, Tool::Del, "tbDel", QStringLiteral("删除"));
    bar->addSeparator();
    makeTool(bar, Tool::First, "tbFirst", QStringLiteral("首项"));
    makeTool(bar, Tool::Prior, "tbPrior", QStringLiteral("前项"));
    makeTool(bar, Tool::Next, "tbNext", QStringLiteral("后项"));
    makeTool(bar, Tool::Last, "tbLast", QStringLiteral("末项"));
    bar->addSeparator();
    makeTool(bar, Tool::Save, "tbSave", QStringLiteral("保存"));
    makeTool(bar, Tool::Cancel, "tbCancel", QStringLiteral("取消"));
    bar->addSeparator();
    makeTool(bar, Tool::Check, "tbCheck", QStringLiteral("审核"));
    makeTool(bar, Tool::Fcheck, "tbFcheck", QStringLiteral("反审"));
    makeTool(bar, Tool::Print, "tbPrint", QStringLiteral("打印"));
    makeTool(bar, Tool::Set, "tbSet", QStringLiteral("设置"));
    bar->addSeparator();
    makeTool(bar, Tool::Exit, "tbExit", QStringLiteral("退出"));

    const std::pair<Tool, void (DocumentWindowBase::*)()> handlers[] = {
        {Tool::New, &DocumentWindowBase::tbNewClick},     {Tool::Edit, &DocumentWindowBase::tbEditClick},
        {Tool::Del, &DocumentWindowBase::tbDelClick},     {Tool::First, &DocumentWindowBase::tbFirstClick},
        {Tool::Prior, &DocumentWindowBase::tbPriorClick}, {Tool::Next, &DocumentWindowBase::tbNextClick},
        {Tool::Last, &DocumentWindowBase::tbLastClick},   {Tool::Save, &DocumentWindowBase::tbSaveClick},
        {Tool::Cancel, &DocumentWindowBase::tbCancelClick}, {Tool::Check, &DocumentWindowBase::tbCheckClick},
        {Tool::Fcheck, &DocumentWindowBase::tbFcheckClick}, {Tool::Print, &DocumentWindowBase::tbPrintClick},
        {Tool::Set, &DocumentWindowBase::tbSetClick},     {Tool::Exit, &DocumentWindowBase::tbExitClick},
    };
    for (const auto &[t, slot] : handlers)
        connect(tool(t), &QToolButton::clicked, this, slot);

    // Title line: the form's title, the browse date and the audit status.
    m_title = new QLabel(QString::fromUtf8(kindInfo().title), this);
    m_title->setObjectName(QStringLiteral("Label1"));
    QFont f = m_title->font();
    f.setPointSizeF(f.pointSizeF() * 1.6);
    f.setBold(true);
    m_title->setFont(f);
    m_browseDate = new QDateEdit(QDate::currentDate(), this);
    m_browseDate->setObjectName(QStringLiteral("dtpXzDate"));
    m_browseDate->setCalendarPopup(true);
    m_browseDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    auto *dateLabel = new QLabel(QStringLiteral("日期："), this);
    dateLabel->setBuddy(m_browseDate);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Label22"));
    QFont sf = m_status->font();
    sf.setBold(true);
    m_status->setFont(sf);
    setStatus(false);
    auto *titleLine = new QHBoxLayout;
    titleLine->setContentsMargins(8, 4, 8, 4);
    titleLine->addWidget(dateLabel);
    titleLine->addWidget(m_browseDate);
    titleLine->addStretch(1);
    titleLine->addWidget(m_title);
    titleLine->addStretch(1);
    titleLine->addWidget(m_status);
    connect(m_browseDate, &QDateEdit::dateChanged, this, &DocumentWindowBase::browseDateChanged);

    m_header = new QGroupBox(this);
    m_header->setObjectName(QStringLiteral("GroupBox1"));
    m_code = new QLineEdit(m_header);
    m_code->setObjectName(QStringLiteral("edtCode"));
    m_code->setReadOnly(true);

    // Line buttons under the header.
    m_actAdd = new QAction(QStringLiteral("增行"), this);
    m_actAdd->setObjectName(QStringLiteral("actAdd"));
    m_actAdd->setShortcut(QKeySequence(Qt::Key_F9));
    m_actDel = new QAction(QStringLiteral("删行"), this);
    m_actDel->setObjectName(QStringLiteral("actDel"));
    m_actDel->setShortcut(QKeySequence(Qt::Key_F10));
    connect(m_actAdd, &QAction::triggered, this, &DocumentWindowBase::actAddExecute);
    connect(m_actDel, &QAction::triggered, this, &DocumentWindowBase::actDelExecute);
    m_lineButtons = new QHBoxLayout;
    m_lineButtons->setContentsMargins(4, 2, 4, 2);
    addEditModeAction(m_actAdd);
    addEditModeAction(m_actDel);
    addLineButton(m_actAdd);
    addLineButton(m_actDel);
    m_lineButtons->addStretch(1);

    m_aboveGrid = new QVBoxLayout;
    m_aboveGrid->setContentsMargins(0, 0, 0, 0);
    m_bottom = new QWidget(this);

    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(2);
    lay->addWidget(bar);
    lay->addLayout(titleLine);
    lay->addWidget(m_header);
    lay->addLayout(m_lineButtons);
    lay->addLayout(m_aboveGrid);
    lay->addWidget(m_grid, 1);
    lay->addWidget(m_bottom);
    resize(900, 600);
}

QToolButton *DocumentWindowBase::addLineButton(QAction *action)
{
    auto *b = new QToolButton(this);
    b->setDefaultAction(action);
    b->setObjectName(QStringLiteral("btn_") + action->objectName());
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setFocusPolicy(Qt::NoFocus);
    // The buttons stay together on the left, before the closing stretch once it is there.
    const int n = m_lineButtons->count();
    if (n > 0 && m_lineButtons->itemAt(n - 1)->spacerItem())
        m_lineButtons->insertWidget(n - 1, b);
    else
        m_lineButtons->addWidget(b);
    return b;
}

void DocumentWindowBase::addEditModeAction(QAction *action)
{
    if (!m_editActions.contains(action))
        m_editActions << action;
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QWidget::addAction(action);
    action->setEnabled(m_mode != Mode::Browse);
}

void DocumentWindowBase::addAuditedAction(QAction *action)
{
    if (!m_auditedActions.contains(action))
        m_auditedActions << action;
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QWidget::addAction(action);
    updateAuditedActions();
}

void DocumentWindowBase::setStatus(bool audited)
{
    m_status->setText(audited ? QStringLiteral("已审核") : QStringLiteral("未审核"));
    m_status->setStyleSheet(audited ? QStringLiteral("color: red;") : QStringLiteral("color: black;"));
}

double DocumentWindowBase::lineSum(const QString &field) const
{
    return m_lines->sum(field);
}

bool DocumentWindowBase::listEmpty() const
{
    return m_list->rowCount() == 0;
}

QVariant DocumentWindowBase::shownValue(const QString &field) const
{
    if (m_row < 0 || m_row >= m_list->rowCount())
        return QVariant();
    return m_list->value(m_row, field);
}

qint64 DocumentWindowBase::shownId() const
{
    return shownValue(QStringLiteral("F_ID")).toLongLong();
}

QString DocumentWindowBase::shownCode() const
{
    return shownValue(QStringLiteral("F_Code")).toString();
}

QDate DocumentWindowBase::browseDate() const
{
    return m_browseDate->date();
}

void DocumentWindowBase::setBrowseDate(const QDate &day)
{
    if (m_browseDate->date() == day) {
        if (m_shownOnce)
            reloadDayList();
        return;
    }
    m_browseDate->setDate(day);
}

bool DocumentWindowBase::locateDocument(const QString &code, const QDate &entryDate)
{
    if (m_mode != Mode::Browse)
        return false;
    m_codeToLocate = code;
    setBrowseDate(entryDate);
    return true;
}

void DocumentWindowBase::browseDateChanged(const QDate &)
{
    if (m_shownOnce)
        reloadDayList();
}

// ---- showing

void DocumentWindowBase::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // Only the built-in administrator may un-audit.
    m_toolActions.at(int(Tool::Fcheck))->setVisible(Session::instance().isAdmin());
    m_grid->setColumns(designedLineColumns());
    setMode(Mode::Browse);
    reloadDayList();
    windowShown();
}

bool DocumentWindowBase::reloadDayList(CursorTo to, const QVariant &key)
{
    const SqlFragment depots = DepotFilter::fromSession().docCond(QStringLiteral("F_Depot"));
    const QDate day = m_browseDate->date();
    if (!m_list->load(m_dm, m_store.dayListStatement(depots.text), m_store.dayListParams(day, depots.params))) {
        // The list stays as it was, and so does the browse date.
        if (m_listDate.isValid() && day != m_listDate) {
            const QSignalBlocker block(m_browseDate);
            m_browseDate->setDate(m_listDate);
        }
        return false;
    }
    m_listDate = day;
    const int n = m_list->rowCount();
    auto find = [&](const QString &field, const QVariant &value) {
        const int c = m_list->fieldIndex(field);
        for (int r = 0; c >= 0 && r < n; ++r) {
            const QVariant v = m_list->value(r, c);
            if (field == QLatin1String("F_ID") ? v.toLongLong() == value.toLongLong()
                                               : v.toString().compare(value.toString(), Qt::CaseInsensitive) == 0)
                return r;
        }
        return -1;
    };
    int row = n - 1;
    switch (to) {
    case CursorTo::Locate:
        if (!m_codeToLocate.isEmpty()) {
            row = find(QStringLiteral("F_Code"), m_codeToLocate);
            if (row < 0)
                row = n > 0 ? 0 : -1;
        }
        break;
    case CursorTo::First:
        row = n > 0 ? 0 : -1;
        break;
    case CursorTo::Last:
        break;
    case CursorTo::Id:
        if (const int r = find(QStringLiteral("F_ID"), key); r >= 0)
            row = r;
        break;
    case CursorTo::Code:
        row = find(QStringLiteral("F_Code"), key);
        if (row < 0)
            row = n > 0 ? 0 : -1;
        break;
    }
    m_row = row;
    setNavigation(true, true);
    showCurrent();
    return true;
}

void DocumentWindowBase::showCurrent()
{
    m_shownAudited = false;
    if (m_row < 0 || m_row >= m_list->rowCount()) {
        m_row = -1;
        m_code->clear();
        clearHeader(false);
        m_currentCode = emptyCode();
    } else {
        showHeader(*m_list, m_row);
        m_currentCode = m_code->text().trimmed();
        if (m_currentCode.isEmpty())
            m_currentCode = emptyCode();
        bool ok = false;
        m_shownAudited = shownValue(QStringLiteral("F_CheckFlag")).toInt(&ok) != 0 && ok;
    }
    setStatus(m_shownAudited);
    updateAuditedActions();
    loadLines();
    documentShown();
}

bool DocumentWindowBase::loadLines()
{
    const bool ok = m_lines->load(m_dm, m_store.linesStatement(), {{QStringLiteral("code"), m_currentCode}});
    if (!ok)
        m_lines->close();
    if (ok && m_lines->rowCount() > 0)
        m_grid->setCurrentCell(0, qMax(0, m_grid->firstVisibleColumn()));
    m_cursor->reset();
    return ok;
}

// ---- modes

void DocumentWindowBase::setMode(Mode mode)
{
    m_mode = mode;
    const bool browse = mode == Mode::Browse;
    const Session &s = Session::instance();
    tool(Tool::New)->setEnabled(browse && s.bNew);
    tool(Tool::Edit)->setEnabled(browse && s.bEdit);
    tool(Tool::Del)->setEnabled(browse && s.bDel);
    tool(Tool::Check)->setEnabled(browse && s.bCheck);
    tool(Tool::Set)->setEnabled(browse && s.bSet);
    for (Tool t : {Tool::First, Tool::Prior, Tool::Next, Tool::Last, Tool::Print, Tool::Fcheck, Tool::Exit})
        tool(t)->setEnabled(browse);
    m_browseDate->setEnabled(browse);
    tool(Tool::Save)->setEnabled(!browse);
    tool(Tool::Cancel)->setEnabled(!browse);
    m_header->setEnabled(!browse);
    m_bottom->setEnabled(!browse);
    for (QAction *a : std::as_const(m_editActions))
        a->setEnabled(!browse);
    if (browse) {
        restoreGridAfterEdit();
    } else {
        prepareGridForEdit();
        m_grid->setContextMenuPolicy(Qt::DefaultContextMenu);
    }
    updateAuditedActions();
    modeChanged();
}

void DocumentWindowBase::prepareGridForEdit()
{
    PrepareLineGridForEdit(m_grid);
}

void DocumentWindowBase::restoreGridAfterEdit()
{
    m_grid->cancelEdit();
    m_grid->setReadOnly(true);
    for (int i = 0; i < m_grid->gridColumnCount(); ++i)
        if (m_grid->gridColumn(i).editButton)
            m_grid->editColumn(i, [](GridColumn &c) {
                c.editButton = false;
                c.editButtonAlways = false;
            });
    m_grid->setContextMenuPolicy(Qt::NoContextMenu);
}

void DocumentWindowBase::updateAuditedActions()
{
    const bool on = m_mode == Mode::Browse && m_shownAudited;
    for (QAction *a : std::as_const(m_auditedActions))
        a->setEnabled(on);
}

// ---- new, edit, save, cancel

void DocumentWindowBase::tbNewClick()
{
    if (m_mode != Mode::Browse || !tool(Tool::New)->isEnabled())
        return;
    QString code;
    try {
        code = m_store.nextCode();
    } catch (const DbError &e) {
        qWarning("next code: %s", qPrintable(e.message()));
        // A used-up series is said as it is; a failing select with the data module's text.
        ShowMess(m_dm.lastError().isEmpty() ? e.message() : TdmData::MsgOperationFailed, MessError, this);
        return;
    }
    m_editFlag = false;
    setMode(Mode::New);
    m_code->setText(code);
    m_currentCode = code;
    m_shownAudited = false;
    clearHeader(true);
    setStatus(false);
    updateAuditedActions();
    loadLines();
    if (QWidget *f = firstHeaderField())
        f->setFocus();
    m_cursor->appendLine();
}

void DocumentWindowBase::tbEditClick()
{
    if (m_mode != Mode::Browse || !tool(Tool::Edit)->isEnabled())
        return;
    if (listEmpty()) {
        ShowMess(QStringLiteral("此表为空，没有记录需要修改！"), MessError, this);
        return;
    }
    if (m_shownAudited) {
        ShowMess(QStringLiteral("此单据已经审核，不能再修改！"), MessWarning, this);
        return;
    }
    setMode(Mode::Edit);
    showCurrent();
    m_editFlag = true;
    if (QWidget *f = firstHeaderField())
        f->setFocus();
}

void DocumentWindowBase::dropEmptyLinesAtSave()
{
    const int row = m_cursor->row();
    if (row < 0 || !m_cursor->isEditing())
        return;
    if (m_lines->value(row, lineKeyField()).toString().trimmed().isEmpty())
        m_cursor->abandon();
}

void DocumentWindowBase::tbSaveClick()
{
    if (m_mode == Mode::Browse)
        return;
    m_grid->commitEdit();
    if (!checkHeader())
        return;
    const bool editing = m_editFlag;
    const qint64 id = editing ? shownId() : 0;
    dropEmptyLinesAtSave();
    m_cursor->post();

    QStringList columns;
    for (const QString &f : m_lines->fieldNames())
        if (f.compare(QLatin1String("F_ID"), Qt::CaseInsensitive) != 0 && f.compare(QLatin1String("F_Code"), Qt::CaseInsensitive) != 0)
            columns << f;
    const QString lineTable = QLatin1String(kindInfo().lineTable);

    DocumentStore::Save s;
    s.isNew = !editing;
    s.id = id;
    s.code = m_code->text().trimmed();
    s.insertStatement = insertStatement();
    s.updateStatement = updateStatement();
    s.values = masterValues();
    s.writeLines = [this, columns, lineTable](const QString &code) {
        m_lines->apply(m_dm, lineTable, QStringLiteral("F_ID"), columns, {{QStringLiteral("F_Code"), code}});
    };
    QString stored;
    try {
        stored = m_store.save(s);
    } catch (const DbError &e) {
        qWarning("save %s: %s", qPrintable(s.code), qPrintable(e.message()));
        // An edited document that another client audited meanwhile stays as audited.
        if (editing && m_dm.QueryInt(QStringLiteral("select coalesce(F_CheckFlag,0) from %1 where F_ID = :id")
                                         .arg(QLatin1String(kindInfo().masterTable)),
                                     {{QStringLiteral("id"), id}}) != 0)
            ShowMess(QStringLiteral("此单据已经审核，不能再修改！"), MessWarning, this);
        else
            ShowMess(kSaveFailed, MessError, this);
        return;
    }
    m_lines->acceptChanges();
    m_code->setText(stored);
    m_currentCode = stored;
    m_editFlag = false;
    setMode(Mode::Browse);
    reloadDayList(editing ? CursorTo::Id : CursorTo::Last, id);
    emit documentSaved(stored);
}

void DocumentWindowBase::tbCancelClick()
{
    if (m_mode == Mode::Browse)
        return;
    m_grid->cancelEdit();
    setMode(Mode::Browse);
    m_code->clear();
    m_lines->revert();
    m_editFlag = false;
    showCurrent();
}

// ---- delete, audit, un-audit

void DocumentWindowBase::tbDelClick()
{
    if (m_mode != Mode::Browse || !tool(Tool::Del)->isEnabled() || listEmpty())
        return;
    if (m_shownAudited) {
        ShowMess(QString::fromUtf8(kindInfo().auditedDeleteText), MessWarning, this);
        return;
    }
    const QString code = shownCode();
    if (ShowMess(QString::fromUtf8(kindInfo().deleteQuestion) + code + QStringLiteral("吗？"), MessQuestion, this) == 2)
        return;
    try {
        m_store.remove(code);
    } catch (const DbError &e) {
        qWarning("delete %s: %s", qPrintable(code), qPrintable(e.message()));
        ShowMess(kSaveFailed, MessError, this);
        return;
    }
    reloadDayList(kindInfo().kind == DocKind::Order ? CursorTo::Last : CursorTo::First);
}

void DocumentWindowBase::tbCheckClick()
{
    if (m_mode != Mode::Browse || !tool(Tool::Check)->isEnabled() || listEmpty())
        return;
    if (m_shownAudited) {
        ShowMess(QStringLiteral("此单据已经审核！"), MessWarning, this);
        return;
    }
    if (ShowMess(QStringLiteral("审核记帐以后，单据不能再修改，真的要审核记帐吗？"), MessQuestion, this) == 2)
        return;
    const QString code = shownCode();
    if (m_store.audit(code, Session::instance().sOperName))
        reloadDayList(CursorTo::Code, code);
}

void DocumentWindowBase::tbFcheckClick()
{
    if (m_mode != Mode::Browse || !m_toolActions.at(int(Tool::Fcheck))->isVisible() || listEmpty() || !m_shownAudited)
        return;
    if (ShowMess(QStringLiteral("此单据已经经过审核，真的要反审核此单吗？"), MessQuestion, this) == 2)
        return;
    const QString code = shownCode();
    if (m_store.unaudit(code, Session::instance().sOperName))
        reloadDayList(CursorTo::Code, code);
}

// ---- navigation

void DocumentWindowBase::setNavigation(bool backward, bool forward)
{
    const bool browse = m_mode == Mode::Browse;
    tool(Tool::First)->setEnabled(browse && backward);
    tool(Tool::Prior)->setEnabled(browse && backward);
    tool(Tool::Next)->setEnabled(browse && forward);
    tool(Tool::Last)->setEnabled(browse && forward);
}

void DocumentWindowBase::moveTo(int row)
{
    m_row = row;
    showCurrent();
}

void DocumentWindowBase::tbFirstClick()
{
    if (m_mode != Mode::Browse || listEmpty())
        return;
    moveTo(0);
    setNavigation(false, true);
}

void DocumentWindowBase::tbLastClick()
{
    if (m_mode != Mode::Browse || listEmpty())
        return;
    moveTo(m_list->rowCount() - 1);
    setNavigation(true, false);
}

void DocumentWindowBase::tbPriorClick()
{
    if (m_mode != Mode::Browse || listEmpty())
        return;
    if (m_row <= 0) {
        tool(Tool::First)->setEnabled(false);
        tool(Tool::Prior)->setEnabled(false);
        return;
    }
    moveTo(m_row - 1);
    tool(Tool::Next)->setEnabled(true);
    tool(Tool::Last)->setEnabled(true);
}

void DocumentWindowBase::tbNextClick()
{
    if (m_mode != Mode::Browse || listEmpty())
        return;
    if (m_row >= m_list->rowCount() - 1) {
        tool(Tool::Next)->setEnabled(false);
        tool(Tool::Last)->setEnabled(false);
        return;
    }
    moveTo(m_row + 1);
    tool(Tool::First)->setEnabled(true);
    tool(Tool::Prior)->setEnabled(true);
}

// ---- print, design, exit

void DocumentWindowBase::tbPrintClick()
{
    if (m_mode == Mode::Browse && tool(Tool::Print)->isEnabled())
        printDocument();
}

void DocumentWindowBase::tbSetClick()
{
    if (m_mode == Mode::Browse && tool(Tool::Set)->isEnabled())
        designDocument();
}

void DocumentWindowBase::tbExitClick()
{
    // An MDI child closes its frame; a window of its own closes itself.
    for (QWidget *p = parentWidget(); p; p = p->parentWidget()) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(p)) {
            sub->close();
            return;
        }
    }
    close();
}

// ---- lines

void DocumentWindowBase::actAddExecute()
{
    if (m_mode == Mode::Browse)
        return;
    m_grid->commitEdit();
    m_cursor->appendLine();
    m_grid->setFocus();
}

void DocumentWindowBase::actDelExecute()
{
    if (m_mode == Mode::Browse || m_cursor->row() < 0)
        return;
    if (!confirmLineDelete())
        return;
    m_grid->cancelEdit();
    m_cursor->deleteCurrentLine();
}

// ---- keys

bool DocumentWindowBase::windowKey(QWidget *, QKeyEvent *)
{
    return false;
}

bool DocumentWindowBase::press(Tool t)
{
    QToolButton *b = tool(t);
    if (!b || !b->isEnabled() || !m_toolActions.at(int(t))->isVisible())
        return false;
    b->click();
    return true;
}

bool DocumentWindowBase::handleKey(QWidget *target, QKeyEvent *event)
{
    if (windowKey(target, event))
        return true;
    if (KeyPreview::isCtrl(event, Qt::Key_A))
        return press(Tool::New);
    if (KeyPreview::isCtrl(event, Qt::Key_E))
        return press(Tool::Edit);
    if (KeyPreview::isCtrl(event, Qt::Key_S))
        return press(Tool::Save);
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
        if (!press(Tool::Cancel))
            press(Tool::Exit);
        return true;
    }
    if (event->key() == Qt::Key_Delete && mods == Qt::NoModifier)
        return press(Tool::Del);
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
        if (target == m_grid || m_grid->isAncestorOf(target)) {
            if (m_mode != Mode::Browse)
                gridEnter();
            return true;
        }
        return KeyPreview::enterMovesFocus(target, event);
    }
    return false;
}
