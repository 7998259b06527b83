#include "typenoderecord.h"

#include <QTreeWidgetItem>

namespace {
enum Role { LengthRole = Qt::UserRole + 1, CodeRole, NameRole, PathRole };
}

TypeNodeRecord TypeNodeRecord::of(const QTreeWidgetItem *node)
{
    TypeNodeRecord r;
    if (!node)
        return r;
    r.codeLength = node->data(0, LengthRole).toInt();
    r.code = node->data(0, CodeRole).toString();
    r.name = node->data(0, NameRole).toString();
    r.path = node->data(0, PathRole).toString();
    return r;
}

void TypeNodeRecord::storeOn(QTreeWidgetItem *node, const QString &text) const
{
    if (!node)
        return;
    node->setData(0, LengthRole, codeLength);
    node->setData(0, CodeRole, code);
    node->setData(0, NameRole, name);
    node->setData(0, PathRole, path);
    node->setText(0, text.isEmpty() ? name : text);
}
