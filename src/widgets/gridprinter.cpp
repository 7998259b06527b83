#include "gridprinter.h"

#include "datagrid.h"
#include "exportscript.h"
#include "platform/showmess.h"

#include <QAction>
#include <QFileDialog>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace {

constexpr double LayoutDpi = 96.0;   // layout units are screen pixels
constexpr double CellPadding = 3.0;

QFont pixelFont(const QFont &base, double pixels, bool bold = false)
{
    QFont f(base);
    f.setPixelSize(std::max(1, int(std::lround(pixels))));
    f.setBold(bold);
    return f;
}

} // namespace

GridPrinter::GridPrinter(const DataGrid &grid, const Options &options) : m_grid(grid), m_options(options)
{
    const QList<GridColumn> &cols = grid.columns();
    for (int i = 0; i < cols.size(); ++i)
        if (cols.at(i).visible)
            m_columns << i;
    const QFont base = grid.font();
    const double cellPixels = QFontInfo(base).pixelSize() > 0 ? QFontInfo(base).pixelSize() : 12;
    m_cellFont = pixelFont(base, cellPixels);
    m_headFont = pixelFont(base, cellPixels, true);
    m_pageFont = pixelFont(base, 8.0 * LayoutDpi / 72.0);      // 8 points
    m_titleFont = pixelFont(base, 14.0 * LayoutDpi / 72.0, true);
}

QString GridPrinter::pageFooterText(const QString &footer, const QDate &today)
{
    if (footer.trimmed() == QLatin1String("date"))
        return QStringLiteral("打印日期：") + today.toString(QStringLiteral("yyyy年MM月dd日"));
    return footer.trimmed().isEmpty() ? QString() : footer;
}

double GridPrinter::rowHeight(QPainter &painter, int row) const
{
    if (m_options.fitMode != 0)
        return m_lineHeight;
    painter.setFont(m_cellFont);
    const QFontMetricsF fm(m_cellFont);
    double h = m_lineHeight;
    for (int i = 0; i < m_columns.size(); ++i) {
        const QString text = m_grid.viewModel()->cellText(row, m_columns.at(i));
        if (text.isEmpty())
            continue;
        const double w = std::max(1.0, m_w.at(i) - 2 * CellPadding);
        if (fm.horizontalAdvance(text) <= w && !text.contains(QLatin1Char('\n')))
            continue;
        const QRectF r = fm.boundingRect(QRectF(0, 0, w, 1e6), Qt::TextWordWrap | Qt::TextWrapAnywhere, text);
        h = std::max(h, r.height() + 2 * 2.0);
    }
    return h;
}

void GridPrinter::layout(const QSizeF &page, QPainter &painter)
{
    m_pages.clear();
    m_rowHeights.clear();
    m_x.clear();
    m_w.clear();
    double total = 0;
    for (int c : std::as_const(m_columns))
        total += std::max(1, m_grid.columns().at(c).width);
    if (total <= 0)
        total = 1;
    m_scale = 1;
    double factor = 1;
    if (m_options.fitMode == 0)
        m_scale = std::min(1.0, page.width() / total);
    else
        factor = page.width() / total;
    double x = 0;
    for (int c : std::as_const(m_columns)) {
        const double w = std::max(1, m_grid.columns().at(c).width) * factor;
        m_x << x;
        m_w << w;
        x += w;
    }
    m_lineHeight = QFontMetricsF(m_cellFont).height() + 6;
    m_titleRowHeight = QFontMetricsF(m_headFont).height() + 6;
    m_footerRowHeight = m_lineHeight;
    const bool hasFooter = m_grid.footerVisible();

    const double bandHeight = QFontMetricsF(m_pageFont).height() + 6;
    const double titleBlock = m_options.title.trimmed().isEmpty() ? 0 : 3 * QFontMetricsF(m_titleFont).height();
    const int rows = m_grid.viewModel()->rowCount();
    if (m_options.fitMode == 0) {
        m_rowHeights.reserve(rows);
        for (int r = 0; r < rows; ++r)
            m_rowHeights << rowHeight(painter, r);
    }
    auto heightOf = [&](int r) { return m_options.fitMode == 0 ? m_rowHeights.at(r) : m_lineHeight; };

    int row = 0;
    bool footerDone = !hasFooter;
    bool first = true;
    while (first || row < rows || !footerDone) {
        Page p{row, row, first, false};
        // The grid block of this page, in grid units.
        const double avail = (page.height() - 2 * bandHeight - (first ? titleBlock : 0)) / m_scale - m_titleRowHeight;
        double used = 0;
        while (row < rows && (used + heightOf(row) <= avail || p.endRow == p.firstRow)) {
            used += heightOf(row);
            ++row;
            p.endRow = row;
        }
        // The footer row follows the last row; a page with no room for even one row takes it
        // anyway, so that the layout always ends.
        if (row >= rows && !footerDone && (used + m_footerRowHeight <= avail || p.endRow == p.firstRow)) {
            p.footerRow = true;
            footerDone = true;
        }
        m_pages << p;
        first = false;
    }
}

