#include "reportbanditem.h"

#include "reportdesignscene.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

#include <cmath>

namespace {
constexpr double K = ReportDesignScene::UnitsPerMm;
constexpr double EdgeGrip = 4;

QColor captionColor(ReportBand::Type t)
{
    switch (t) {
    case ReportBand::Type::ReportTitle:
    case ReportBand::Type::ReportSummary: return QColor(255, 226, 180);
    case ReportBand::Type::PageHeader:
    case ReportBand::Type::PageFooter: return QColor(210, 225, 245);
    case ReportBand::Type::ColumnHeader: return QColor(220, 235, 220);
    case ReportBand::Type::GroupHeader:
    case ReportBand::Type::GroupFooter: return QColor(235, 220, 245);
    case ReportBand::Type::MasterData:
    case ReportBand::Type::DetailData: return QColor(255, 240, 200);
    case ReportBand::Type::DetailFooter:
    case ReportBand::Type::MasterFooter: return QColor(240, 230, 210);
    }
    return QColor(230, 230, 230);
}
} // namespace

ReportBandItem::ReportBandItem(const ReportBand &band, double width) : m_band(band), m_width(width), m_height(band.height * K)
{
    setFlags(ItemIsSelectable);
    setAcceptHoverEvents(true);
    setZValue(-1);
}

void ReportBandItem::setBand(const ReportBand &band, double width)
{
    prepareGeometryChange();
    m_band = band;
    m_width = width;
    m_height = band.height * K;
    update();
}

double ReportBandItem::heightMm() const
{
    return std::round(m_height / K * 100.0) / 100.0;
}

void ReportBandItem::setCurrent(bool current)
{
    if (m_current != current) {
        m_current = current;
        update();
    }
}

QString ReportBandItem::caption() const
{
    QString text = ReportBand::typeCaption(m_band.type) + QStringLiteral("：") + m_band.name;
    if (m_band.isDataBand())
        text += QStringLiteral("（%1）").arg(m_band.dataSource);
    if (m_band.type == ReportBand::Type::GroupHeader)
        text += QStringLiteral("（%1）").arg(m_band.condition);
    if (!m_band.fillRows.isEmpty())
        text += QStringLiteral("  固定行数 %1").arg(m_band.fillRows);
    return text;
}

QRectF ReportBandItem::boundingRect() const
{
    return QRectF(-1, -CaptionHeight - 1, m_width + 2, CaptionHeight + m_height + EdgeGrip + 2);
}

QPainterPath ReportBandItem::shape() const
{
    QPainterPath path;
    path.addRect(QRectF(0, -CaptionHeight, m_width, CaptionHeight));
    path.addRect(QRectF(0, m_height - EdgeGrip, m_width, 2 * EdgeGrip));
    return path;
}

void ReportBandItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF bar(0, -CaptionHeight, m_width, CaptionHeight);
    QColor color = captionColor(m_band.type);
    if (isSelected())
        color = color.darker(125);
    painter->fillRect(bar, color);
    if (m_current) {
        QPen pen(QColor(0, 90, 220), 2);
        pen.setCosmetic(true);
        painter->setPen(pen);
        painter->drawLine(bar.bottomLeft(), bar.topLeft());
    }
    painter->setPen(Qt::black);
    QFont f = painter->font();
    f.setPixelSize(11);
    painter->setFont(f);
    painter->drawText(bar.adjusted(6, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, caption());

    const QRectF strip(0, 0, m_width, m_height);
    painter->fillRect(strip, Qt::white);
    // A light millimetre grid every 5 mm.
    QPen grid(QColor(235, 235, 235));
    grid.setCosmetic(true);
    painter->setPen(grid);
    for (double x = 5 * K; x < m_width; x += 5 * K)
        painter->drawLine(QPointF(x, 0), QPointF(x, m_height));
    for (double y = 5 * K; y < m_height; y += 5 * K)
        painter->drawLine(QPointF(0, y), QPointF(m_width, y));
    QPen edge(QColor(150, 150, 150));
    edge.setCosmetic(true);
    edge.setStyle(Qt::DashLine);
    painter->setPen(edge);
    painter->drawRect(strip);
}

bool ReportBandItem::onEdge(const QPointF &pos) const
{
    return std::abs(pos.y() - m_height) <= EdgeGrip;
}

void ReportBandItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    m_resizing = event->button() == Qt::LeftButton && onEdge(event->pos());
    QGraphicsItem::mousePressEvent(event);
    event->accept();
}

void ReportBandItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (!m_resizing)
        return;
    const double grid = ReportDesignScene::GridMm * K;
    const double h = std::max(0.0, std::round(event->pos().y() / grid) * grid);
    if (h != m_height) {
        prepareGeometryChange();
        m_height = h;
        if (auto *s = qobject_cast<ReportDesignScene *>(scene()))
            s->relayoutBands();
        update();
    }
}

void ReportBandItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    QGraphicsItem::mouseReleaseEvent(event);
    if (m_resizing) {
        m_resizing = false;
        if (auto *s = qobject_cast<ReportDesignScene *>(scene()))
            QMetaObject::invokeMethod(
                s, [s, name = m_band.name, h = heightMm()] { s->commitBandHeight(name, h); }, Qt::QueuedConnection);
    }
}

void ReportBandItem::hoverMoveEvent(QGraphicsSceneHoverEvent *event)
{
    setCursor(onEdge(event->pos()) ? Qt::SizeVerCursor : Qt::ArrowCursor);
    QGraphicsItem::hoverMoveEvent(event);
}
