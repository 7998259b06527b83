#include "enterkey.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

bool moveFocusOnEnter(QWidget *window, QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    QWidget *focus = window->focusWidget();
    if (!focus)
        return false;
    const bool field = qobject_cast<QLineEdit *>(focus) || qobject_cast<QComboBox *>(focus)
        || qobject_cast<QAbstractSpinBox *>(focus) || qobject_cast<QComboBox *>(focus->parentWidget());
    if (!field)
        return false;
    // The next control in tab order that takes the focus.
    for (QWidget *next = focus->nextInFocusChain(); next && next != focus; next = next->nextInFocusChain()) {
        if (next->window() == window->window() && next->isEnabled() && next->isVisibleTo(window)
            && (next->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !next->focusProxy()) {
            next->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    return true;
}
