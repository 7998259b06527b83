#pragma once

#include "gridcolumn.h"
#include "gridviewmodel.h"

#include <QTableView>

#include <functional>

class GridDataModel;
class GridFooterBar;
class GridHeaderView;
class GridItemDelegate;
class QMenu;

// The data grid of every list: columns bound to fields of a GridDataModel (caption, width,
// visibility, read-only, display format, alignment), one optional footer row (fixed text or
// column sum), sort markers and title-click sorting on the client, whole-row and multi-row
// selection, row colours, ellipsis edit buttons, and a pop-up menu with the layout entries.
//
// Columns are kept in their shown order: dragging a title moves the column in columns().
class DataGrid : public QTableView
{
    Q_OBJECT
public:
    // What a click on a column title does.
    enum class TitleSort {
        None,             // nothing (windows without the handler)
        DescendingFirst,  // marker "up" sorts descending, "down" ascending (report windows)
        AscendingFirst    // marker "up" sorts ascending, "down" descending (master-data lists)
    };

    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    // ---- data
    // The rows shown; the grid does not take ownership. With no columns set yet, one column per
    // field is created.
    void setSourceModel(GridDataModel *model);
    GridDataModel *sourceModel() const;
    GridViewModel *viewModel() const { return m_view; }
    // Whether the grid's result is open.
    bool isOpen() const;

    // ---- columns
    const QList<GridColumn> &columns() const { return m_view->columns(); }
    int gridColumnCount() const { return int(m_view->columns().size()); }
    GridColumn gridColumn(int column) const { return m_view->columns().value(column); }
    // Index of the column bound to a field (without regard to case), -1 when none.
    int findColumn(const QString &fieldName) const;
    void setColumns(const QList<GridColumn> &columns);
    void clearColumns() { setColumns({}); }
    void appendColumn(const GridColumn &column);
    // Changes a column's settings (caption, width, visible, format, footer, ...).
    void setGridColumn(int column, const GridColumn &settings);
    // Edits a column in place: grid->editColumn(i, [](GridColumn &c) { c.visible = false; });
    void editColumn(int column, const std::function<void(GridColumn &)> &change);
    void moveGridColumn(int from, int to);
    void setGridColumnVisible(int column, bool visible);

    // ---- footer and colours
    void setFooterVisible(bool visible);
    bool footerVisible() const { return m_footerVisible; }
    QString footerText(int column) const { return m_view->footerText(column); }
    GridFooterBar *footerBar() const { return m_footer; }
    void setFooterColor(const QColor &c);
    void setTitleColor(const QColor &c);
    QColor footerColor() const;
    QColor titleColor() const;
    void setRowStyleHook(GridViewModel::RowStyleHook hook);
    // A hook that draws rows in red on the button-face colour when the test holds.
    static GridViewModel::RowStyleHook redRowsWhen(std::function<bool(const GridDataModel &, int sourceRow)> test);
    // Red rows when the field holds a true flag (1) / a number below zero.
    static GridViewModel::RowStyleHook redWhenFlag(const QString &field);
    static GridViewModel::RowStyleHook redWhenNegative(const QString &field);

    // ---- modes
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return !m_view->isEditable(); }
    void setRowSelect(bool rowSelect);
    void setMultiSelect(bool multiSelect);
    // The selected rows (source row numbers, in view order); the current row when none is
    // selected.
    QList<int> selectedSourceRows() const;
    int currentSourceRow() const;
    // Makes a row (in view order) current, keeping the current column.
    void setCurrentRow(int row);
    int currentRow() const;

    // ---- title-click sort
    void setTitleSort(TitleSort mode) { m_titleSort = mode; }
    TitleSort titleSort() const { return m_titleSort; }
    // Whether columns whose field name contains "mem" sort too (normally only their marker
    // changes).
    void setSortRemarks(bool sort) { m_sortRemarks = sort; }
    // What a click on the title of a column does (also called by the title click itself).
    void titleClick(int column);
    // Sorts the rows by a column without touching markers.
    void sortRows(int column, Qt::SortOrder order) { m_view->sortByColumn(column, order); }

    // ---- pop-up menu and layout
    QMenu *popupMenu() const { return m_popup; }
    void setLayoutName(const QString &name) { m_layoutName = name; }
    QString layoutName() const { return m_layoutName; }
    // Adds "显示字段列表" (F11) and "保存当前设置" (F12) to the pop-up menu; the second saves
    // under the given layout name after confirmation.
    void enableLayoutMenu(const QString &layoutName);
    QAction *chooseColumnsAction() const { return m_actDisp; }
    QAction *saveLayoutAction() const { return m_actSave; }

    // Emits editButtonClicked for a cell (the ellipsis button or Ctrl+Enter).
    void pressEditButton(const QModelIndex &index);

signals:
    // The ellipsis button of a cell was pressed.
    void editButtonClicked(const QString &fieldName, int sourceRow);
    void titleClicked(int column);
    // Columns were replaced, moved, shown or hidden.
    void columnsChanged();

protected:
    void updateGeometries() override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void syncHeader();
    void onSectionResized(int logical, int oldSize, int newSize);
    void onSectionMoved(int logical, int oldVisual, int newVisual);
    void saveLayoutFromMenu();
    void createColumnsFromSource();

    GridViewModel *m_view;
    GridHeaderView *m_header;
    GridFooterBar *m_footer;
    GridItemDelegate *m_delegate;
    QMenu *m_popup;
    QAction *m_actDisp = nullptr;
    QAction *m_actSave = nullptr;
    QString m_layoutName;
    QMetaObject::Connection m_sourceReset;
    TitleSort m_titleSort = TitleSort::None;
    bool m_sortRemarks = false;
    bool m_footerVisible = false;
    bool m_syncing = false;
};
