#pragma once

#include <QPointer>
#include <QWidget>

class ListWindowBase;
class QToolButton;

// The editors' navigator `DBNavigator1`: first, prior, next and last over the rows of the list
// window the editor was opened from. Each move makes the reached row the list's current row and
// signals `moved` so that the editor refills its fields.
class RecordNavigator : public QWidget
{
    Q_OBJECT
public:
    explicit RecordNavigator(QWidget *parent = nullptr);

    void setList(ListWindowBase *list);
    ListWindowBase *list() const { return m_list; }

    void first();
    void prior();
    void next();
    void last();
    // Enables the buttons for the list's current row.
    void updateButtons();

signals:
    void moved();

private:
    void moveTo(int row);

    QPointer<ListWindowBase> m_list;
    QToolButton *m_first;
    QToolButton *m_prior;
    QToolButton *m_next;
    QToolButton *m_last;
};
