#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Runs a routine when a field gets or loses the focus (the OnEnter and OnExit of an edit).
//
//   FieldEvents::onEnter(cbbUnit, [this] { refillUnits(); });
class FieldEvents : public QObject
{
    Q_OBJECT
public:
    static FieldEvents *onEnter(QWidget *field, std::function<void()> routine);
    static FieldEvents *onLeave(QWidget *field, std::function<void()> routine);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FieldEvents(QWidget *field, int eventType, std::function<void()> routine);

    int m_type;
    std::function<void()> m_routine;
    bool m_running = false;
};
