#pragma once

#include "reportobject.h"
#include "reportpagesetup.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

// One object placed on a page: which template object (its style), where (millimetres from the
// page's top-left corner) and, for a text, the text after evaluating its expressions.
struct PreparedItem
{
    int object = 0;
    QRectF rect;
    QString text;
};

struct PreparedPage
{
    std::vector<PreparedItem> items;
};

// The laid-out pages of a report, ready to draw on any paint device.
class PreparedReport
{
public:
    ReportPageSetup page;
    std::vector<ReportObject> objects;  // styles of the template's objects
    std::vector<QImage> images;         // decoded pictures, parallel to objects
    std::vector<PreparedPage> pages;
    QStringList warnings;               // expression and data problems met while preparing

    int pageCount() const { return int(pages.size()); }
    // The texts of a page in reading order: items whose tops are within half a millimetre share
    // a line (joined by a blank), lines are joined by a newline; empty texts are left out.
    QString pageText(int page) const;
    // All pages, separated by form feeds.
    QString text() const;
};
