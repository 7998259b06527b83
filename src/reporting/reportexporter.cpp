#include "reportexporter.h"

#include "pdftextmapfix.h"
#include "reportpainter.h"
#include "reportvalue.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

QPageLayout ReportExporter::pageLayout(const ReportPageSetup &page)
{
    const QSizeF size = page.pageSize();
    const bool landscape = size.width() > size.height();
    const QSizeF portrait = landscape ? size.transposed() : size;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool ReportExporter::exportPdf(const PreparedReport &report, const QString &file, QString *error, const QString &title)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(pageLayout(report.page));
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("采购管理系统"));
        if (!title.isEmpty())
            writer.setTitle(title);
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (error)
                *error = QStringLiteral("无法生成 PDF");
            return false;
        }
        const double u = writer.resolution() / 25.4;
        for (int i = 0; i < report.pageCount(); ++i) {
            if (i > 0)
                writer.newPage();
            ReportPainter::paintPage(painter, report, i, u);
        }
        painter.end();
    }

    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(PdfTextMapFix::apply(buffer.data())) < 0 || !out.commit()) {
        if (error)
            *error = QStringLiteral("无法写入文件 %1：%2").arg(file, out.errorString());
        return false;
    }
    return true;
}

QImage ReportExporter::renderPage(const PreparedReport &report, int page, double dpi)
{
    const double u = dpi / 25.4;
    const QSizeF size = report.page.pageSize();
    QImage image(std::max(1, int(std::ceil(size.width() * u))), std::max(1, int(std::ceil(size.height() * u))),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    QPainter painter(&image);
    ReportPainter::paintPage(painter, report, page, u);
    return image;
}

bool ReportExporter::exportPng(const PreparedReport &report, const QString &base, double dpi, QStringList *files, QString *error)
{
    return exportImages(report, base, QStringLiteral("png"), dpi, files, error);
}

bool ReportExporter::exportImages(const PreparedReport &report, const QString &base, const QString &format, double dpi,
                                  QStringList *files, QString *error)
{
    QDir().mkpath(QFileInfo(base).absolutePath());
    const int width = std::max(3, int(QString::number(report.pageCount()).size()));
    const QByteArray fmt = format.toLower().toLatin1();
    for (int i = 0; i < report.pageCount(); ++i) {
        const QString file = QStringLiteral("%1-%2.%3").arg(base).arg(i + 1, width, 10, QLatin1Char('0')).arg(format.toLower());
        if (!renderPage(report, i, dpi).save(file, fmt.constData(), fmt == "jpg" ? 90 : -1)) {
            if (error)
                *error = QStringLiteral("无法写入文件 %1").arg(file);
            return false;
        }
        if (files)
            files->append(file);
    }
    return true;
}

bool ReportExporter::exportCsv(const ReportDataSource &data, const QString &file, QString *error)
{
    auto quote = [](QString text) {
        if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n'))
            || text.contains(QLatin1Char('\r'))) {
            text.replace(QLatin1String("\""), QLatin1String("\"\""));
            return QLatin1Char('"') + text + QLatin1Char('"');
        }
        return text;
    };
    QString out;
    QStringList line;
    for (const QString &f : data.fieldNames())
        line << quote(f);
    out += line.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (int r = 0; r < data.rowCount(); ++r) {
        line.clear();
        for (int c = 0; c < data.fieldCount(); ++c)
            line << quote(ReportValue::toText(data.value(r, c)));
        out += line.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write("\xEF\xBB\xBF") < 0 || f.write(out.toUtf8()) < 0 || !f.commit()) {
        if (error)
            *error = QStringLiteral("无法写入文件 %1：%2").arg(file, f.errorString());
        return false;
    }
    return true;
}

bool ReportExporter::print(const PreparedReport &report, QPrinter *printer, int fromPage, int toPage, QString *error)
{
    if (report.pageCount() == 0)
        return true;
    printer->setFullPage(true);
    printer->setPageLayout(pageLayout(report.page));
    const int first = std::clamp(fromPage > 0 ? fromPage : 1, 1, report.pageCount());
    const int last = std::clamp(toPage > 0 ? toPage : report.pageCount(), first, report.pageCount());
    const int copies = printer->supportsMultipleCopies() ? 1 : std::max(1, printer->copyCount());

    // "Print to file" writes our own PDF, whose text can be searched and copied.
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty()) {
        PreparedReport part = report;
        part.pages.clear();
        for (int c = 0; c < copies; ++c)
            for (int i = first; i <= last; ++i)
                part.pages.push_back(report.pages[i - 1]);
        return exportPdf(part, printer->outputFileName(), error, printer->docName());
    }

    QPainter painter;
    if (!painter.begin(printer)) {
        if (error)
            *error = QStringLiteral("无法开始打印");
        return false;
    }
    const double u = printer->resolution() / 25.4;
    bool firstSheet = true;
    for (int c = 0; c < copies; ++c) {
        for (int i = first; i <= last; ++i) {
            if (!firstSheet)
                printer->newPage();
            firstSheet = false;
            ReportPainter::paintPage(painter, report, i - 1, u);
        }
    }
    painter.end();
    return true;
}
