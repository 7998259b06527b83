#include "keypreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

KeyPreview::KeyPreview(QWidget *window, Handler handler)
    : QObject(window), m_window(window), m_handler(std::move(handler))
{
    if (qApp)
        qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool KeyPreview::isMemo(const QWidget *w)
{
    for (const QWidget *p = w; p; p = p->parentWidget()) {
        if (qobject_cast<const QPlainTextEdit *>(p) || qobject_cast<const QTextEdit *>(p))
            return true;
        if (p->isWindow())
            break;
    }
    return false;
}

bool KeyPreview::isCtrl(const QKeyEvent *event, int key)
{
    return event->key() == key && (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) == Qt::ControlModifier;
}

void KeyPreview::focusNext(QWidget *from)
{
    if (!from)
        return;
    QWidget *window = from->window();
    for (QWidget *next = from->nextInFocusChain(); next && next != from; next = next->nextInFocusChain()) {
        if (next->window() != window || !next->isEnabled() || !next->isVisibleTo(window))
            continue;
        if ((next->focusPolicy() & Qt::TabFocus) != Qt::TabFocus)
            continue;
        // A control inside another one that takes the focus for it (the edit of a combo box).
        if (next->focusProxy() || (from->isAncestorOf(next) && from->focusPolicy() != Qt::NoFocus))
            continue;
        next->setFocus(Qt::TabFocusReason);
        return;
    }
}

bool KeyPreview::enterMovesFocus(QWidget *target, QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    if (!target || isMemo(target))
        return false;
    // The edit inside a combo box stands for the combo box.
    QWidget *from = target;
    if (from->parentWidget() && from->parentWidget()->focusProxy() == from)
        from = from->parentWidget();
    focusNext(from);
    return true;
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !m_window || !m_handler || !watched->isWidgetType())
        return false;
    auto *w = static_cast<QWidget *>(watched);
    if (w != m_window && !m_window->isAncestorOf(w))
        return false;
    // A modal dialog opened from the window has the keys to itself.
    if (QWidget *modal = QApplication::activeModalWidget(); modal && !modal->isAncestorOf(m_window) && modal != m_window->window())
        return false;
    return m_handler(w, static_cast<QKeyEvent *>(event));
}
