#pragma once

#include <QWidget>

class PreparedReport;

// Shows one page of a prepared report at a zoom factor (1.0: real size on the screen).
class ReportPageView : public QWidget
{
    Q_OBJECT
public:
    explicit ReportPageView(const PreparedReport &report, QWidget *parent = nullptr);

    void setPage(int page);
    int page() const { return m_page; }
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    // Pixels per millimetre at zoom 1.
    double screenUnitsPerMm() const;

    QSize sizeHint() const override;

signals:
    void zoomWheel(int steps);

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    const PreparedReport &m_report;
    int m_page = 0;
    double m_zoom = 1.0;
};
