#include "listwindowbase.h"

#include "gridreportsource.h"
#include "keypreview.h"

#include "data/session.h"
#include "data/tdmdata.h"
#include "platform/showmess.h"
#include "reporting/reportservice.h"
#include "widgets/datagrid.h"
#include "widgets/gridexport.h"
#include "widgets/gridresultmodel.h"
#include "widgets/gridservices.h"
#include "widgets/gridviewmodel.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

ListWindowBase::ListWindowBase(QWidget *parent)
    : QWidget(parent), m_grid(new DataGrid(this)), m_model(new GridResultModel(this)), m_queryType(new QComboBox(this)),
      m_queryText(new QLineEdit(this)), m_search(new QToolButton(this)), m_includeDisabled(new QCheckBox(this)),
      m_filterLayout(new QHBoxLayout), m_splitter(new QSplitter(Qt::Horizontal, this)), m_statusBar(new QStatusBar(this))
{
    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_tools.resize(ToolExit + 1);
    addTool(toolBar, ToolNew, "tbNew", QStringLiteral("新增"));
    addTool(toolBar, ToolEdit, "tbEdit", QStringLiteral("修改"));
    addTool(toolBar, ToolDel, "tbDel", QStringLiteral("删除"));
    toolBar->addSeparator();
    addTool(toolBar, ToolFirst, "tbFirst", QStringLiteral("首项"));
    addTool(toolBar, ToolPrior, "tbPrior", QStringLiteral("前项"));
    addTool(toolBar, ToolNext, "tbNext", QStringLiteral("后项"));
    addTool(toolBar, ToolLast, "tbLast", QStringLiteral("末项"));
    toolBar->addSeparator();
    addTool(toolBar, ToolPrint, "tbPrint", QStringLiteral("打印"));
    addTool(toolBar, ToolSet, "tbSet", QStringLiteral("设置"));
    addTool(toolBar, ToolExport, "tbExport", QStringLiteral("导出"));
    toolBar->addSeparator();
    addTool(toolBar, ToolExit, "tbExit", QStringLiteral("退出"));

    connect(tool(ToolNew), &QToolButton::clicked, this, &ListWindowBase::tbNewClick);
    connect(tool(ToolEdit), &QToolButton::clicked, this, &ListWindowBase::tbEditClick);
    connect(tool(ToolDel), &QToolButton::clicked, this, &ListWindowBase::tbDelClick);
    connect(tool(ToolFirst), &QToolButton::clicked, this, &ListWindowBase::tbFirstClick);
    connect(tool(ToolPrior), &QToolButton::clicked, this, &ListWindowBase::tbPriorClick);
    connect(tool(ToolNext), &QToolButton::clicked, this, &ListWindowBase::tbNextClick);
    connect(tool(ToolLast), &QToolButton::clicked, this, &ListWindowBase::tbLastClick);
    connect(tool(ToolPrint), &QToolButton::clicked, this, &ListWindowBase::tbPrintClick);
    connect(tool(ToolSet), &QToolButton::clicked, this, &ListWindowBase::tbSetClick);
    connect(tool(ToolExport), &QToolButton::clicked, this, &ListWindowBase::tbExportClick);
    connect(tool(ToolExit), &QToolButton::clicked, this, &ListWindowBase::tbExitClick);

    // Filter bar: query type, query text, search button, "include disabled".
    auto *filterBar = new QWidget(this);
    filterBar->setObjectName(QStringLiteral("Panel1"));
    filterBar->setLayout(m_filterLayout);
    m_filterLayout->setContentsMargins(4, 2, 4, 2);
    auto *typeLabel = new QLabel(QStringLiteral("查询类型："), filterBar);
    m_queryType->setObjectName(QStringLiteral("ComboBox1"));
    m_queryType->setMinimumWidth(110);
    typeLabel->setBuddy(m_queryType);
    auto *textLabel = new QLabel(QStringLiteral("查询内容："), filterBar);
    m_queryText->setObjectName(QStringLiteral("Edit1"));
    m_queryText->setMinimumWidth(160);
    textLabel->setBuddy(m_queryText);
    m_search->setObjectName(QStringLiteral("SpeedButton1"));
    m_search->setText(QStringLiteral("查询"));
    m_search->setToolTip(QStringLiteral("查询"));
    m_includeDisabled->setObjectName(QStringLiteral("CheckBox2"));
    m_includeDisabled->setText(QStringLiteral("包含已停用"));
    m_filterLayout->addWidget(typeLabel);
    m_filterLayout->addWidget(m_queryType);
    m_filterLayout->addWidget(textLabel);
    m_filterLayout->addWidget(m_queryText);
    m_filterLayout->addWidget(m_search);
    m_filterLayout->addWidget(m_includeDisabled);
    m_filterLayout->addStretch(1);

    // Choosing a query type empties the text.
    connect(m_queryType, &QComboBox::currentIndexChanged, m_queryText, &QLineEdit::clear);
    connect(m_search, &QToolButton::clicked, this, [this] { reload(); });
    connect(m_includeDisabled, &QCheckBox::clicked, this, [this] { reload(); });

    // The grid: whole rows, several at once, a footer, first title click ascending.
    m_grid->setObjectName(QStringLiteral("DBGridEh1"));
    m_grid->setSourceModel(m_model);
    m_grid->setReadOnly(true);
    m_grid->setRowSelect(true);
    m_grid->setMultiSelect(true);
    m_grid->setFooterVisible(true);
    m_grid->setTitleSort(DataGrid::TitleSort::AscendingFirst);
    m_grid->setTabKeyNavigation(false);
    m_grid->enableLayoutMenu(QString());
    // The menu entry asks and saves under this window's name.
    disconnect(m_grid->saveLayoutAction(), &QAction::triggered, nullptr, nullptr);
    connect(m_grid->saveLayoutAction(), &QAction::triggered, this, &ListWindowBase::saveLayout);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] { tbEditClick(); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        updateNavigation();
        emit currentRowChanged(current.isValid() ? current.row() : -1);
    });
    connect(m_grid->viewModel(), &QAbstractItemModel::modelReset, this, [this] { updateNavigation(); });

    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_grid);

    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    const int widths[4] = {120, 120, 160, 0};
    for (int i = 0; i < 4; ++i) {
        auto *panel = new QLabel(m_statusBar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        if (widths[i] > 0)
            panel->setMinimumWidth(widths[i]);
        m_statusBar->addWidget(panel, i == 3 ? 1 : 0);
        m_panels << panel;
    }

    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(toolBar);
    lay->addWidget(filterBar);
    lay->addWidget(m_splitter, 1);
    lay->addWidget(m_statusBar);

    m_keys = new KeyPreview(this, [this](QWidget *target, QKeyEvent *e) { return handleKey(target, e); });
    resize(900, 560);
    updateNavigation();
}

