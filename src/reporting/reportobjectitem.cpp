#include "reportobjectitem.h"

#include "reportbanditem.h"
#include "reportdesignscene.h"
#include "reportpainter.h"

#include <QApplication>
#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <cmath>

namespace {
constexpr double K = ReportDesignScene::UnitsPerMm;
constexpr double HandleSize = 6;
constexpr double LinePick = 4;
}

ReportObjectItem::ReportObjectItem(const ReportObject &object, const QImage &image, QGraphicsItem *parent) : QGraphicsItem(parent)
{
    setFlags(ItemIsSelectable | ItemIsMovable | ItemSendsGeometryChanges);
    setAcceptHoverEvents(true);
    setObject(object, image);
}

void ReportObjectItem::setObject(const ReportObject &object, const QImage &image)
{
    prepareGeometryChange();
    m_object = object;
    m_image = image;
    m_size = QSizeF(object.geometry.width() * K, object.geometry.height() * K);
    m_applying = true;
    setPos(object.geometry.x() * K, object.geometry.y() * K);
    m_applying = false;
    m_changed = false;
    update();
}

QRectF ReportObjectItem::geometryMm() const
{
    auto mm = [](double units) { return std::round(units / K * 1000.0) / 1000.0; };
    return QRectF(mm(pos().x()), mm(pos().y()), mm(m_size.width()), mm(m_size.height()));
}

bool ReportObjectItem::isEdited() const
{
    const QRectF now = geometryMm();
    const QRectF was = m_object.geometry;
    auto differs = [](double a, double b) { return std::abs(a - b) > 0.0015; };
    return differs(now.x(), was.x()) || differs(now.y(), was.y()) || differs(now.width(), was.width())
           || differs(now.height(), was.height());
}

double ReportObjectItem::snap(double units)
{
    if (QApplication::keyboardModifiers() & Qt::AltModifier)
        return units;
    const double grid = ReportDesignScene::GridMm * K;
    return std::round(units / grid) * grid;
}

QList<QPointF> ReportObjectItem::handlePoints() const
{
    if (isLine())
        return {QPointF(0, 0), QPointF(m_size.width(), m_size.height())};
    const QRectF r = localRect();
    return {r.topLeft(),     QPointF(r.center().x(), r.top()),    r.topRight(), QPointF(r.right(), r.center().y()),
            r.bottomRight(), QPointF(r.center().x(), r.bottom()), r.bottomLeft(), QPointF(r.left(), r.center().y())};
}

int ReportObjectItem::handleAt(const QPointF &pos) const
{
    if (!isSelected())
        return -1;
    const QList<QPointF> points = handlePoints();
    for (int i = 0; i < points.size(); ++i) {
        if (std::abs(points[i].x() - pos.x()) <= HandleSize && std::abs(points[i].y() - pos.y()) <= HandleSize)
            return i;
    }
    return -1;
}

QRectF ReportObjectItem::boundingRect() const
{
    return localRect().adjusted(-HandleSize - 2, -HandleSize - 2, HandleSize + 2, HandleSize + 2);
}

QPainterPath ReportObjectItem::shape() const
{
    QPainterPath path;
    if (isLine()) {
        QPainterPathStroker stroker;
        stroker.setWidth(LinePick * 2);
        QPainterPath line;
        line.moveTo(0, 0);
        line.lineTo(m_size.width(), m_size.height());
        path = stroker.createStroke(line);
    } else {
        path.addRect(localRect());
    }
    if (isSelected()) {
        for (const QPointF &p : handlePoints())
            path.addRect(QRectF(p.x() - HandleSize, p.y() - HandleSize, 2 * HandleSize, 2 * HandleSize));
    }
    return path;
}

void ReportObjectItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    ReportObject shown = m_object;
    shown.geometry = QRectF(0, 0, m_size.width() / K, m_size.height() / K);
    painter->save();
    ReportPainter::paintObject(*painter, shown, shown.geometry, m_object.text, m_image, K);
    painter->restore();

    const QRectF r = localRect();
    if (m_object.kind != ReportObject::Kind::Line && m_object.frame == ReportObject::FrameNone
        && !(m_object.kind == ReportObject::Kind::Rect && m_object.frameWidth > 0)) {
        // Frameless objects show their extent with a faint dotted outline.
        QPen pen(QColor(160, 160, 160));
        pen.setStyle(Qt::DotLine);
        pen.setCosmetic(true);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r);
    }
    if (m_object.kind == ReportObject::Kind::Picture && m_image.isNull()) {
        painter->setPen(QColor(120, 120, 120));
        painter->drawText(r, Qt::AlignCenter, QStringLiteral("图片"));
    }
    if (isSelected()) {
        QPen pen(QColor(0, 90, 220));
        pen.setCosmetic(true);
        pen.setStyle(Qt::DashLine);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        if (!isLine())
            painter->drawRect(r);
        painter->setPen(QPen(QColor(0, 90, 220), 0));
        painter->setBrush(QColor(0, 90, 220));
        for (const QPointF &p : handlePoints())
            painter->drawRect(QRectF(p.x() - HandleSize / 2, p.y() - HandleSize / 2, HandleSize, HandleSize));
    }
}

