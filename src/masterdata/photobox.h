#pragma once

#include <QImage>
#include <QLabel>

// The photograph field of the employee editor: shows a picture scaled into its frame (aspect
// kept), signals a double-click.
class PhotoBox : public QLabel
{
    Q_OBJECT
public:
    explicit PhotoBox(QWidget *parent = nullptr);

    void setPicture(const QImage &image);
    const QImage &picture() const { return m_image; }

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();

    QImage m_image;
};
