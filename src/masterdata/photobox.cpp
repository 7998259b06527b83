#include "photobox.h"

#include <QMouseEvent>
#include <QPixmap>

PhotoBox::PhotoBox(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setMinimumSize(102, 100);
}

void PhotoBox::setPicture(const QImage &image)
{
    m_image = image;
    refresh();
}

void PhotoBox::refresh()
{
    if (m_image.isNull()) {
        clear();
        return;
    }
    const QSize room = contentsRect().size();
    QImage shown = m_image;
    if (m_image.width() > room.width() || m_image.height() > room.height())
        shown = m_image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    setPixmap(QPixmap::fromImage(shown));
}

void PhotoBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

void PhotoBox::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    refresh();
}
