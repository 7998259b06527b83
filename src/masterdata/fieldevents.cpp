#include "fieldevents.h"

#include <QEvent>
#include <QFocusEvent>
#include <QWidget>

FieldEvents::FieldEvents(QWidget *field, int eventType, std::function<void()> routine)
    : QObject(field), m_type(eventType), m_routine(std::move(routine))
{
    field->installEventFilter(this);
}

FieldEvents *FieldEvents::onEnter(QWidget *field, std::function<void()> routine)
{
    return new FieldEvents(field, QEvent::FocusIn, std::move(routine));
}

FieldEvents *FieldEvents::onLeave(QWidget *field, std::function<void()> routine)
{
    return new FieldEvents(field, QEvent::FocusOut, std::move(routine));
}

bool FieldEvents::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == m_type && !m_running) {
        // A pop-up list of the field itself is not leaving or entering it.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason) {
            m_running = true;
            m_routine();
            m_running = false;
        }
    }
    return QObject::eventFilter(watched, event);
}
