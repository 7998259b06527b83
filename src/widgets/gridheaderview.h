#pragma once

#include <QColor>
#include <QHeaderView>

// The title row of a DataGrid: captions with the columns' title alignment and every column's
// own sort marker (several columns may carry one).
class GridHeaderView : public QHeaderView
{
    Q_OBJECT
public:
    explicit GridHeaderView(QWidget *parent = nullptr);

    void setTitleColor(const QColor &c);
    QColor titleColor() const { return m_color; }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    QColor m_color;
};
