#pragma once

#include <QColor>
#include <QWidget>

class QTableView;
class GridViewModel;

// The footer row under a DataGrid's rows: per column a fixed text or the formatted sum, lined up
// with the column and scrolled with it.
class GridFooterBar : public QWidget
{
    Q_OBJECT
public:
    GridFooterBar(QTableView *view, GridViewModel *model, QWidget *parent);

    void setColor(const QColor &c);
    QColor color() const { return m_color; }
    int preferredHeight() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTableView *m_view;
    GridViewModel *m_model;
    QColor m_color;
};