QVariant ReportObjectItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionChange && !m_applying) {
        const QPointF p = value.toPointF();
        m_changed = true;
        return QPointF(snap(p.x()), snap(p.y()));
    }
    if (change == ItemSelectedHasChanged) {
        prepareGeometryChange();
        if (value.toBool())
            if (auto *s = qobject_cast<ReportDesignScene *>(scene()))
                if (parentItem() && parentItem()->type() == ReportBandItem::Type)
                    s->setCurrentBand(static_cast<const ReportBandItem *>(parentItem())->band().name);
    }
    return QGraphicsItem::itemChange(change, value);
}

void ReportObjectItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    m_handle = event->button() == Qt::LeftButton ? handleAt(event->pos()) : -1;
    if (m_handle >= 0) {
        event->accept();
        return;
    }
    QGraphicsItem::mousePressEvent(event);
}

void ReportObjectItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (m_handle < 0) {
        QGraphicsItem::mouseMoveEvent(event);
        return;
    }
    const QPointF p = mapToParent(event->pos());
    const QPointF s(snap(p.x()), snap(p.y()));
    prepareGeometryChange();
    if (isLine()) {
        const QPointF start = pos();
        const QPointF end = pos() + QPointF(m_size.width(), m_size.height());
        const QPointF newStart = m_handle == 0 ? s : start;
        const QPointF newEnd = m_handle == 1 ? s : end;
        m_applying = true;
        setPos(newStart);
        m_applying = false;
        m_size = QSizeF(newEnd.x() - newStart.x(), newEnd.y() - newStart.y());
    } else {
        QRectF r(pos(), m_size);
        r = r.normalized();
        const double minSize = 1 * K;
        switch (m_handle) {
        case 0: r.setTopLeft(QPointF(std::min(s.x(), r.right() - minSize), std::min(s.y(), r.bottom() - minSize))); break;
        case 1: r.setTop(std::min(s.y(), r.bottom() - minSize)); break;
        case 2: r.setTopRight(QPointF(std::max(s.x(), r.left() + minSize), std::min(s.y(), r.bottom() - minSize))); break;
        case 3: r.setRight(std::max(s.x(), r.left() + minSize)); break;
        case 4: r.setBottomRight(QPointF(std::max(s.x(), r.left() + minSize), std::max(s.y(), r.top() + minSize))); break;
        case 5: r.setBottom(std::max(s.y(), r.top() + minSize)); break;
        case 6: r.setBottomLeft(QPointF(std::min(s.x(), r.right() - minSize), std::max(s.y(), r.top() + minSize))); break;
        case 7: r.setLeft(std::min(s.x(), r.right() - minSize)); break;
        }
        m_applying = true;
        setPos(r.topLeft());
        m_applying = false;
        m_size = r.size();
    }
    m_changed = true;
    update();
}

void ReportObjectItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    m_handle = -1;
    QGraphicsItem::mouseReleaseEvent(event);
    if (m_changed) {
        m_changed = false;
        if (auto *s = qobject_cast<ReportDesignScene *>(scene()))
            QMetaObject::invokeMethod(s, &ReportDesignScene::commitObjects, Qt::QueuedConnection);
    }
}

void ReportObjectItem::hoverMoveEvent(QGraphicsSceneHoverEvent *event)
{
    const int h = handleAt(event->pos());
    if (h < 0) {
        setCursor(Qt::SizeAllCursor);
    } else if (isLine()) {
        setCursor(Qt::CrossCursor);
    } else {
        static const Qt::CursorShape shapes[] = {Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
                                                 Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor};
        setCursor(shapes[h]);
    }
    QGraphicsItem::hoverMoveEvent(event);
}

void ReportObjectItem::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event)
{
    if (auto *s = qobject_cast<ReportDesignScene *>(scene()))
        s->requestEdit(m_object.name);
    QGraphicsItem::mouseDoubleClickEvent(event);
}
