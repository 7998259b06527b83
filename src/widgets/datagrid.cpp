#include "datagrid.h"

#include "griddatamodel.h"
#include "gridfooterbar.h"
#include "gridheaderview.h"
#include "griditemdelegate.h"
#include "gridservices.h"
#include "platform/showmess.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>

DataGrid::DataGrid(QWidget *parent)
    : QTableView(parent), m_view(new GridViewModel(this)), m_header(new GridHeaderView(this)),
      m_footer(nullptr), m_delegate(new GridItemDelegate(this)), m_popup(new QMenu(this))
{
    setHorizontalHeader(m_header);
    setModel(m_view);
    setItemDelegate(m_delegate);
    m_footer = new GridFooterBar(this, m_view, this);
    m_footer->hide();

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setReadOnly(true);

    connect(m_header, &QHeaderView::sectionResized, this, &DataGrid::onSectionResized);
    connect(m_header, &QHeaderView::sectionMoved, this, &DataGrid::onSectionMoved);
    connect(m_header, &QHeaderView::sectionClicked, this, &DataGrid::titleClick);
    connect(m_view, &QAbstractItemModel::modelReset, this, &DataGrid::syncHeader);
    connect(m_view, &GridViewModel::valuesChanged, m_footer, qOverload<>(&QWidget::update));
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_footer, qOverload<>(&QWidget::update));
}

DataGrid::~DataGrid() = default;

void DataGrid::setSourceModel(GridDataModel *model)
{
    m_view->setSource(model);
    if (model && m_view->columns().isEmpty())
        createColumnsFromSource();
    disconnect(m_sourceReset);
    if (model)
        m_sourceReset = connect(model, &QAbstractItemModel::modelReset, this, [this] {
            if (m_view->columns().isEmpty()) {
                createColumnsFromSource();
                return;
            }
            // A new result comes in the query's order: no column is sorted any more.
            for (int i = 0; i < gridColumnCount(); ++i)
                if (m_view->columns().at(i).sortMarker != GridColumn::SortMarker::None) {
                    GridColumn c = m_view->columns().at(i);
                    c.sortMarker = GridColumn::SortMarker::None;
                    m_view->updateColumn(i, c);
                }
            m_header->viewport()->update();
        });
    syncHeader();
}

GridDataModel *DataGrid::sourceModel() const
{
    return m_view->source();
}

bool DataGrid::isOpen() const
{
    return m_view->source() && m_view->source()->isOpen();
}

void DataGrid::createColumnsFromSource()
{
    GridDataModel *src = m_view->source();
    if (!src || src->fieldNames().isEmpty())
        return;
    QList<GridColumn> cols;
    for (const QString &f : src->fieldNames())
        cols << GridColumn(f, f);
    setColumns(cols);
}

