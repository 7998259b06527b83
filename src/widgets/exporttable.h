#pragma once

#include <QString>
#include <QVariant>
#include <Qt>

// What a file writer reads: rows of cells under column titles. Each cell has the text the
// grid shows and the value behind it; each column a display format, an alignment and a width.
class ExportTable
{
public:
    virtual ~ExportTable() = default;

    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual QString title(int column) const = 0;
    virtual QString text(int row, int column) const = 0;
    virtual QVariant value(int row, int column) const = 0;
    virtual QString format(int column) const = 0;
    virtual Qt::Alignment alignment(int column) const = 0;
    // Width in pixels on screen.
    virtual int width(int column) const = 0;
    virtual bool isNumeric(int column) const = 0;
};
