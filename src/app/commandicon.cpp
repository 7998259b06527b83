#include "commandicon.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QPixmap CommandIcon::tile(int code, const QString &caption, int size)
{
    // One colour per menu group.
    static const QColor colours[] = {QColor(0x6b, 0x72, 0x80), QColor(0x3a, 0x6e, 0xa5), QColor(0x2e, 0x8b, 0x57),
                                     QColor(0xc0, 0x6c, 0x1f), QColor(0x8e, 0x44, 0xad), QColor(0xb0, 0x3a, 0x2e)};
    const int group = qBound(0, code / 100, 5);
    const QColor base = colours[group];

    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size);
    g.setColorAt(0, base.lighter(135));
    g.setColorAt(1, base);
    QPainterPath path;
    const qreal m = size * 0.06;
    path.addRoundedRect(QRectF(m, m, size - 2 * m, size - 2 * m), size * 0.2, size * 0.2);
    p.fillPath(path, g);
    p.setPen(QPen(base.darker(130), qMax(1.0, size / 32.0)));
    p.drawPath(path);

    const QString glyph = caption.isEmpty() ? QString() : caption.left(1);
    QFont f;
    f.setPixelSize(int(size * 0.52));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, glyph);
    return pm;
}

QIcon CommandIcon::make(int code, const QString &caption)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(tile(code, caption, size));
    return icon;
}
