#include "reportpainter.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace {

constexpr double MmPerPoint = 25.4 / 72.0;

QPen linePen(const ReportObject &o, double unitsPerMm)
{
    QPen pen(o.frameColor);
    pen.setWidthF(std::max(0.0, o.frameWidth) * MmPerPoint * unitsPerMm);
    pen.setCapStyle(Qt::FlatCap);
    switch (o.lineStyle) {
    case ReportObject::LineStyle::Solid: pen.setStyle(Qt::SolidLine); break;
    case ReportObject::LineStyle::Dash: pen.setStyle(Qt::DashLine); break;
    case ReportObject::LineStyle::Dot: pen.setStyle(Qt::DotLine); break;
    }
    return pen;
}

struct TextBlock {
    double height = 0;
    double width = 0;  // widest line
};

// Lays the text out in lines of the given width (no wrapping: one line per paragraph).
TextBlock layoutText(QTextLayout &layout, double width, bool wrap, Qt::Alignment align)
{
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    option.setAlignment(align);
    layout.setTextOption(option);
    TextBlock block;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        line.setPosition(QPointF(0, block.height));
        block.height += line.height();
        block.width = std::max(block.width, double(line.naturalTextWidth()));
    }
    layout.endLayout();
    return block;
}

Qt::Alignment hAlignment(ReportObject::HAlign a)
{
    switch (a) {
    case ReportObject::HAlign::Left: return Qt::AlignLeft;
    case ReportObject::HAlign::Center: return Qt::AlignHCenter;
    case ReportObject::HAlign::Right: return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

void paintText(QPainter &p, const ReportObject &o, const QRectF &r, const QString &rawText, double u)
{
    if (rawText.isEmpty())
        return;
    QString text = rawText;
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    const QRectF inner = r.adjusted(ReportPainter::PaddingX * u, ReportPainter::PaddingY * u, -ReportPainter::PaddingX * u,
                                    -ReportPainter::PaddingY * u);
    if (inner.width() <= 0 || inner.height() <= 0)
        return;
    const Qt::Alignment align = hAlignment(o.hAlign);

    double size = o.fontSize;
    QTextLayout layout(text, ReportPainter::font(o, size, u, p.device()), p.device());
    TextBlock block = layoutText(layout, inner.width(), o.wrap, align);
    if (o.shrink) {
        auto fits = [&](const TextBlock &b) {
            return b.height <= inner.height() + 0.01 && (o.wrap || b.width <= inner.width() + 0.01);
        };
        while (!fits(block) && size > ReportPainter::MinShrinkSize) {
            size = std::max(ReportPainter::MinShrinkSize, size * 0.92);
            layout.clearLayout();
            layout.setFont(ReportPainter::font(o, size, u, p.device()));
            block = layoutText(layout, inner.width(), o.wrap, align);
        }
    }

    double top = inner.top();
    switch (o.vAlign) {
    case ReportObject::VAlign::Top: break;
    case ReportObject::VAlign::Center: top += (inner.height() - block.height) / 2; break;
    case ReportObject::VAlign::Bottom: top += inner.height() - block.height; break;
    }
    const bool overflows = block.height > inner.height() + 0.01 || block.width > inner.width() + 0.01;
    p.save();
    if (overflows) {
        top = std::max(top, inner.top());
        p.setClipRect(r, Qt::IntersectClip);
    }
    p.setPen(o.color);
    layout.draw(&p, QPointF(inner.left(), top));
    p.restore();
}

void paintFrame(QPainter &p, const ReportObject &o, const QRectF &r, double u)
{
    if (o.frame == ReportObject::FrameNone || o.frameWidth <= 0)
        return;
    p.setPen(linePen(o, u));
    p.setBrush(Qt::NoBrush);
    if (o.frame == ReportObject::FrameAll) {
        p.drawRect(r);
        return;
    }
    if (o.frame & ReportObject::FrameLeft)
        p.drawLine(r.topLeft(), r.bottomLeft());
    if (o.frame & ReportObject::FrameTop)
        p.drawLine(r.topLeft(), r.topRight());
    if (o.frame & ReportObject::FrameRight)
        p.drawLine(r.topRight(), r.bottomRight());
    if (o.frame & ReportObject::FrameBottom)
        p.drawLine(r.bottomLeft(), r.bottomRight());
}

} // namespace

QFont ReportPainter::font(const ReportObject &o, double pointSize, double unitsPerMm, const QPaintDevice *device)
{
    QFont f(o.fontFamily.isEmpty() ? ReportObject::defaultFontFamily() : o.fontFamily);
    const double dpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96.0;
    // pointSize points are pointSize * 25.4 / 72 mm, that is pointSize * 25.4 / 72 * unitsPerMm
    // units; the device turns a point size p into p * dpi / 72 units.
    f.setPointSizeF(std::max(0.1, pointSize * unitsPerMm * 25.4 / dpi));
    f.setBold(o.bold);
    f.setItalic(o.italic);
    f.setUnderline(o.underline);
    // No OpenType substitutions (the CJK fonts swap in alternate digits inside Latin words):
    // every glyph stays the one the character maps to, so text extracted from a PDF is the
    // text that was drawn.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferNoShaping));
    return f;
}

void ReportPainter::paintObject(QPainter &p, const ReportObject &o, const QRectF &rectMm, const QString &text, const QImage &image,
                                double u)
{
    const QRectF r(rectMm.x() * u, rectMm.y() * u, rectMm.width() * u, rectMm.height() * u);
    switch (o.kind) {
    case ReportObject::Kind::Text:
        if (o.fill.isValid())
            p.fillRect(r.normalized(), o.fill);
        paintText(p, o, r.normalized(), text, u);
        paintFrame(p, o, r.normalized(), u);
        break;
    case ReportObject::Kind::Line:
        if (o.frameWidth > 0) {
            p.setPen(linePen(o, u));
            p.drawLine(r.topLeft(), r.bottomRight());
        }
        break;
    case ReportObject::Kind::Rect: {
        const QRectF n = r.normalized();
        if (o.fill.isValid())
            p.fillRect(n, o.fill);
        if (o.frameWidth > 0) {
            p.setPen(linePen(o, u));
            p.setBrush(Qt::NoBrush);
            p.drawRect(n);
        }
        break;
    }
    case ReportObject::Kind::Picture: {
        const QRectF n = r.normalized();
        if (!image.isNull()) {
            QRectF target = n;
            if (o.keepAspect) {
                QSizeF s = QSizeF(image.size()).scaled(n.size(), Qt::KeepAspectRatio);
                target = QRectF(n.center().x() - s.width() / 2, n.center().y() - s.height() / 2, s.width(), s.height());
            }
            p.save();
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(target, image);
            p.restore();
        }
        paintFrame(p, o, n, u);
        break;
    }
    }
}

void ReportPainter::paintPage(QPainter &p, const PreparedReport &report, int page, double u)
{
    if (page < 0 || page >= report.pageCount())
        return;
    const QSizeF size = report.page.pageSize();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(QRectF(0, 0, size.width() * u, size.height() * u), Qt::white);
    for (const PreparedItem &item : report.pages[page].items) {
        const ReportObject &o = report.objects[item.object];
        ReportPainter::paintObject(p, o, item.rect, item.text, report.images[item.object], u);
    }
    p.restore();
}
