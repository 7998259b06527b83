#pragma once

#include <QObject>
#include <QVariantMap>

class DocumentLineGrid;
class DocumentLineModel;
class QModelIndex;

// The current line of a document's line grid, kept the way a data-set cursor keeps it: a line
// that is being typed into counts as "being edited" until it is posted (Enter, leaving it,
// saving) or abandoned (its typing undone, a line never posted removed). A line that was
// added and left untouched disappears when the cursor moves to another line.
class LineCursor : public QObject
{
    Q_OBJECT
public:
    LineCursor(DocumentLineGrid *grid, DocumentLineModel *lines, QObject *parent = nullptr);

    // Source row of the current line, -1 when there is none.
    int row() const { return m_row; }
    // The current line has changes that are not posted, or is a new line never posted.
    bool isEditing() const;
    bool isNewLine() const { return m_row >= 0 && m_new; }

    // The current line's values become its posted state.
    void post();
    // The current line's unposted changes are undone; a new line that was never posted goes.
    void abandon();

    // Appends a line (values by field name) and makes it current in the first shown column. A
    // new line left untouched goes first; another current line is posted. `posted`: the line
    // arrives finished (from a dialog or a scan) rather than to be typed into.
    int appendLine(const QVariantMap &values = {}, bool posted = false);
    // Removes the current line.
    void deleteCurrentLine();

    // After the lines were loaded again: the cursor takes the grid's current line as posted.
    void reset();

private:
    void currentRowChanged(const QModelIndex &current, const QModelIndex &previous);
    void leaveCurrent();
    void enter(int row);
    void removeLine(int row);

    DocumentLineGrid *m_grid;
    DocumentLineModel *m_lines;
    int m_row = -1;
    bool m_new = false;
    QVariantMap m_snapshot;
    bool m_moving = false;
};
