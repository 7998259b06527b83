#include "gridheaderview.h"

#include "gridviewmodel.h"

#include <QPainter>
#include <QPainterPath>

GridHeaderView::GridHeaderView(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setSectionsMovable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setStretchLastSection(false);
    setDefaultAlignment(Qt::AlignCenter);
    setMinimumSectionSize(8);
}

void GridHeaderView::setTitleColor(const QColor &c)
{
    m_color = c;
    viewport()->update();
}

QSize GridHeaderView::sectionSizeFromContents(int logicalIndex) const
{
    QSize s = QHeaderView::sectionSizeFromContents(logicalIndex);
    s.setHeight(std::max(s.height(), fontMetrics().height() + 8));
    return s;
}

void GridHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    const auto *vm = qobject_cast<const GridViewModel *>(model());
    painter->save();
    painter->fillRect(rect, m_color.isValid() ? m_color : palette().color(QPalette::Button));
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());

    QString caption;
    Qt::Alignment align = Qt::AlignCenter;
    GridColumn::SortMarker marker = GridColumn::SortMarker::None;
    if (vm && logicalIndex < vm->columns().size()) {
        const GridColumn &c = vm->columns().at(logicalIndex);
        caption = c.caption;
        align = c.titleAlignment;
        marker = c.sortMarker;
    } else if (model()) {
        caption = model()->headerData(logicalIndex, Qt::Horizontal).toString();
    }
    const int markerWidth = marker == GridColumn::SortMarker::None ? 0 : 12;
    QRect textRect = rect.adjusted(3, 1, -3 - markerWidth, -1);
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->drawText(textRect, int(align | Qt::AlignVCenter),
                      fontMetrics().elidedText(caption, Qt::ElideRight, std::max(0, textRect.width())));
    if (markerWidth > 0) {
        const int cx = rect.right() - 3 - markerWidth / 2;
        const int cy = rect.center().y();
        QPainterPath tri;
        if (marker == GridColumn::SortMarker::Up) {
            tri.moveTo(cx - 4, cy + 2);
            tri.lineTo(cx + 4, cy + 2);
            tri.lineTo(cx, cy - 3);
        } else {
            tri.moveTo(cx - 4, cy - 2);
            tri.lineTo(cx + 4, cy - 2);
            tri.lineTo(cx, cy + 3);
        }
        tri.closeSubpath();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->fillPath(tri, palette().color(QPalette::Dark));
    }
    painter->restore();
}