ListWindowBase::~ListWindowBase() = default;

QToolButton *ListWindowBase::addTool(QToolBar *bar, Tool t, const char *name, const QString &caption)
{
    auto *b = new QToolButton(bar);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    bar->addWidget(b);
    m_tools[t] = b;
    return b;
}

QString ListWindowBase::publisherCaption()
{
    return QStringLiteral("Quenvar采购管理软件  ");
}

void ListWindowBase::setSidePanel(QWidget *side, int width)
{
    if (m_side)
        return;
    m_side = side;
    m_splitter->insertWidget(0, side);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({width, qMax(200, this->width() - width)});
}

void ListWindowBase::showEvent(QShowEvent *event)
{
    if (!m_setupDone) {
        m_setupDone = true;
        setupWindow();
    }
    QWidget::showEvent(event);
}

void ListWindowBase::setupWindow()
{
    m_grid->setColumns(designedColumns());
    LoadGridLayout(m_grid, layoutName());
    m_grid->setLayoutName(saveLayoutName());
    prepareGrid();
    const QString flag = disabledField();
    if (!flag.isEmpty())
        m_grid->setRowStyleHook(DataGrid::redWhenFlag(flag));
    statusPanel(3)->setText(publisherCaption());
    updateCount();
    updateNavigation();
}

// ---- rows

int ListWindowBase::rowCount() const
{
    return m_grid->viewModel()->rowCount();
}

int ListWindowBase::currentRow() const
{
    return m_grid->currentRow();
}

void ListWindowBase::setCurrentRow(int row)
{
    m_grid->setCurrentRow(row);
    updateNavigation();
}

QVariant ListWindowBase::rowValue(int row, const QString &field) const
{
    if (row < 0 || row >= rowCount())
        return QVariant();
    const int src = m_grid->viewModel()->sourceRow(row);
    return m_model->value(src, field);
}

bool ListWindowBase::locate(const QString &field, const QString &text)
{
    const int col = m_model->fieldIndex(field);
    if (col < 0)
        return false;
    const QString wanted = text.trimmed();
    for (int row = 0; row < rowCount(); ++row) {
        const QString v = m_model->value(m_grid->viewModel()->sourceRow(row), col).toString().trimmed();
        if (v.compare(wanted, Qt::CaseInsensitive) == 0) {
            setCurrentRow(row);
            return true;
        }
    }
    return false;
}

// ---- loading

bool ListWindowBase::reload()
{
    if (!canSearch())
        return false;
    m_last = buildStatement();
    return reopen();
}

bool ListWindowBase::reopen()
{
    if (m_last.sql.isEmpty())
        return false;
    TdmData *dm = TdmData::instance();
    if (!dm)
        return false;
    if (!m_model->load(*dm, m_last.sql, m_last.params))
        return false;
    // A fresh result starts on its first row.
    if (rowCount() > 0)
        setCurrentRow(0);
    updateCount();
    updateNavigation();
    emit listLoaded(rowCount());
    return true;
}

void ListWindowBase::updateCount()
{
    statusPanel(2)->setText(QStringLiteral("记录数：%1").arg(m_model->isOpen() ? rowCount() : 0));
}

