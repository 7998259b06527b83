#pragma once

#include "preparedreport.h"

#include <QFont>

class QPainter;
class QPaintDevice;

// Draws prepared pages and single objects with a QPainter. unitsPerMm maps millimetres to the
// painter's coordinates (device pixels for a printer or an image, scene units for the
// designer); fonts are sized so that points stay points on every device.
class ReportPainter
{
public:
    // Draws one page (a white sheet, then its items) with its top-left corner at the origin.
    static void paintPage(QPainter &painter, const PreparedReport &report, int page, double unitsPerMm);

    // Draws an object into a rectangle given in millimetres.
    static void paintObject(QPainter &painter, const ReportObject &object, const QRectF &rectMm, const QString &text,
                            const QImage &image, double unitsPerMm);

    // The object's font at the given point size for drawing on the painter's device.
    static QFont font(const ReportObject &object, double pointSize, double unitsPerMm, const QPaintDevice *device);

    // Inner padding of a text box, millimetres.
    static constexpr double PaddingX = 0.5;
    static constexpr double PaddingY = 0.3;
    // Smallest size a shrinking text goes down to, points.
    static constexpr double MinShrinkSize = 3;
};
