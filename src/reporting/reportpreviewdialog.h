#pragma once

#include "preparedreport.h"
#include "reportdatasource.h"

#include <QDialog>

#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QListView;
class QScrollArea;
class QSpinBox;
class QStackedWidget;
class ReportPageView;
class ReportThumbnailModel;

// The preview of a prepared report: page thumbnails, the page at a zoom, page navigation,
// printing through the system's print dialog and export to PDF and PNG pages.
class ReportPreviewDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ReportPreviewDialog(PreparedReport report, const QString &title = {}, QWidget *parent = nullptr);
    ~ReportPreviewDialog() override;

    const PreparedReport &report() const { return m_report; }
    int currentPage() const { return m_page; }  // 0-based
    double zoom() const;

    void setCurrentPage(int page);
    void setZoom(double zoom);
    void fitWidth();
    void fitPage();

    // The rows behind the report (frxDM), offered as a CSV export.
    void setData(std::shared_ptr<const ReportDataSource> data);

    // Exports without asking for a file; false with a message shown on failure. Images go to
    // "<base>-001.<format>", ... in png, jpg or bmp.
    bool exportPdf(const QString &file);
    bool exportImages(const QString &base, const QString &format = QStringLiteral("png"));
    bool exportCsv(const QString &file);

    // Zoom steps offered by the zoom box and the zoom buttons.
    static QList<double> zoomSteps();

public slots:
    void printReport();
    void exportPdfAsk();
    void exportImagesAsk();
    void exportCsvAsk();
    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();
    void zoomIn();
    void zoomOut();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildUi(const QString &title);
    void updateState();
    void applyZoomText(const QString &text);

    PreparedReport m_report;
    std::shared_ptr<const ReportDataSource> m_data;
    int m_page = 0;
    enum class Fit { None, Width, Page } m_fit = Fit::None;

    ReportPageView *m_view = nullptr;
    ReportThumbnailModel *m_thumbModel = nullptr;
    QListView *m_thumbs = nullptr;
    QScrollArea *m_scroll = nullptr;
    QStackedWidget *m_stack = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QLabel *m_pageCount = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QLabel *m_status = nullptr;
    QAction *m_print = nullptr;
    QAction *m_pdf = nullptr;
    QAction *m_png = nullptr;
    QAction *m_csv = nullptr;
    QAction *m_first = nullptr;
    QAction *m_prior = nullptr;
    QAction *m_next = nullptr;
    QAction *m_last = nullptr;
};