void GridPrinter::drawCell(QPainter &painter, const QRectF &r, const QString &text, Qt::Alignment align, bool wrap) const
{
    const QRectF inner = r.adjusted(CellPadding, 1, -CellPadding, -1);
    int flags = int(align | Qt::AlignVCenter);
    if (wrap) {
        flags |= Qt::TextWordWrap | Qt::TextWrapAnywhere;
        painter.drawText(inner, flags, text);
    } else {
        const QString shown = QFontMetricsF(painter.font()).elidedText(text, Qt::ElideRight, inner.width());
        painter.drawText(inner, flags, shown);
    }
}

void GridPrinter::drawPage(QPainter &painter, const QSizeF &page, const Page &p) const
{
    const GridViewModel *vm = m_grid.viewModel();
    const double bandHeight = QFontMetricsF(m_pageFont).height() + 6;
    painter.setPen(Qt::black);
    painter.setFont(m_pageFont);
    if (!m_options.headerText.trimmed().isEmpty())
        painter.drawText(QRectF(0, 0, page.width(), bandHeight), int(Qt::AlignLeft | Qt::AlignVCenter), m_options.headerText);
    const QString footer = pageFooterText(m_options.footerText);
    if (!footer.isEmpty())
        painter.drawText(QRectF(0, page.height() - bandHeight, page.width(), bandHeight),
                         int(Qt::AlignRight | Qt::AlignVCenter), footer);
    double y = bandHeight;
    if (p.title && !m_options.title.trimmed().isEmpty()) {
        painter.setFont(m_titleFont);
        const double lh = QFontMetricsF(m_titleFont).height();
        painter.drawText(QRectF(0, y + lh, page.width(), lh), int(Qt::AlignHCenter | Qt::AlignVCenter), m_options.title);
        y += 3 * lh;
    }

    painter.save();
    painter.translate(0, y);
    painter.scale(m_scale, m_scale);
    const QPen gridPen(QColor(96, 96, 96), 0);
    const QColor titleColor = m_grid.titleColor().isValid() ? m_grid.titleColor() : QColor(224, 224, 224);
    const QColor footerColor = m_grid.footerColor().isValid() ? m_grid.footerColor() : QColor(224, 224, 224);
    const bool wrap = m_options.fitMode == 0;

    double gy = 0;
    painter.setFont(m_headFont);
    for (int i = 0; i < m_columns.size(); ++i) {
        const QRectF r(m_x.at(i), gy, m_w.at(i), m_titleRowHeight);
        painter.fillRect(r, titleColor);
        painter.setPen(gridPen);
        painter.drawRect(r);
        painter.setPen(Qt::black);
        const GridColumn &c = m_grid.columns().at(m_columns.at(i));
        drawCell(painter, r, c.caption, c.titleAlignment & Qt::AlignHorizontal_Mask, false);
    }
    gy += m_titleRowHeight;
    painter.setFont(m_cellFont);
    for (int row = p.firstRow; row < p.endRow; ++row) {
        const double h = m_options.fitMode == 0 ? m_rowHeights.at(row) : m_lineHeight;
        const GridRowStyle style = vm->rowStyle(row);
        for (int i = 0; i < m_columns.size(); ++i) {
            const QRectF r(m_x.at(i), gy, m_w.at(i), h);
            if (style.background.isValid())
                painter.fillRect(r, style.background);
            painter.setPen(gridPen);
            painter.drawRect(r);
            painter.setPen(style.text.isValid() ? style.text : QColor(Qt::black));
            drawCell(painter, r, vm->cellText(row, m_columns.at(i)), vm->cellAlignment(m_columns.at(i)), wrap);
        }
        gy += h;
    }
    if (p.footerRow) {
        for (int i = 0; i < m_columns.size(); ++i) {
            const QRectF r(m_x.at(i), gy, m_w.at(i), m_footerRowHeight);
            painter.fillRect(r, footerColor);
            painter.setPen(gridPen);
            painter.drawRect(r);
            painter.setPen(Qt::black);
            drawCell(painter, r, vm->footerText(m_columns.at(i)), vm->footerAlignment(m_columns.at(i)), false);
        }
    }
    painter.restore();
}

