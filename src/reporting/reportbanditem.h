#pragma once

#include "reportband.h"

#include <QGraphicsItem>

// A band of the designer: a caption bar above a strip as wide as the printable page and as
// high as the band. The caption selects the band; its lower edge drags the band's height.
// The strip itself lets clicks through so that a rubber band can select objects.
class ReportBandItem : public QGraphicsItem
{
public:
    enum { Type = UserType + 2 };
    static constexpr double CaptionHeight = 18;

    ReportBandItem(const ReportBand &band, double width);

    int type() const override { return Type; }
    const ReportBand &band() const { return m_band; }
    void setBand(const ReportBand &band, double width);
    // Height of the strip in scene units (while dragging, the dragged height).
    double stripHeight() const { return m_height; }
    double heightMm() const;
    void setCurrent(bool current);

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent *event) override;

private:
    bool onEdge(const QPointF &pos) const;
    QString caption() const;

    ReportBand m_band;
    double m_width;
    double m_height;
    bool m_resizing = false;
    bool m_current = false;
};
