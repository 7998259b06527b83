#include "tfrmcodeman.h"

#include "codelisttabs.h"
#include "keypreview.h"
#include "listwindowbase.h"

#include "data/dberror.h"
#include "data/tdmdata.h"
#include "platform/showmess.h"
#include "widgets/datagrid.h"
#include "widgets/gridlinemodel.h"
#include "widgets/gridprinter.h"

#include <QAbstractItemDelegate>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kFirstTitle = QStringLiteral("员工职务");
const QString kSaveFailed = QStringLiteral("保存失败，请检测数据库连接！\n所做的修改仍保留在列表中，可以再次保存或取消。");
const QStringList kWritten{QStringLiteral("F_type"), QStringLiteral("F_name")};

QToolButton *toolButton(QToolBar *bar, const char *name, const QString &caption)
{
    auto *b = new QToolButton(bar);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(b);
    return b;
}

} // namespace

TFrmCodeMan::TFrmCodeMan(QWidget *parent)
    : QDialog(parent), PageControl1(new QTabWidget(this)), DBGridEh1(new DataGrid(this)),
      QryTable(new GridLineModel(this)), StatusBar1(new QStatusBar(this))
{
    setObjectName(QStringLiteral("FrmCodeMan"));
    setWindowTitle(QStringLiteral("选项设置"));

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    tbNew = toolButton(bar, "tbNew", QStringLiteral("新增"));
    tbEdit = toolButton(bar, "tbEdit", QStringLiteral("修改"));
    tbDel = toolButton(bar, "tbDel", QStringLiteral("删除"));
    bar->addSeparator();
    tbSave = toolButton(bar, "tbSave", QStringLiteral("保存"));
    tbCancel = toolButton(bar, "tbCancel", QStringLiteral("取消"));
    bar->addSeparator();
    tbPrint = toolButton(bar, "tbPrint", QStringLiteral("打印"));
    tbRefresh = toolButton(bar, "tbRefresh", QStringLiteral("刷新"));
    bar->addSeparator();
    tbExit = toolButton(bar, "tbExit", QStringLiteral("退出"));

    connect(tbNew, &QToolButton::clicked, this, &TFrmCodeMan::tbNewClick);
    connect(tbEdit, &QToolButton::clicked, this, &TFrmCodeMan::tbEditClick);
    connect(tbDel, &QToolButton::clicked, this, &TFrmCodeMan::tbDelClick);
    connect(tbSave, &QToolButton::clicked, this, &TFrmCodeMan::tbSaveClick);
    connect(tbCancel, &QToolButton::clicked, this, &TFrmCodeMan::tbCancelClick);
    connect(tbPrint, &QToolButton::clicked, this, &TFrmCodeMan::tbPrintClick);
    connect(tbRefresh, &QToolButton::clicked, this, &TFrmCodeMan::tbRefreshClick);
    connect(tbExit, &QToolButton::clicked, this, &TFrmCodeMan::tbExitClick);

    // One page per list; the single grid moves into the page shown.
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(true);
    PageControl1->setUsesScrollButtons(true);
    for (const CodeListTab &tab : CodeListTabs::all()) {
        auto *page = new QWidget(PageControl1);
        page->setObjectName(tab.tabName);
        auto *pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        PageControl1->addTab(page, tab.caption);
    }

    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setSourceModel(QryTable);
    GridColumn nameColumn(QStringLiteral("F_Name"), kFirstTitle, 320);
    DBGridEh1->setColumns({nameColumn});
    DBGridEh1->setReadOnly(true);
    DBGridEh1->setTabKeyNavigation(false);
    PageControl1->widget(0)->layout()->addWidget(DBGridEh1);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TFrmCodeMan::PageControl1Change);

    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(StatusBar1);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        if (i < 3)
            m_panels[i]->setMinimumWidth(60);
        StatusBar1->addWidget(m_panels[i], i == 3 ? 1 : 0);
    }

    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(bar);
    lay->addWidget(PageControl1, 1);
    lay->addWidget(StatusBar1);

    m_key = CodeListTabs::all().constFirst().key;
    m_keys = new KeyPreview(this, [this](QWidget *target, QKeyEvent *e) { return keyPressed(target, e); });
    resize(560, 460);
    setEditing(false);
}

TFrmCodeMan::~TFrmCodeMan() = default;

const CodeListTab &TFrmCodeMan::currentTab() const
{
    const QWidget *page = PageControl1->currentWidget();
    const CodeListTab *tab = page ? CodeListTabs::byTabName(page->objectName()) : nullptr;
    return tab ? *tab : CodeListTabs::all().constFirst();
}

