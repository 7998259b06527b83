#include "reportthumbnailmodel.h"

#include "preparedreport.h"
#include "reportexporter.h"

#include <QPainter>

ReportThumbnailModel::ReportThumbnailModel(const PreparedReport &report, int width, QObject *parent)
    : QAbstractListModel(parent), m_report(report), m_width(width)
{
}

int ReportThumbnailModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_report.pageCount();
}

QSize ReportThumbnailModel::thumbnailSize() const
{
    const QSizeF mm = m_report.page.pageSize();
    return QSize(m_width, int(m_width * mm.height() / std::max(1.0, mm.width())));
}

QVariant ReportThumbnailModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_report.pageCount())
        return {};
    if (role == Qt::DisplayRole)
        return QString::number(index.row() + 1);
    if (role == Qt::DecorationRole) {
        auto it = m_cache.constFind(index.row());
        if (it != m_cache.constEnd())
            return *it;
        const double dpi = m_width / (m_report.page.pageSize().width() / 25.4);
        QImage image = ReportExporter::renderPage(m_report, index.row(), dpi);
        QPixmap pm = QPixmap::fromImage(image);
        QPainter p(&pm);
        p.setPen(Qt::gray);
        p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
        p.end();
        m_cache.insert(index.row(), pm);
        return pm;
    }
    if (role == Qt::SizeHintRole)
        return thumbnailSize() + QSize(12, 28);
    return {};
}