int DataGrid::findColumn(const QString &fieldName) const
{
    const QList<GridColumn> &cols = m_view->columns();
    for (int i = 0; i < cols.size(); ++i)
        if (cols.at(i).fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void DataGrid::setColumns(const QList<GridColumn> &columns)
{
    const int row = currentRow();
    m_view->setColumns(columns);
    if (row >= 0 && row < m_view->rowCount() && !columns.isEmpty())
        setCurrentRow(row);
    emit columnsChanged();
}

void DataGrid::appendColumn(const GridColumn &column)
{
    QList<GridColumn> cols = m_view->columns();
    cols << column;
    setColumns(cols);
}

void DataGrid::setGridColumn(int column, const GridColumn &settings)
{
    if (column < 0 || column >= gridColumnCount())
        return;
    const GridColumn before = m_view->columns().at(column);
    m_view->updateColumn(column, settings);
    if (before.visible != settings.visible || before.width != settings.width)
        syncHeader();
    else
        m_header->viewport()->update();
    if (before.visible != settings.visible)
        emit columnsChanged();
}

void DataGrid::editColumn(int column, const std::function<void(GridColumn &)> &change)
{
    if (column < 0 || column >= gridColumnCount())
        return;
    GridColumn c = m_view->columns().at(column);
    change(c);
    setGridColumn(column, c);
}

void DataGrid::moveGridColumn(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= gridColumnCount() || to >= gridColumnCount())
        return;
    const int row = currentRow();
    m_view->moveColumn(from, to);
    if (row >= 0)
        setCurrentRow(row);
    emit columnsChanged();
}

void DataGrid::setGridColumnVisible(int column, bool visible)
{
    editColumn(column, [visible](GridColumn &c) { c.visible = visible; });
}

void DataGrid::syncHeader()
{
    m_syncing = true;
    const QList<GridColumn> &cols = m_view->columns();
    for (int i = 0; i < cols.size() && i < m_header->count(); ++i) {
        // Keep the header's visual order equal to the column order.
        const int v = m_header->visualIndex(i);
        if (v != i)
            m_header->moveSection(v, i);
    }
    for (int i = 0; i < cols.size() && i < m_header->count(); ++i) {
        m_header->setSectionHidden(i, !cols.at(i).visible);
        if (cols.at(i).visible)
            m_header->resizeSection(i, std::max(cols.at(i).width, m_header->minimumSectionSize()));
    }
    m_syncing = false;
    m_header->viewport()->update();
    m_footer->update();
}

void DataGrid::onSectionResized(int logical, int, int newSize)
{
    if (m_syncing || newSize <= 0 || m_header->isSectionHidden(logical))
        return;
    m_view->setColumnWidth(logical, newSize);
    m_footer->update();
}

void DataGrid::onSectionMoved(int, int oldVisual, int newVisual)
{
    if (m_syncing)
        return;
    // The header only shows the move; the column list is what moves.
    m_syncing = true;
    m_header->moveSection(newVisual, oldVisual);
    m_syncing = false;
    moveGridColumn(oldVisual, newVisual);
}

void DataGrid::setFooterVisible(bool visible)
{
    m_footerVisible = visible;
    m_footer->setVisible(visible);
    updateGeometries();
}

void DataGrid::setFooterColor(const QColor &c)
{
    m_footer->setColor(c);
}

void DataGrid::setTitleColor(const QColor &c)
{
    m_header->setTitleColor(c);
}

QColor DataGrid::footerColor() const
{
    return m_footer->color();
}

QColor DataGrid::titleColor() const
{
    return m_header->titleColor();
}

void DataGrid::setRowStyleHook(GridViewModel::RowStyleHook hook)
{
    m_view->setRowStyleHook(std::move(hook));
    viewport()->update();
}

GridViewModel::RowStyleHook DataGrid::redRowsWhen(std::function<bool(const GridDataModel &, int)> test)
{
    return [test = std::move(test)](const GridDataModel &m, int row) -> GridRowStyle {
        if (!test(m, row))
            return {};
        return {QColor(Qt::red), QPalette().color(QPalette::Button)};
    };
}

GridViewModel::RowStyleHook DataGrid::redWhenFlag(const QString &field)
{
    return redRowsWhen([field](const GridDataModel &m, int row) {
        const int c = m.fieldIndex(field);
        if (c < 0)
            return false;
        bool ok = false;
        const double d = m.number(row, c, &ok);
        return ok && d != 0;
    });
}

GridViewModel::RowStyleHook DataGrid::redWhenNegative(const QString &field)
{
    return redRowsWhen([field](const GridDataModel &m, int row) {
        const int c = m.fieldIndex(field);
        if (c < 0)
            return false;
        bool ok = false;
        const double d = m.number(row, c, &ok);
        return ok && d < 0;
    });
}

void DataGrid::setReadOnly(bool readOnly)
{
    m_view->setEditable(!readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    viewport()->update();
}

void DataGrid::setRowSelect(bool rowSelect)
{
    setSelectionBehavior(rowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void DataGrid::setMultiSelect(bool multiSelect)
{
    setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

QList<int> DataGrid::selectedSourceRows() const
{
    QList<int> rows;
    if (selectionModel()) {
        QList<int> viewRows;
        for (const QItemSelectionRange &r : selectionModel()->selection())
            for (int row = r.top(); row <= r.bottom(); ++row)
                viewRows << row;
        std::sort(viewRows.begin(), viewRows.end());
        viewRows.erase(std::unique(viewRows.begin(), viewRows.end()), viewRows.end());
        for (int v : std::as_const(viewRows))
            rows << m_view->sourceRow(v);
    }
    if (rows.isEmpty() && currentSourceRow() >= 0)
        rows << currentSourceRow();
    return rows;
}

int DataGrid::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

int DataGrid::currentSourceRow() const
{
    const int r = currentRow();
    return r < 0 ? -1 : m_view->sourceRow(r);
}

void DataGrid::setCurrentRow(int row)
{
    if (row < 0 || row >= m_view->rowCount())
        return;
    int col = currentIndex().isValid() ? currentIndex().column() : -1;
    if (col < 0 || m_header->isSectionHidden(col)) {
        col = 0;
        while (col < m_view->columnCount() && m_header->isSectionHidden(col))
            ++col;
    }
    if (col >= m_view->columnCount())
        return;
    const QModelIndex i = m_view->index(row, col);
    const auto flags = selectionBehavior() == SelectRows ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                                                         : QItemSelectionModel::ClearAndSelect;
    selectionModel()->setCurrentIndex(i, flags);
    scrollTo(i);
}

void DataGrid::titleClick(int column)
{
    emit titleClicked(column);
    if (m_titleSort == TitleSort::None || column < 0 || column >= gridColumnCount())
        return;
    if (!isOpen())
        return;
    GridColumn c = m_view->columns().at(column);
    c.sortMarker = c.sortMarker == GridColumn::SortMarker::Up ? GridColumn::SortMarker::Down : GridColumn::SortMarker::Up;
    m_view->updateColumn(column, c);
    m_header->viewport()->update();
    if (!m_sortRemarks && c.fieldName.toLower().contains(QLatin1String("mem")))
        return;
    const bool up = c.sortMarker == GridColumn::SortMarker::Up;
    const bool descending = up == (m_titleSort == TitleSort::DescendingFirst);
    m_view->sortByColumn(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void DataGrid::enableLayoutMenu(const QString &layoutName)
{
    m_layoutName = layoutName;
    if (m_actDisp)
        return;
    m_actDisp = new QAction(QStringLiteral("显示字段列表"), this);
    m_actDisp->setObjectName(QStringLiteral("actDisp"));
    m_actDisp->setShortcut(QKeySequence(Qt::Key_F11));
    m_actDisp->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_actSave = new QAction(QStringLiteral("保存当前设置"), this);
    m_actSave->setObjectName(QStringLiteral("actSave"));
    m_actSave->setShortcut(QKeySequence(Qt::Key_F12));
    m_actSave->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_actDisp, &QAction::triggered, this, [this] { ChooseGridColumns(this); });
    connect(m_actSave, &QAction::triggered, this, &DataGrid::saveLayoutFromMenu);
    addAction(m_actDisp);
    addAction(m_actSave);
    m_popup->addAction(m_actDisp);
    m_popup->addAction(m_actSave);
}

void DataGrid::saveLayoutFromMenu()
{
    if (ShowMess(QStringLiteral("真的要保存当前网格设置吗？"), MessQuestion, this) == 1)
        SaveGridLayout(this, m_layoutName);
}

void DataGrid::pressEditButton(const QModelIndex &index)
{
    if (!index.isValid() || index.column() >= gridColumnCount())
        return;
    emit editButtonClicked(m_view->columns().at(index.column()).fieldName, m_view->sourceRow(index.row()));
}

void DataGrid::updateGeometries()
{
    QTableView::updateGeometries();
    const int footerHeight = m_footerVisible ? m_footer->preferredHeight() : 0;
    const QMargins m = viewportMargins();
    if (m.bottom() != footerHeight)
        setViewportMargins(m.left(), m.top(), m.right(), footerHeight);
    if (m_footerVisible) {
        const QRect vg = viewport()->geometry();
        m_footer->setGeometry(vg.left() - m.left(), vg.bottom() + 1, vg.width() + m.left(), footerHeight);
        m_footer->raise();
        m_footer->update();
    }
}

void DataGrid::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_popup->actions().isEmpty()) {
        QTableView::contextMenuEvent(event);
        return;
    }
    m_popup->exec(event->globalPos());
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && (event->modifiers() & Qt::ControlModifier)) {
        const QModelIndex i = currentIndex();
        if (i.isValid() && i.column() < gridColumnCount() && m_view->columns().at(i.column()).editButton) {
            pressEditButton(i);
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void DataGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    // Buttons shown on the current cell only move with it.
    if (previous.isValid())
        update(previous);
    if (current.isValid())
        update(current);
}
