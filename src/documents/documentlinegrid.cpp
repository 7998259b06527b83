#include "documentlinegrid.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>

DocumentLineGrid::DocumentLineGrid(QWidget *parent) : DataGrid(parent)
{
    setTabKeyNavigation(true);
}

QWidget *DocumentLineGrid::openEditor() const
{
    if (state() != EditingState)
        return nullptr;
    // The editor has the focus of its window; otherwise it is the shown editor on the viewport.
    if (QWidget *f = window()->focusWidget(); f && viewport()->isAncestorOf(f))
        return f;
    const QList<QLineEdit *> edits = viewport()->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly);
    for (QLineEdit *e : edits)
        if (e->isVisible())
            return e;
    return nullptr;
}

bool DocumentLineGrid::isEditing() const
{
    return state() == EditingState;
}

bool DocumentLineGrid::commitEdit()
{
    QWidget *editor = openEditor();
    if (!editor)
        return false;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void DocumentLineGrid::cancelEdit()
{
    if (QWidget *editor = openEditor())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

int DocumentLineGrid::firstVisibleColumn() const
{
    for (int c = 0; c < gridColumnCount(); ++c)
        if (gridColumn(c).visible)
            return c;
    return -1;
}

int DocumentLineGrid::currentColumn() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : -1;
}

QString DocumentLineGrid::currentFieldName() const
{
    const int c = currentColumn();
    return c < 0 ? QString() : gridColumn(c).fieldName;
}

void DocumentLineGrid::setCurrentColumn(int column)
{
    const int row = currentRow();
    if (row < 0 || column < 0 || column >= gridColumnCount())
        return;
    const QModelIndex i = viewModel()->index(row, column);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
}

void DocumentLineGrid::setCurrentCell(int sourceRow, int column)
{
    const int row = viewModel()->viewRow(sourceRow);
    if (row < 0 || row >= viewModel()->rowCount() || column < 0 || column >= gridColumnCount())
        return;
    const QModelIndex i = viewModel()->index(row, column);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
}
