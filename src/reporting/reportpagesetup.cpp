#include "reportpagesetup.h"

#include <algorithm>

namespace {
struct Paper {
    const char *name;
    double width;
    double height;
};

const Paper Papers[] = {
    {"A3", 297, 420},     {"A4", 210, 297},    {"A5", 148, 210},     {"A6", 105, 148},
    {"B4", 250, 353},     {"B5", 176, 250},    {"Letter", 215.9, 279.4}, {"Legal", 215.9, 355.6},
    {"16K", 195, 270},    {"32K", 130, 184},   {"241x280", 241, 280},    {"241x140", 241, 140},
};
} // namespace

QSizeF ReportPageSetup::pageSize() const
{
    const double shortSide = std::min(paperWidth, paperHeight);
    const double longSide = std::max(paperWidth, paperHeight);
    if (paper == customPaper())
        return orientation == Orientation::Portrait ? QSizeF(paperWidth, paperHeight) : QSizeF(paperHeight, paperWidth);
    return orientation == Orientation::Portrait ? QSizeF(shortSide, longSide) : QSizeF(longSide, shortSide);
}

double ReportPageSetup::printableWidth() const
{
    return std::max(0.0, pageSize().width() - marginLeft - marginRight);
}

double ReportPageSetup::printableHeight() const
{
    return std::max(0.0, pageSize().height() - marginTop - marginBottom);
}

bool ReportPageSetup::setPaper(const QString &name)
{
    QSizeF size;
    if (!paperSize(name, &size))
        return false;
    for (const Paper &p : Papers)
        if (name.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0)
            paper = QLatin1String(p.name);
    paperWidth = size.width();
    paperHeight = size.height();
    return true;
}

QStringList ReportPageSetup::paperNames()
{
    QStringList out;
    for (const Paper &p : Papers)
        out << QLatin1String(p.name);
    return out;
}

bool ReportPageSetup::paperSize(const QString &name, QSizeF *size)
{
    for (const Paper &p : Papers) {
        if (name.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0) {
            *size = QSizeF(p.width, p.height);
            return true;
        }
    }
    return false;
}
