#pragma once

#include "gridcolumn.h"
#include "griddatamodel.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <QVector>

#include <functional>


// Colours of one row, chosen by a DataGrid's row hook; invalid colours keep the defaults.
struct GridRowStyle {
    QColor text;
    QColor background;
};

// What a DataGrid's view shows: the grid's columns (in their order) over the source model's
// fields, the source rows in the grid's sort order, texts in each column's display format.
class GridViewModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using RowStyleHook = std::function<GridRowStyle(const GridDataModel &source, int sourceRow)>;

    explicit GridViewModel(QObject *parent = nullptr);

    void setSource(GridDataModel *source);
    GridDataModel *source() const { return m_source; }

    const QList<GridColumn> &columns() const { return m_columns; }
    // Replaces every column (resets the view).
    void setColumns(const QList<GridColumn> &columns);
    // Changes one column's settings in place (no reset).
    void updateColumn(int column, const GridColumn &settings);
    void moveColumn(int from, int to);
    // Records a width the operator gave a column (no signals: the view already shows it).
    void setColumnWidth(int column, int width);
    // Source field index of a grid column, -1 when the source lacks the field.
    int sourceColumn(int column) const;

    void setEditable(bool editable) { m_editable = editable; }
    bool isEditable() const { return m_editable; }
    void setRowStyleHook(RowStyleHook hook) { m_rowStyle = std::move(hook); }

    // Sorts the rows by a grid column's field (stable).
    void sortByColumn(int column, Qt::SortOrder order);
    // Back to the source's order.
    void clearSort();
    bool isSorted() const { return !m_order.isEmpty(); }

    int sourceRow(int row) const;
    int viewRow(int sourceRow) const;

    // The cell text as shown (display format applied).
    QString cellText(int row, int column) const;
    // Effective horizontal alignment of a column's cells.
    Qt::Alignment cellAlignment(int column) const;
    Qt::Alignment footerAlignment(int column) const;
    // The footer text of a column (fixed text or the formatted sum).
    QString footerText(int column) const;
    GridRowStyle rowStyle(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // Values changed (footers follow).
    void valuesChanged();

private:
    void remapFields();
    void onSourceRowsAboutToBeInserted(const QModelIndex &parent, int first, int last);
    void onSourceRowsInserted(const QModelIndex &parent, int first, int last);
    void onSourceRowsAboutToBeRemoved(const QModelIndex &parent, int first, int last);
    void onSourceRowsRemoved(const QModelIndex &parent, int first, int last);
    void onSourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    Qt::Alignment alignmentOf(GridColumn::Align a, int column) const;

    QPointer<GridDataModel> m_source;
    QList<GridColumn> m_columns;
    QVector<int> m_sourceColumn;
    QVector<int> m_order;            // view row -> source row; empty: unsorted
    QList<QMetaObject::Connection> m_connections;
    bool m_editable = false;
    RowStyleHook m_rowStyle;
    bool m_removingScattered = false;
};
