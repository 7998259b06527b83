#include "typetree.h"

#include "data/dberror.h"
#include "data/sqldialect.h"
#include "data/tdmdata.h"

#include <QApplication>
#include <QSet>
#include <QSqlQuery>
#include <QStyle>
#include <QTreeWidget>
#include <QTreeWidgetItem>

namespace TypeTree {

namespace {

const char *const TypesOfKind = "select F_code, F_name, F_likecode from t_treecode where F_flag = :kind order by F_code";

// Largest code that begins with the prefix and is at most one level below it.
const char *const MaxCodeBelow = "select max(F_code) from t_treecode where F_code like :prefix ESCAPE '\\' "
                                 "and F_flag = :kind and length(F_code) <= :len";
// Every code one level below the prefix.
const char *const CodesOneLevelBelow = "select F_code from t_treecode where F_code like :prefix ESCAPE '\\' "
                                       "and F_flag = :kind and length(F_code) = :len";

QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const TypeNodeRecord &r)
{
    auto *node = new QTreeWidgetItem(parent);
    r.storeOn(node);
    return node;
}

void updateSubtreeImages(QTreeWidgetItem *node)
{
    updateImages(node);
    for (int i = 0; i < node->childCount(); ++i)
        updateSubtreeImages(node->child(i));
}

QString threeDigits(int n)
{
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

} // namespace

int level(const QTreeWidgetItem *node)
{
    int n = 0;
    for (const QTreeWidgetItem *p = node ? node->parent() : nullptr; p; p = p->parent())
        ++n;
    return n;
}

QIcon image(int index)
{
    QStyle *style = QApplication::style();
    switch (index) {
    case 0:
        return style->standardIcon(QStyle::SP_DriveHDIcon);
    case 1:
        return style->standardIcon(QStyle::SP_DirClosedIcon);
    case 3:
        return style->standardIcon(QStyle::SP_DirOpenIcon);
    default:
        return style->standardIcon(QStyle::SP_FileIcon);
    }
}

void updateImages(QTreeWidgetItem *node)
{
    if (!node)
        return;
    int normal = 2;
    int selected = 3;
    const int lv = level(node);
    if (lv == 0) {
        normal = selected = 0;
    } else if (lv == 1 && node->childCount() > 0) {
        normal = selected = 1;
    }
    const QSize size(16, 16);
    QIcon icon;
    icon.addPixmap(image(normal).pixmap(size), QIcon::Normal);
    icon.addPixmap(image(selected).pixmap(size), QIcon::Selected);
    node->setIcon(0, icon);
}

bool LoadTypeTree(QTreeWidget *tree, const QString &rootCaption, const QString &kind, TdmData *dm)
{
    if (!tree)
        return false;
    tree->clear();
    auto *root = new QTreeWidgetItem(tree);
    TypeNodeRecord{0, RootCode(), rootCaption, RootPath()}.storeOn(root, rootCaption);
    updateImages(root);

    if (!dm)
        dm = TdmData::instance();
    if (!dm)
        return false;
    QSqlQuery q(dm->db());
    if (!dm->OpenQuery(QLatin1String(TypesOfKind), q, {{QStringLiteral("kind"), kind}}))
        return false;

    QTreeWidgetItem *last = root;
    int previous = 0;
    while (q.next()) {
        TypeNodeRecord r;
        r.code = q.value(0).toString();
        r.name = q.value(1).toString();
        r.path = q.value(2).toString();
        r.codeLength = int(r.code.size());
        const int len = r.codeLength;
        QTreeWidgetItem *node = nullptr;
        if (len > previous) {
            node = addNode(last, r);
        } else {
            // Up to the node whose code is as long as this one; it becomes the new node's
            // sibling. A code whose length matches no ancestor goes under the root.
            QTreeWidgetItem *sibling = last;
            while (sibling->parent() && TypeNodeRecord::of(sibling).codeLength > len)
                sibling = sibling->parent();
            node = addNode(sibling->parent() ? sibling->parent() : root, r);
        }
        if (level(node) == 1)
            node->setExpanded(true);
        last = node;
        previous = len;
    }
    q.finish();
    updateSubtreeImages(root);
    return true;
}

QString TypePath(const QTreeWidgetItem *node, int mode)
{
    if (node && mode == 2)
        node = node->parent();
    if (!node || level(node) < 1)
        return RootPath();
    QString path = QLatin1Char('\\') + TypeNodeRecord::of(node).name;
    while (level(node) > 1) {
        node = node->parent();
        path.prepend(QLatin1Char('\\') + TypeNodeRecord::of(node).name);
    }
    return QLatin1Char('\\') + path;
}

std::optional<QString> NextTypeCode(TdmData &dm, const QString &code, const QString &kind, int mode)
{
    const QString prefix = mode == 1 ? code.left(qMax(0, code.size() - 3)) : code;
    const int childLength = int(prefix.size()) + 3;
    const QString pattern = SqlDialect::escapeLike(prefix) + QLatin1Char('%');

    QSqlQuery q(dm.db());
    dm.exec(q, QLatin1String(MaxCodeBelow),
            {{QStringLiteral("prefix"), pattern}, {QStringLiteral("kind"), kind}, {QStringLiteral("len"), childLength}});
    QString s;
    if (q.next() && !q.value(0).isNull())
        s = q.value(0).toString();
    q.finish();

    if (mode == 1) {
        if (s.size() != code.size())
            s = s.left(code.size());
    } else if (s.size() == code.size()) {
        // No child yet: the largest code is the type itself (for the root both are empty).
        s += QStringLiteral("000");
    }

    QString head;
    QString tail;
    if (s.size() >= 3) {
        head = s.left(s.size() - 3);
        tail = s.right(3);
    }
    if (tail.isEmpty())
        return mode == 1 ? QStringLiteral("001") : head + QStringLiteral("001");

    bool ok = false;
    const int n = tail.toInt(&ok);
    if (ok && n < 999)
        return head + threeDigits(n + 1);

    // The largest code is 999: a code freed by a deletion may still be taken.
    dm.exec(q, QLatin1String(CodesOneLevelBelow),
            {{QStringLiteral("prefix"), SqlDialect::escapeLike(head) + QLatin1Char('%')},
             {QStringLiteral("kind"), kind},
             {QStringLiteral("len"), int(head.size()) + 3}});
    QSet<int> used;
    while (q.next()) {
        bool isNumber = false;
        const int taken = q.value(0).toString().right(3).toInt(&isNumber);
        if (isNumber)
            used.insert(taken);
    }
    q.finish();
    for (int free = 1; free <= 999; ++free)
        if (!used.contains(free))
            return head + threeDigits(free);
    return std::nullopt;
}

QString reduceBackslashes(QString path)
{
    path.replace(QStringLiteral("\\\\\\"), QStringLiteral("\\\\"));
    return path;
}

bool isPathOrBelow(const QString &stored, const QString &path)
{
    return stored.compare(path, Qt::CaseInsensitive) == 0
        || stored.startsWith(path + QLatin1Char('\\'), Qt::CaseInsensitive);
}

QString replacePathHead(const QString &stored, const QString &oldPath, const QString &newPath)
{
    if (!isPathOrBelow(stored, oldPath))
        return stored;
    return newPath + stored.mid(oldPath.size());
}

QList<QTreeWidgetItem *> findByPath(QTreeWidget *tree, const QString &path)
{
    QList<QTreeWidgetItem *> out;
    if (!tree)
        return out;
    QList<QTreeWidgetItem *> pending;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        pending << tree->topLevelItem(i);
    while (!pending.isEmpty()) {
        QTreeWidgetItem *node = pending.takeFirst();
        if (TypeNodeRecord::of(node).path.compare(path, Qt::CaseInsensitive) == 0)
            out << node;
        for (int i = 0; i < node->childCount(); ++i)
            pending << node->child(i);
    }
    return out;
}

} // namespace TypeTree
