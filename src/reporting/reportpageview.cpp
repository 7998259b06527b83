#include "reportpageview.h"

#include "preparedreport.h"
#include "reportpainter.h"

#include <QPainter>
#include <QWheelEvent>

namespace {
constexpr int Border = 12;
}

ReportPageView::ReportPageView(const PreparedReport &report, QWidget *parent) : QWidget(parent), m_report(report)
{
    setObjectName(QStringLiteral("pageView"));
    setFocusPolicy(Qt::StrongFocus);
}

void ReportPageView::setPage(int page)
{
    m_page = page;
    update();
}

void ReportPageView::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, 0.1, 8.0);
    resize(sizeHint());
    updateGeometry();
    update();
}

double ReportPageView::screenUnitsPerMm() const
{
    return logicalDpiX() / 25.4;
}

QSize ReportPageView::sizeHint() const
{
    const QSizeF mm = m_report.page.pageSize();
    const double u = screenUnitsPerMm() * m_zoom;
    return QSize(int(mm.width() * u) + 2 * Border, int(mm.height() * u) + 2 * Border);
}

void ReportPageView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Dark));
    if (m_page < 0 || m_page >= m_report.pageCount())
        return;
    const double u = screenUnitsPerMm() * m_zoom;
    const QSizeF mm = m_report.page.pageSize();
    const double x = std::max(double(Border), (width() - mm.width() * u) / 2);
    p.fillRect(QRectF(x + 4, Border + 4, mm.width() * u, mm.height() * u), QColor(0, 0, 0, 90));
    p.translate(x, Border);
    ReportPainter::paintPage(p, m_report, m_page, u);
}

void ReportPageView::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        emit zoomWheel(event->angleDelta().y() > 0 ? 1 : -1);
        event->accept();
        return;
    }
    QWidget::wheelEvent(event);
}
