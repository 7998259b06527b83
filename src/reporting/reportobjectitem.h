#pragma once

#include "reportobject.h"

#include <QGraphicsItem>
#include <QImage>

// An object of the designer: drawn as it prints (texts show their expressions), moved with the
// mouse, resized by its handles (a line by its two end points). A child of its band's item;
// positions are scene units relative to the band's top-left corner.
class ReportObjectItem : public QGraphicsItem
{
public:
    enum { Type = UserType + 1 };

    ReportObjectItem(const ReportObject &object, const QImage &image, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }
    const ReportObject &object() const { return m_object; }
    // Takes the object's look and geometry.
    void setObject(const ReportObject &object, const QImage &image);
    // The geometry the item shows now, millimetres relative to its band.
    QRectF geometryMm() const;
    bool isEdited() const;

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent *event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;

private:
    bool isLine() const { return m_object.kind == ReportObject::Kind::Line; }
    QList<QPointF> handlePoints() const;
    int handleAt(const QPointF &pos) const;
    QRectF localRect() const { return QRectF(QPointF(0, 0), m_size).normalized(); }
    static double snap(double units);

    ReportObject m_object;
    QImage m_image;
    QSizeF m_size;  // scene units; negative parts for lines running left or up
    int m_handle = -1;
    bool m_applying = false;
    bool m_changed = false;
};