QString TFrmCodeMan::currentKey() const
{
    return m_key;
}

QString TFrmCodeMan::columnTitle() const
{
    return DBGridEh1->gridColumnCount() > 0 ? DBGridEh1->gridColumn(0).caption : QString();
}

void TFrmCodeMan::setColumnTitle(const QString &title)
{
    DBGridEh1->editColumn(0, [&title](GridColumn &c) { c.caption = title; });
}

void TFrmCodeMan::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TFrmCodeMan::FormShow()
{
    setColumnTitle(kFirstTitle);
    m_key = CodeListTabs::all().constFirst().key;
    if (PageControl1->currentIndex() != 0) {
        const bool blocked = PageControl1->blockSignals(true);
        PageControl1->setCurrentIndex(0);
        PageControl1->currentWidget()->layout()->addWidget(DBGridEh1);
        PageControl1->blockSignals(blocked);
    }
    openList();
    m_panels[3]->setText(ListWindowBase::publisherCaption());
}

void TFrmCodeMan::PageControl1Change(int index)
{
    QWidget *page = PageControl1->widget(index);
    if (!page)
        return;
    page->layout()->addWidget(DBGridEh1);
    const CodeListTab &tab = currentTab();
    m_key = CodeListTabs::keyOfTabName(tab.tabName);
    setColumnTitle(tab.caption);
    openList();
}

bool TFrmCodeMan::openList()
{
    TdmData *dm = TdmData::instance();
    // A list that cannot be read leaves the grid empty.
    QryTable->close();
    if (!dm)
        return false;
    const SqlStatement s = CodeListTabs::listStatement(currentTab());
    return QryTable->load(*dm, s.sql, s.params);
}

void TFrmCodeMan::setEditing(bool editing)
{
    m_editing = editing;
    for (QToolButton *b : {tbNew, tbEdit, tbDel, tbExit, tbRefresh, tbPrint})
        b->setEnabled(!editing);
    tbSave->setEnabled(editing);
    tbCancel->setEnabled(editing);
    PageControl1->tabBar()->setEnabled(!editing);
    DBGridEh1->setReadOnly(!editing);
}

void TFrmCodeMan::postGridEdit()
{
    // The open cell editor is a shown child of the grid's viewport (closed ones are hidden
    // until they are deleted).
    const auto editors = DBGridEh1->viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *editor : editors) {
        if (editor->isHidden())
            continue;
        QMetaObject::invokeMethod(DBGridEh1, "commitData", Q_ARG(QWidget *, editor));
        QMetaObject::invokeMethod(DBGridEh1, "closeEditor", Q_ARG(QWidget *, editor),
                                  Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    }
}

void TFrmCodeMan::tbNewClick()
{
    if (!tbNew->isEnabled() || !QryTable->isOpen())
        return;
    setEditing(true);
    const int row = QryTable->appendRow();
    if (row >= 0) {
        DBGridEh1->setCurrentRow(DBGridEh1->viewModel()->viewRow(row));
        DBGridEh1->setFocus();
    }
}

void TFrmCodeMan::tbEditClick()
{
    if (!tbEdit->isEnabled())
        return;
    if (QryTable->rowCount() == 0) {
        ShowMess(QStringLiteral("此表为空，没有记录需要修改！"), MessError, this);
        return;
    }
    setEditing(true);
    DBGridEh1->setFocus();
}

bool TFrmCodeMan::applyBatch(const QString &failureText)
{
    TdmData *dm = TdmData::instance();
    if (!dm)
        return false;
    try {
        DbTransaction t(*dm);
        QryTable->apply(*dm, QStringLiteral("t_code"), QStringLiteral("F_ID"), kWritten);
        t.commit();
    } catch (const DbError &e) {
        qWarning("code list save: %s", qPrintable(e.message()));
        ShowMess(failureText, MessError, this);
        return false;
    }
    QryTable->acceptChanges();
    return true;
}

void TFrmCodeMan::tbSaveClick()
{
    if (!tbSave->isEnabled())
        return;
    postGridEdit();
    // Every row is filed under the current list (new rows get their key this way).
    for (int row = 0; row < QryTable->rowCount(); ++row)
        if (QryTable->value(row, QStringLiteral("F_type")).toString() != m_key)
            QryTable->setValue(row, QStringLiteral("F_type"), m_key);
    if (!applyBatch(kSaveFailed))
        return;
    setEditing(false);
}

