#pragma once

#include <QColor>
#include <QDate>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class DataGrid;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

// Prints a grid as shown: a title (an empty line, the title, an empty line) on the first page,
// the column titles on every page, the rows with their colours, the footer row after the last
// row, a page header text on the left and a page footer text on the right of every page.
class GridPrinter
{
public:
    struct Options {
        QString title;
        // 0: scaled down to the page width, text wraps and rows grow to fit it;
        // 1: column widths stretched or shrunk in proportion to fill the page width.
        int fitMode = 0;
        QString footerText;   // "date" prints "打印日期：" and today's date
        QString headerText;
    };

    GridPrinter(const DataGrid &grid, const Options &options);

    // The page footer text for a footer option ("date" -> "打印日期：yyyy年MM月dd日").
    static QString pageFooterText(const QString &footer, const QDate &today = QDate::currentDate());

    // Lays the grid out on the device's pages and paints them. False when nothing can be drawn.
    bool print(QPagedPaintDevice *device);
    // The number of pages of the last print().
    int pageCount() const { return int(m_pages.size()); }

    // Writes the printout as a PDF file (A4).
    static bool renderPdf(const DataGrid &grid, const Options &options, const QString &fileName, QString *error,
                          int *pages = nullptr);

private:
    struct Page {
        int firstRow;
        int endRow;        // exclusive
        bool title;
        bool footerRow;
    };
    void layout(const QSizeF &page, QPainter &painter);
    double rowHeight(QPainter &painter, int row) const;
    void drawPage(QPainter &painter, const QSizeF &page, const Page &p) const;
    void drawCell(QPainter &painter, const QRectF &r, const QString &text, Qt::Alignment align, bool wrap) const;

    const DataGrid &m_grid;
    Options m_options;
    QList<int> m_columns;          // exported grid columns (visible ones)
    QList<double> m_x, m_w;        // column positions and widths in layout units
    double m_scale = 1;            // font scale of fit mode 0
    double m_lineHeight = 0;
    double m_titleRowHeight = 0;
    double m_footerRowHeight = 0;
    QFont m_cellFont;
    QFont m_headFont;
    QFont m_pageFont;
    QFont m_titleFont;
    QList<Page> m_pages;
    QList<double> m_rowHeights;    // fit mode 0
};

// Shows the print preview of a grid (printing, page set-up and PDF export from there).
void PrintGrid(DataGrid *grid, const QString &title, int fitMode, const QString &footerText, const QString &headerText);
