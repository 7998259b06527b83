#include "reportpreviewdialog.h"

#include "reportexporter.h"
#include "reportpageview.h"
#include "reportthumbnailmodel.h"

#include "platform/dispformpos.h"
#include "platform/showmess.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

ReportPreviewDialog::ReportPreviewDialog(PreparedReport report, const QString &title, QWidget *parent)
    : QDialog(parent), m_report(std::move(report))
{
    setObjectName(QStringLiteral("ReportPreview"));
    buildUi(title);
    setCurrentPage(0);
    setZoom(1.0);
    updateState();
}

ReportPreviewDialog::~ReportPreviewDialog() = default;

QList<double> ReportPreviewDialog::zoomSteps()
{
    return {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
}

void ReportPreviewDialog::buildUi(const QString &title)
{
    setWindowTitle(title.isEmpty() ? QStringLiteral("报表预览") : QStringLiteral("报表预览 - %1").arg(title));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbPreview"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto action = [this, bar](const char *name, const QString &text, const QKeySequence &key, void (ReportPreviewDialog::*slot)()) {
        QAction *a = bar->addAction(text);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    m_print = action("actPrint", QStringLiteral("打印"), QKeySequence::Print, &ReportPreviewDialog::printReport);
    m_pdf = action("actExportPdf", QStringLiteral("导出PDF"), QKeySequence(), &ReportPreviewDialog::exportPdfAsk);
    m_png = action("actExportPng", QStringLiteral("导出图片"), QKeySequence(), &ReportPreviewDialog::exportImagesAsk);
    m_csv = action("actExportCsv", QStringLiteral("导出数据"), QKeySequence(), &ReportPreviewDialog::exportCsvAsk);
    bar->addSeparator();
    m_first = action("actFirst", QStringLiteral("首页"), QKeySequence(Qt::CTRL | Qt::Key_Home), &ReportPreviewDialog::firstPage);
    m_prior = action("actPrior", QStringLiteral("上页"), QKeySequence(Qt::Key_PageUp), &ReportPreviewDialog::priorPage);
    m_pageBox = new QSpinBox(bar);
    m_pageBox->setObjectName(QStringLiteral("spnPage"));
    m_pageBox->setMinimum(1);
    m_pageBox->setMaximum(std::max(1, m_report.pageCount()));
    bar->addWidget(m_pageBox);
    m_pageCount = new QLabel(bar);
    m_pageCount->setObjectName(QStringLiteral("lblPageCount"));
    bar->addWidget(m_pageCount);
    m_next = action("actNext", QStringLiteral("下页"), QKeySequence(Qt::Key_PageDown), &ReportPreviewDialog::nextPage);
    m_last = action("actLast", QStringLiteral("末页"), QKeySequence(Qt::CTRL | Qt::Key_End), &ReportPreviewDialog::lastPage);
    bar->addSeparator();
    action("actZoomOut", QStringLiteral("缩小"), QKeySequence(Qt::CTRL | Qt::Key_Minus), &ReportPreviewDialog::zoomOut);
    m_zoomBox = new QComboBox(bar);
    m_zoomBox->setObjectName(QStringLiteral("cbbZoom"));
    m_zoomBox->setEditable(true);
    for (double z : zoomSteps())
        m_zoomBox->addItem(QStringLiteral("%1%").arg(std::lround(z * 100)));
    m_zoomBox->addItem(QStringLiteral("页宽"));
    m_zoomBox->addItem(QStringLiteral("整页"));
    bar->addWidget(m_zoomBox);
    action("actZoomIn", QStringLiteral("放大"), QKeySequence(Qt::CTRL | Qt::Key_Plus), &ReportPreviewDialog::zoomIn);
    bar->addSeparator();
    QAction *close = bar->addAction(QStringLiteral("关闭"));
    close->setObjectName(QStringLiteral("actClose"));
    connect(close, &QAction::triggered, this, &QDialog::accept);

    m_thumbModel = new ReportThumbnailModel(m_report, 110, this);
    m_thumbs = new QListView(this);
    m_thumbs->setObjectName(QStringLiteral("lstThumbs"));
    m_thumbs->setModel(m_thumbModel);
    m_thumbs->setViewMode(QListView::ListMode);
    m_thumbs->setIconSize(m_thumbModel->thumbnailSize());
    m_thumbs->setUniformItemSizes(true);
    m_thumbs->setSpacing(4);
    m_thumbs->setMinimumWidth(150);
    m_thumbs->setMaximumWidth(190);
    connect(m_thumbs->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && current.row() != m_page)
                    setCurrentPage(current.row());
            });

    m_view = new ReportPageView(m_report, this);
    connect(m_view, &ReportPageView::zoomWheel, this, [this](int steps) { steps > 0 ? zoomIn() : zoomOut(); });
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPage"));
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto *empty = new QLabel(QStringLiteral("没有可打印的页面"), this);
    empty->setObjectName(QStringLiteral("lblEmpty"));
    empty->setAlignment(Qt::AlignCenter);
    m_stack = new QStackedWidget(this);
    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_thumbs);
    splitter->addWidget(m_scroll);
    splitter->setStretchFactor(1, 1);
    m_stack->addWidget(splitter);
    m_stack->addWidget(empty);

    auto *statusBar = new QStatusBar(this);
    m_status = new QLabel(statusBar);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    statusBar->addWidget(m_status, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_stack, 1);
    layout->addWidget(statusBar);

    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int v) {
        if (v - 1 != m_page)
            setCurrentPage(v - 1);
    });
    connect(m_zoomBox, &QComboBox::textActivated, this, &ReportPreviewDialog::applyZoomText);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(std::min(1100, avail.width() * 9 / 10), std::min(900, avail.height() * 9 / 10));
    } else {
        resize(1000, 800);
    }
    DispFormPos(this, 1);
}

