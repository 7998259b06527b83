#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QPixmap>

class PreparedReport;

// The pages of a prepared report as a list of small pictures, drawn when first shown.
class ReportThumbnailModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit ReportThumbnailModel(const PreparedReport &report, int width, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QSize thumbnailSize() const;

private:
    const PreparedReport &m_report;
    int m_width;
    mutable QHash<int, QPixmap> m_cache;
};
