#include "griditemdelegate.h"

#include "datagrid.h"
#include "data/displayformat.h"
#include "gridviewmodel.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int ButtonWidth = 18;
}

GridItemDelegate::GridItemDelegate(DataGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

bool GridItemDelegate::hasButton(const QModelIndex &index) const
{
    if (!index.isValid() || index.column() >= m_grid->viewModel()->columns().size())
        return false;
    const GridColumn &c = m_grid->viewModel()->columns().at(index.column());
    if (!c.editButton)
        return false;
    return c.editButtonAlways || m_grid->currentIndex() == index;
}

QRect GridItemDelegate::buttonRect(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!hasButton(index))
        return QRect();
    const QRect r = option.rect;
    return QRect(r.right() - ButtonWidth + 1, r.top() + 1, ButtonWidth - 1, r.height() - 2);
}

void GridItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect button = buttonRect(option, index);
    QStyleOptionViewItem opt(option);
    // A row colour chosen by the grid's hook wins over the selection colours for the text.
    const QVariant fg = index.data(Qt::ForegroundRole);
    if (fg.isValid())
        opt.palette.setColor(QPalette::HighlightedText, fg.value<QColor>());
    if (button.isValid())
        opt.rect.setRight(button.left() - 1);
    QStyledItemDelegate::paint(painter, opt, index);
    if (!button.isValid())
        return;
    QStyleOptionButton b;
    b.rect = button;
    b.text = QStringLiteral("…");
    b.state = QStyle::State_Enabled | QStyle::State_Raised;
    b.palette = option.palette;
    const QWidget *w = option.widget;
    QStyle *style = w ? w->style() : QApplication::style();
    style->drawControl(QStyle::CE_PushButton, &b, painter, w);
}

QWidget *GridItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *e = new QLineEdit(parent);
    e->setFrame(false);
    e->setAlignment(m_grid->viewModel()->cellAlignment(index.column()) | Qt::AlignVCenter);
    return e;
}

void GridItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *e = qobject_cast<QLineEdit *>(editor);
    if (!e)
        return;
    // The editor shows the plain value (no currency sign or grouping), dates as yyyy-mm-dd.
    e->setText(DisplayFormat::formatValue(index.data(Qt::EditRole), QString()));
}

void GridItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *e = qobject_cast<QLineEdit *>(editor);
    if (!e)
        return;
    const QString before = DisplayFormat::formatValue(index.data(Qt::EditRole), QString());
    if (e->text() == before)
        return;
    model->setData(index, e->text(), Qt::EditRole);
}

void GridItemDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                            const QModelIndex &index) const
{
    QRect r = option.rect;
    const QRect button = buttonRect(option, index);
    if (button.isValid())
        r.setRight(button.left() - 1);
    editor->setGeometry(r);
}

bool GridItemDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                   const QModelIndex &index)
{
    if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonPress
        || event->type() == QEvent::MouseButtonDblClick) {
        auto *me = static_cast<QMouseEvent *>(event);
        const QRect button = buttonRect(option, index);
        if (me->button() == Qt::LeftButton && button.contains(me->position().toPoint())) {
            if (event->type() == QEvent::MouseButtonRelease)
                m_grid->pressEditButton(index);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