double ReportPreviewDialog::zoom() const
{
    return m_view->zoom();
}

void ReportPreviewDialog::setCurrentPage(int page)
{
    if (m_report.pageCount() == 0) {
        m_page = 0;
        updateState();
        return;
    }
    m_page = std::clamp(page, 0, m_report.pageCount() - 1);
    m_view->setPage(m_page);
    m_thumbs->setCurrentIndex(m_thumbModel->index(m_page));
    m_scroll->verticalScrollBar()->setValue(0);
    updateState();
}

void ReportPreviewDialog::setZoom(double zoom)
{
    m_fit = Fit::None;
    m_view->setZoom(zoom);
    m_zoomBox->setCurrentText(QStringLiteral("%1%").arg(std::lround(m_view->zoom() * 100)));
}

void ReportPreviewDialog::fitWidth()
{
    const double avail = m_scroll->viewport()->width() - 30;
    const double pageWidth = m_report.page.pageSize().width() * m_view->screenUnitsPerMm();
    if (pageWidth > 0)
        setZoom(std::max(0.1, avail / pageWidth));
    m_fit = Fit::Width;
    m_zoomBox->setCurrentText(QStringLiteral("页宽"));
}

void ReportPreviewDialog::fitPage()
{
    const QSizeF mm = m_report.page.pageSize();
    const double u = m_view->screenUnitsPerMm();
    const double zx = (m_scroll->viewport()->width() - 30) / std::max(1.0, mm.width() * u);
    const double zy = (m_scroll->viewport()->height() - 30) / std::max(1.0, mm.height() * u);
    setZoom(std::max(0.1, std::min(zx, zy)));
    m_fit = Fit::Page;
    m_zoomBox->setCurrentText(QStringLiteral("整页"));
}

void ReportPreviewDialog::applyZoomText(const QString &text)
{
    if (text == QStringLiteral("页宽")) {
        fitWidth();
        return;
    }
    if (text == QStringLiteral("整页")) {
        fitPage();
        return;
    }
    QString digits = text;
    digits.remove(QLatin1Char('%'));
    bool ok = false;
    const double percent = digits.trimmed().toDouble(&ok);
    if (ok && percent > 0)
        setZoom(percent / 100.0);
    else
        setZoom(m_view->zoom());
}

void ReportPreviewDialog::zoomIn()
{
    for (double z : zoomSteps()) {
        if (z > m_view->zoom() + 1e-6) {
            setZoom(z);
            return;
        }
    }
}

void ReportPreviewDialog::zoomOut()
{
    const QList<double> steps = zoomSteps();
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        if (*it < m_view->zoom() - 1e-6) {
            setZoom(*it);
            return;
        }
    }
}

void ReportPreviewDialog::firstPage() { setCurrentPage(0); }
void ReportPreviewDialog::priorPage() { setCurrentPage(m_page - 1); }
void ReportPreviewDialog::nextPage() { setCurrentPage(m_page + 1); }
void ReportPreviewDialog::lastPage() { setCurrentPage(m_report.pageCount() - 1); }

