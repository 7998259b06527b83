#pragma once

#include "preparedreport.h"
#include "reportdatasource.h"

#include <QImage>
#include <QPageLayout>
#include <QString>
#include <QStringList>

class QPrinter;

// Output of prepared reports: PDF, PNG pages and printers.
class ReportExporter
{
public:
    // The page layout (size, orientation, no margins: the template has its own) of a report.
    static QPageLayout pageLayout(const ReportPageSetup &page);

    static bool exportPdf(const PreparedReport &report, const QString &file, QString *error = nullptr, const QString &title = {});

    // One page as an image at the given resolution, white background.
    static QImage renderPage(const PreparedReport &report, int page, double dpi);
    // Every page to "<base>-001.png", "<base>-002.png", ... (base may include a folder).
    static bool exportPng(const PreparedReport &report, const QString &base, double dpi, QStringList *files = nullptr,
                          QString *error = nullptr);
    // The same in another image format: "png", "jpg" or "bmp".
    static bool exportImages(const PreparedReport &report, const QString &base, const QString &format, double dpi,
                             QStringList *files = nullptr, QString *error = nullptr);

    // The rows of a data source as CSV (UTF-8 with byte order mark, comma separated, the field
    // names in the first line), for a spreadsheet.
    static bool exportCsv(const ReportDataSource &data, const QString &file, QString *error = nullptr);

    // Prints pages from..to (1-based, inclusive; 0 means from the first / to the last) on an
    // open printer set up by the caller (a print dialog).
    static bool print(const PreparedReport &report, QPrinter *printer, int fromPage = 0, int toPage = 0, QString *error = nullptr);
};
