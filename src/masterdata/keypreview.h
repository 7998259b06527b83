#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QKeyEvent;
class QWidget;

// Lets a window see the key presses of its controls before they do, as every window of the
// program does. The handler gets the control the key was sent to and returns true when it used
// the key (the control then never sees it).
//
//   m_keys = new KeyPreview(this, [this](QWidget *target, QKeyEvent *e) { ... });
class KeyPreview : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<bool(QWidget *target, QKeyEvent *event)>;

    KeyPreview(QWidget *window, Handler handler);
    ~KeyPreview() override;

    // Whether a control is a memo (multi-line text), where Enter keeps its own meaning.
    static bool isMemo(const QWidget *w);
    // Enter (without Ctrl, Alt or Shift): the focus moves to the next control in tab order.
    // Returns true when the key was used; a memo keeps its Enter.
    static bool enterMovesFocus(QWidget *target, QKeyEvent *event);
    // Moves the focus from a control to the next one that takes it.
    static void focusNext(QWidget *from);
    // Ctrl + a letter.
    static bool isCtrl(const QKeyEvent *event, int key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
    Handler m_handler;
};
