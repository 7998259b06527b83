#include "reportinserttree.h"

#include <QHeaderView>
#include <QMimeData>

ReportInsertTree::ReportInsertTree(QWidget *parent) : QTreeWidget(parent)
{
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setRootIsDecorated(true);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item, int column) {
        const QString text = item->data(0, Qt::UserRole).toString();
        if (!text.isEmpty() && !(item->flags() & Qt::ItemIsEditable && column == 1))
            emit insertRequested(text);
    });
}

QTreeWidgetItem *ReportInsertTree::addGroup(const QString &caption)
{
    auto *item = new QTreeWidgetItem(this, {caption});
    item->setFlags(Qt::ItemIsEnabled);
    item->setExpanded(true);
    return item;
}

QTreeWidgetItem *ReportInsertTree::addEntry(QTreeWidgetItem *group, const QString &caption, const QString &insertText,
                                            const QString &tip, const QString &value)
{
    auto *item = new QTreeWidgetItem(group, {caption, value});
    item->setData(0, Qt::UserRole, insertText);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    if (!tip.isEmpty()) {
        item->setToolTip(0, tip);
        item->setToolTip(1, tip);
    }
    return item;
}

QStringList ReportInsertTree::mimeTypes() const
{
    return {QStringLiteral("text/plain")};
}

QMimeData *ReportInsertTree::mimeData(const QList<QTreeWidgetItem *> &items) const
{
    if (items.isEmpty())
        return nullptr;
    const QString text = items.first()->data(0, Qt::UserRole).toString();
    if (text.isEmpty())
        return nullptr;
    auto *mime = new QMimeData;
    mime->setText(text);
    return mime;
}