void ReportPreviewDialog::updateState()
{
    const int n = m_report.pageCount();
    const bool any = n > 0;
    m_stack->setCurrentIndex(any ? 0 : 1);
    m_print->setEnabled(any);
    m_pdf->setEnabled(any);
    m_png->setEnabled(any);
    m_csv->setEnabled(m_data && m_data->rowCount() > 0);
    m_first->setEnabled(any && m_page > 0);
    m_prior->setEnabled(any && m_page > 0);
    m_next->setEnabled(any && m_page < n - 1);
    m_last->setEnabled(any && m_page < n - 1);
    m_pageBox->setEnabled(any);
    {
        const QSignalBlocker block(m_pageBox);
        m_pageBox->setValue(m_page + 1);
    }
    m_pageCount->setText(QStringLiteral(" / %1 ").arg(n));
    QString status = any ? QStringLiteral("第 %1 页，共 %2 页").arg(m_page + 1).arg(n) : QStringLiteral("没有可打印的页面");
    if (!m_report.warnings.isEmpty()) {
        status += QStringLiteral("    模板有 %1 处问题（见提示）").arg(m_report.warnings.size());
        m_status->setToolTip(m_report.warnings.join(QLatin1Char('\n')));
    }
    m_status->setText(status);
}

void ReportPreviewDialog::printReport()
{
    if (m_report.pageCount() == 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportExporter::pageLayout(m_report.page));
    printer.setFullPage(true);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("打印"));
    dialog.setMinMax(1, m_report.pageCount());
    dialog.setFromTo(1, m_report.pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = 0, to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        from = to = m_page + 1;
    }
    QString error;
    if (!ReportExporter::print(m_report, &printer, from, to, &error))
        ShowMess(error, MessError, this);
}

bool ReportPreviewDialog::exportPdf(const QString &file)
{
    QString error;
    if (!ReportExporter::exportPdf(m_report, file, &error, windowTitle())) {
        ShowMess(error, MessError, this);
        return false;
    }
    return true;
}

void ReportPreviewDialog::setData(std::shared_ptr<const ReportDataSource> data)
{
    m_data = std::move(data);
    updateState();
}

bool ReportPreviewDialog::exportImages(const QString &base, const QString &format)
{
    QString error;
    if (!ReportExporter::exportImages(m_report, base, format, 150, nullptr, &error)) {
        ShowMess(error, MessError, this);
        return false;
    }
    return true;
}

bool ReportPreviewDialog::exportCsv(const QString &file)
{
    if (!m_data)
        return false;
    QString error;
    if (!ReportExporter::exportCsv(*m_data, file, &error)) {
        ShowMess(error, MessError, this);
        return false;
    }
    return true;
}

void ReportPreviewDialog::exportPdfAsk()
{
    QString file = QFileDialog::getSaveFileName(this, QStringLiteral("导出PDF"), QString(), QStringLiteral("PDF 文件 (*.pdf)"));
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    exportPdf(file);
}

void ReportPreviewDialog::exportImagesAsk()
{
    const QString png = QStringLiteral("PNG 图片 (*.png)");
    const QString jpg = QStringLiteral("JPEG 图片 (*.jpg)");
    const QString bmp = QStringLiteral("BMP 图片 (*.bmp)");
    QString filter = png;
    QString file = QFileDialog::getSaveFileName(this, QStringLiteral("导出图片（每页一个文件）"), QString(),
                                                QStringList{png, jpg, bmp}.join(QStringLiteral(";;")), &filter);
    if (file.isEmpty())
        return;
    QString format = filter == jpg ? QStringLiteral("jpg") : filter == bmp ? QStringLiteral("bmp") : QStringLiteral("png");
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("png") || suffix == QLatin1String("jpg") || suffix == QLatin1String("bmp")) {
        format = suffix;
        file.chop(suffix.size() + 1);
    }
    exportImages(file, format);
}

void ReportPreviewDialog::exportCsvAsk()
{
    QString file = QFileDialog::getSaveFileName(this, QStringLiteral("导出数据"), QString(), QStringLiteral("CSV 文件 (*.csv)"));
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".csv");
    exportCsv(file);
}

void ReportPreviewDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_fit == Fit::Width)
        fitWidth();
    else if (m_fit == Fit::Page)
        fitPage();
}
