#pragma once

#include "widgets/datagrid.h"

// The line grid of a document window: the data grid with the few cell moves the line entry
// needs (finishing the cell being typed, making a column of the current line current).
class DocumentLineGrid : public DataGrid
{
    Q_OBJECT
public:
    explicit DocumentLineGrid(QWidget *parent = nullptr);

    // Writes the text of the open cell editor into the line and closes the editor. False when
    // no cell was being typed.
    bool commitEdit();
    // Closes an open cell editor without keeping its text.
    void cancelEdit();
    bool isEditing() const;

    // The first shown column (-1 when none is shown).
    int firstVisibleColumn() const;
    int currentColumn() const;
    // The field of the current column (empty when there is no current cell).
    QString currentFieldName() const;
    // Moves to a column of the current line (shown columns only).
    void setCurrentColumn(int column);
    // Makes a cell current by source row and grid column.
    void setCurrentCell(int sourceRow, int column);

private:
    QWidget *openEditor() const;
};
