#pragma once

#include <QStyledItemDelegate>

class DataGrid;

// Cells of a DataGrid: plain line editors for every value, and the ellipsis button of columns
// that have one (shown on every row or on the current cell only).
class GridItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit GridItemDelegate(DataGrid *grid);

    // The button's rectangle within a cell, or an empty rectangle when the cell shows none.
    QRect buttonRect(const QStyleOptionViewItem &option, const QModelIndex &index) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    bool hasButton(const QModelIndex &index) const;
    DataGrid *m_grid;
};