bool GridPrinter::print(QPagedPaintDevice *device)
{
    QPainter painter;
    if (!device || !painter.begin(device))
        return false;
    const double scale = device->logicalDpiX() / LayoutDpi;
    painter.scale(scale, scale);
    const QSizeF page(device->width() / scale, device->height() / scale);
    layout(page, painter);
    for (int i = 0; i < m_pages.size(); ++i) {
        if (i > 0 && !device->newPage())
            return false;
        drawPage(painter, page, m_pages.at(i));
    }
    return painter.end();
}

bool GridPrinter::renderPdf(const DataGrid &grid, const Options &options, const QString &fileName, QString *error, int *pages)
{
    QPdfWriter pdf(fileName);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    pdf.setResolution(300);
    pdf.setTitle(options.title);
    GridPrinter printer(grid, options);
    if (!printer.print(&pdf)) {
        if (error)
            *error = QStringLiteral("cannot write %1").arg(fileName);
        return false;
    }
    if (pages)
        *pages = printer.pageCount();
    return true;
}

void PrintGrid(DataGrid *grid, const QString &title, int fitMode, const QString &footerText, const QString &headerText)
{
    if (!grid)
        return;
    GridPrinter::Options o;
    o.title = title;
    o.fitMode = fitMode;
    o.footerText = footerText;
    o.headerText = headerText;

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    printer.setColorMode(QPrinter::Color);
    printer.setDocName(title);
    QPrintPreviewDialog preview(&printer, grid->window());
    preview.setObjectName(QStringLiteral("GridPrintPreview"));
    preview.setWindowTitle(title.trimmed().isEmpty() ? QStringLiteral("打印预览") : title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [grid, o](QPrinter *p) {
        GridPrinter gp(*grid, o);
        gp.print(p);
    });
    // PDF export straight from the preview.
    if (QToolBar *bar = preview.findChild<QToolBar *>()) {
        bar->addSeparator();
        QAction *pdf = bar->addAction(QStringLiteral("导出PDF"));
        pdf->setObjectName(QStringLiteral("actExportPdf"));
        QObject::connect(pdf, &QAction::triggered, &preview, [grid, o, &preview] {
            QString file;
            if (ExportScript *s = ExportScript::current()) {
                const ExportScript::Answer a = s->take(o.title, 0);
                if (!a.accepted)
                    return;
                file = a.fileName;
            } else {
                file = QFileDialog::getSaveFileName(&preview, QStringLiteral("导出PDF"), o.title,
                                                    QStringLiteral("PDF (*.pdf)"));
            }
            if (file.isEmpty())
                return;
            if (!file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
                file += QStringLiteral(".pdf");
            QString error;
            if (!GridPrinter::renderPdf(*grid, o, file, &error))
                ShowMess(QStringLiteral("导出失败：") + error, MessError, &preview);
        });
    }
    preview.exec();
}
