#include "gridfooterbar.h"

#include "gridviewmodel.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableView>

GridFooterBar::GridFooterBar(QTableView *view, GridViewModel *model, QWidget *parent)
    : QWidget(parent), m_view(view), m_model(model)
{
    setObjectName(QStringLiteral("footer"));
}

void GridFooterBar::setColor(const QColor &c)
{
    m_color = c;
    update();
}

int GridFooterBar::preferredHeight() const
{
    return fontMetrics().height() + 8;
}

void GridFooterBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_color.isValid() ? m_color : palette().color(QPalette::Button));
    const QHeaderView *header = m_view->horizontalHeader();
    // The footer starts where the viewport starts.
    const int offset = m_view->viewport()->geometry().left() - geometry().left();
    const QColor line = palette().color(QPalette::Mid);
    for (int v = 0; v < header->count(); ++v) {
        const int c = header->logicalIndex(v);
        if (header->isSectionHidden(c))
            continue;
        const int x = header->sectionViewportPosition(c) + offset;
        const int w = header->sectionSize(c);
        if (x + w < 0 || x > width())
            continue;
        const QRect cell(x, 0, w, height());
        p.setPen(line);
        p.drawLine(cell.topRight(), cell.bottomRight());
        const QString text = m_model->footerText(c);
        if (text.isEmpty())
            continue;
        p.setPen(palette().color(QPalette::WindowText));
        const QRect tr = cell.adjusted(3, 0, -4, 0);
        p.drawText(tr, int(m_model->footerAlignment(c) | Qt::AlignVCenter),
                   fontMetrics().elidedText(text, Qt::ElideRight, std::max(0, tr.width())));
    }
    p.setPen(line);
    p.drawLine(0, 0, width(), 0);
}