void ListWindowBase::updateNavigation()
{
    const int n = rowCount();
    const int row = currentRow();
    const bool atFirst = n == 0 || row <= 0;
    const bool atLast = n == 0 || row >= n - 1;
    tool(ToolFirst)->setEnabled(!atFirst);
    tool(ToolPrior)->setEnabled(!atFirst);
    tool(ToolNext)->setEnabled(!atLast);
    tool(ToolLast)->setEnabled(!atLast);
    tool(ToolDel)->setEnabled(canChange());
}

// ---- toolbar

void ListWindowBase::tbNewClick()
{
    openEditor(true);
}

void ListWindowBase::tbEditClick()
{
    if (isEmpty()) {
        ShowMess(QStringLiteral("此表为空，没有记录需要修改！"), MessError, this);
        return;
    }
    openEditor(false);
}

void ListWindowBase::tbDelClick()
{
    if (isEmpty() || !canChange())
        return;
    const int row = qMax(0, currentRow());
    if (!mayDelete(row))
        return;
    if (ShowMess(deleteQuestion(row), MessQuestion, this) != 1)
        return;
    if (!deleteRow(row))
        return;
    reopen();
    if (rowCount() > 0)
        setCurrentRow(qMin(row, rowCount() - 1));
}

bool ListWindowBase::deleteRow(int row)
{
    TdmData *dm = TdmData::instance();
    return dm && dm->DeleteByID(deleteTable(), rowValue(row, QStringLiteral("F_ID")).toLongLong());
}

void ListWindowBase::tbFirstClick()
{
    if (rowCount() > 0)
        setCurrentRow(0);
}

void ListWindowBase::tbPriorClick()
{
    if (currentRow() > 0)
        setCurrentRow(currentRow() - 1);
}

void ListWindowBase::tbNextClick()
{
    if (currentRow() < rowCount() - 1)
        setCurrentRow(currentRow() + 1);
}

void ListWindowBase::tbLastClick()
{
    if (rowCount() > 0)
        setCurrentRow(rowCount() - 1);
}

void ListWindowBase::installReportHandler()
{
    ReportService &rep = ReportService::of(*TdmData::instance());
    rep.setValueHandler([](const QString &name) -> std::optional<QVariant> {
        if (name == QLatin1String("sCurKHname"))
            return Session::instance().sCorpName;
        return std::nullopt;
    });
    rep.setDialogParent(this);
}

void ListWindowBase::tbPrintClick()
{
    if (isEmpty() || !TdmData::instance())
        return;
    installReportHandler();
    ReportService::of(*TdmData::instance())
        .PrintListReport(reportTemplate(), std::make_shared<GridReportSource>(m_grid, withheldReportFields()));
}

void ListWindowBase::tbSetClick()
{
    if (!TdmData::instance())
        return;
    installReportHandler();
    ReportService::of(*TdmData::instance())
        .DesignListReport(reportTemplate(), std::make_shared<GridReportSource>(m_grid, withheldReportFields()));
}

void ListWindowBase::tbExportClick()
{
    exportGrid();
}

void ListWindowBase::exportGrid()
{
    ExportGridToFile(m_grid, exportName(), 1);
}

void ListWindowBase::tbExitClick()
{
    // The MDI frame around the window closes with it.
    if (QWidget *w = parentWidget(); w && w->inherits("QMdiSubWindow"))
        w->close();
    else
        close();
}

void ListWindowBase::saveLayout()
{
    if (ShowMess(QStringLiteral("真的要保存当前网格设置吗？"), MessQuestion, this) == 1)
        SaveGridLayout(m_grid, saveLayoutName());
}

// ---- keys

bool ListWindowBase::windowKey(QWidget *, QKeyEvent *)
{
    return false;
}

bool ListWindowBase::handleKey(QWidget *target, QKeyEvent *e)
{
    if (windowKey(target, e))
        return true;
    auto run = [](QToolButton *b) {
        if (!b->isEnabled() || !b->isVisible())
            return false;
        b->click();
        return true;
    };
    if (KeyPreview::isCtrl(e, Qt::Key_A))
        return run(tool(ToolNew));
    if (KeyPreview::isCtrl(e, Qt::Key_E))
        return run(tool(ToolEdit));
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    // Text fields keep their editing keys.
    const bool textField = qobject_cast<QLineEdit *>(target) || qobject_cast<QAbstractSpinBox *>(target)
        || KeyPreview::isMemo(target);
    switch (e->key()) {
    case Qt::Key_Escape:
        tbExitClick();
        return true;
    case Qt::Key_PageUp:
        return run(tool(ToolPrior));
    case Qt::Key_PageDown:
        return run(tool(ToolNext));
    case Qt::Key_Home:
        return !textField && run(tool(ToolFirst));
    case Qt::Key_End:
        return !textField && run(tool(ToolLast));
    case Qt::Key_Delete:
        return !textField && run(tool(ToolDel));
    default:
        break;
    }
    return KeyPreview::enterMovesFocus(target, e);
}
