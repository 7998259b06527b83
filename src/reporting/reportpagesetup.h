#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>

// Paper, orientation and margins of a report page. Lengths are millimetres.
struct ReportPageSetup
{
    enum class Orientation { Portrait, Landscape };

    QString paper = QStringLiteral("A4");  // a name of paperNames(), or "Custom"
    Orientation orientation = Orientation::Portrait;
    double paperWidth = 210;   // the paper as it comes out of the printer (portrait)
    double paperHeight = 297;
    double marginLeft = 10;
    double marginTop = 10;
    double marginRight = 10;
    double marginBottom = 10;

    // The page as it is laid out, with the orientation applied.
    QSizeF pageSize() const;
    double printableWidth() const;
    double printableHeight() const;

    // Sets paper (and its size) from a known name; false (and nothing changed) for an unknown name.
    bool setPaper(const QString &name);

    // Known paper names and their portrait sizes in millimetres.
    static QStringList paperNames();
    static bool paperSize(const QString &name, QSizeF *size);
    static QString customPaper() { return QStringLiteral("Custom"); }

    bool operator==(const ReportPageSetup &o) const = default;
};
