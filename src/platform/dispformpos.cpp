#include "dispformpos.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void DispFormPos(QWidget *form, int mode)
{
    if (!form)
        return;
    QScreen *screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (mode == 2) {
        form->setGeometry(work);
        return;
    }
    form->adjustSize();
    QRect frame = form->frameGeometry();
    const QWidget *owner = form->parentWidget() ? form->parentWidget()->window() : nullptr;
    const QRect area = (owner && owner->isVisible()) ? owner->frameGeometry() : work;
    frame.moveCenter(area.center());
    // Keep the whole dialog on the work area.
    if (frame.right() > work.right())
        frame.moveRight(work.right());
    if (frame.bottom() > work.bottom())
        frame.moveBottom(work.bottom());
    if (frame.left() < work.left())
        frame.moveLeft(work.left());
    if (frame.top() < work.top())
        frame.moveTop(work.top());
    form->move(frame.topLeft());
}