void TFrmCodeMan::tbCancelClick()
{
    if (!tbCancel->isEnabled())
        return;
    // The open cell edit is dropped together with every held change.
    const auto editors = DBGridEh1->viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *editor : editors)
        if (!editor->isHidden())
            QMetaObject::invokeMethod(DBGridEh1, "closeEditor", Q_ARG(QWidget *, editor),
                                      Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::RevertModelCache));
    setEditing(false);
    QryTable->revert();
}

QString TFrmCodeMan::deleteQuestion(const QString &name) const
{
    return QStringLiteral("真的要删除 \"") + currentTab().caption + QStringLiteral("\"") + name + QStringLiteral("吗？");
}

void TFrmCodeMan::tbDelClick()
{
    if (!tbDel->isEnabled())
        return;
    if (QryTable->rowCount() == 0) {
        ShowMess(QStringLiteral("此表是空表，不需要删除！"), MessNotice, this);
        return;
    }
    int row = DBGridEh1->currentSourceRow();
    if (row < 0)
        row = 0;
    const QString name = QryTable->value(row, QStringLiteral("F_name")).toString();
    if (ShowMess(deleteQuestion(name), MessQuestion, this) == 2)
        return;
    QryTable->removeRows(row, 1);
    // The delete is written at once; when it fails the row stays as it is in the database.
    if (!applyBatch(TdmData::MsgDeleteFailed))
        QryTable->revert();
}

void TFrmCodeMan::deleteHeldRow()
{
    const int row = DBGridEh1->currentSourceRow();
    if (row < 0)
        return;
    postGridEdit();
    const QString name = QryTable->value(row, QStringLiteral("F_name")).toString();
    if (ShowMess(deleteQuestion(name), MessQuestion, this) == 2)
        return;
    // Held with the other changes until Save or Cancel.
    QryTable->removeRows(row, 1);
}

void TFrmCodeMan::tbRefreshClick()
{
    if (!tbRefresh->isEnabled())
        return;
    openList();
}

void TFrmCodeMan::tbPrintClick()
{
    if (!tbPrint->isEnabled())
        return;
    PrintGrid(DBGridEh1, columnTitle() + QStringLiteral("设置"), 1, QStringLiteral("date"), QString());
}

void TFrmCodeMan::tbExitClick()
{
    if (!tbExit->isEnabled())
        return;
    done(QDialog::Accepted);
}

void TFrmCodeMan::reject()
{
    // Closing is Exit: not while changes are held.
    if (m_editing)
        return;
    QDialog::reject();
}

void TFrmCodeMan::closeEvent(QCloseEvent *event)
{
    if (m_editing) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool TFrmCodeMan::appendBelowLast()
{
    postGridEdit();
    const int last = QryTable->rowCount() - 1;
    if (last >= 0 && DBGridEh1->currentSourceRow() != last)
        return false;
    if (last >= 0 && QryTable->rowState(last) == GridLineModel::RowState::Inserted
        && QryTable->value(last, QStringLiteral("F_name")).toString().isEmpty())
        return true;
    const int row = QryTable->appendRow();
    if (row >= 0)
        DBGridEh1->setCurrentRow(DBGridEh1->viewModel()->viewRow(row));
    return true;
}

bool TFrmCodeMan::keyPressed(QWidget *target, QKeyEvent *e)
{
    auto run = [](QToolButton *b, void (TFrmCodeMan::*slot)(), TFrmCodeMan *self) {
        if (b->isEnabled())
            (self->*slot)();
        return true;
    };
    if (KeyPreview::isCtrl(e, Qt::Key_A))
        return run(tbNew, &TFrmCodeMan::tbNewClick, this);
    if (KeyPreview::isCtrl(e, Qt::Key_E))
        return run(tbEdit, &TFrmCodeMan::tbEditClick, this);
    if (KeyPreview::isCtrl(e, Qt::Key_S))
        return run(tbSave, &TFrmCodeMan::tbSaveClick, this);
    const bool inGrid = target == DBGridEh1 || DBGridEh1->isAncestorOf(target);
    if (KeyPreview::isCtrl(e, Qt::Key_Delete) && m_editing && inGrid) {
        deleteHeldRow();
        return true;
    }
    if (e->modifiers() == Qt::NoModifier || e->modifiers() == Qt::KeypadModifier) {
        switch (e->key()) {
        case Qt::Key_Escape:
            if (tbCancel->isEnabled())
                tbCancelClick();
            else
                tbExitClick();
            return true;
        case Qt::Key_Delete:
            if (!tbDel->isEnabled())
                return false;
            tbDelClick();
            return true;
        case Qt::Key_Down:
            return m_editing && inGrid && appendBelowLast();
        default:
            break;
        }
    }
    return KeyPreview::enterMovesFocus(target, e);
}
