#pragma once

#include <QByteArray>
#include <QColor>
#include <QRectF>
#include <QString>

// One object of a band: a text with expressions, a line, a rectangle or a picture.
// Geometry is in millimetres relative to the band's top-left corner (the left margin of the
// page); a line runs from the geometry's top-left to its bottom-right corner.
struct ReportObject
{
    enum class Kind { Text, Line, Rect, Picture };
    enum class HAlign { Left, Center, Right };
    enum class VAlign { Top, Center, Bottom };
    enum class LineStyle { Solid, Dash, Dot };
    enum FrameSide : int { FrameNone = 0, FrameLeft = 1, FrameTop = 2, FrameRight = 4, FrameBottom = 8, FrameAll = 15 };

    Kind kind = Kind::Text;
    QString name;
    QRectF geometry;

    // Text: literal text with expressions in [...] unless `expressions` is off.
    QString text;
    bool expressions = true;
    QString fontFamily = defaultFontFamily();
    double fontSize = 10;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor color = QColor(Qt::black);
    QColor fill;           // invalid: transparent
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    QString format;        // display format applied to the value of each expression
    bool hideZeros = false;
    bool wrap = true;      // long text breaks into lines inside the box
    bool shrink = false;   // the font shrinks until the text fits the box

    // Frame of a text, outline of a rectangle, the line itself.
    int frame = FrameNone;
    double frameWidth = 0.5;  // points
    QColor frameColor = QColor(Qt::black);
    LineStyle lineStyle = LineStyle::Solid;

    // Picture: the image bytes kept in the template, or a file name relative to the template.
    QByteArray imageData;
    QString imageFile;
    bool keepAspect = true;

    static QString defaultFontFamily() { return QStringLiteral("Noto Sans CJK SC"); }
    static QString kindKey(Kind k);
    static bool kindFromKey(const QString &key, Kind *k);
    static QString kindCaption(Kind k);

    bool operator==(const ReportObject &o) const = default;
};
