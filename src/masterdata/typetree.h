#pragma once

#include "typenoderecord.h"

#include <QIcon>
#include <QList>
#include <QString>

#include <optional>

class QTreeWidget;
class QTreeWidgetItem;
class TdmData;

// The goods-type tree services used by the tree window, the goods list and the goods selection
// dialog. Types are rows of t_treecode: a code of three-digit segments (one per level), the
// type's name and its path "\\" + names from the first level down joined by "\". The root is
// not stored; in a view it is a node with the code "000" and the path "\\".
//
//   TypeTree::LoadTypeTree(tree, "货品类型", TypeTree::GoodsKind);
//   const QString path = TypeTree::TypePath(tree->currentItem(), 1);
namespace TypeTree {

// The tree kind the program uses.
inline QString GoodsKind() { return QStringLiteral("goodtype"); }
// The root's code and path.
inline QString RootCode() { return QStringLiteral("000"); }
inline QString RootPath() { return QStringLiteral("\\\\"); }

// Fills a tree view: the root node with the caption first, then every type of the kind in code
// order under its parent; first-level nodes expanded. False when the types could not be read
// (the failure is shown; the view then holds the root only).
bool LoadTypeTree(QTreeWidget *tree, const QString &rootCaption, const QString &kind, TdmData *dm = nullptr);

// The path of a node (mode 1) or of its parent (mode 2), built from the names the nodes hold.
// The node (mode 1) or its parent (mode 2) must be at level 1 or deeper; otherwise the root's
// path "\\" is returned.
QString TypePath(const QTreeWidgetItem *node, int mode);

// The next free code for a new sibling of the type `code` (mode 1) or for a new child of it
// (mode 2; an empty code stands for the root). std::nullopt when the level holds 999 types
// already (codes end at 999 and never wrap to 000). Throws DbError when the read fails.
std::optional<QString> NextTypeCode(TdmData &dm, const QString &code, const QString &kind, int mode);

// Three backslashes in a row become two (a name typed with a leading backslash).
QString reduceBackslashes(QString path);

// Whether a stored path is the path itself or the path of one of its descendants.
bool isPathOrBelow(const QString &stored, const QString &path);
// A path of the type or a descendant with the type's path replaced by a new one.
QString replacePathHead(const QString &stored, const QString &oldPath, const QString &newPath);

// Level of a node: 0 the root, 1 a first-level type, ...
int level(const QTreeWidgetItem *node);
inline bool isRoot(const QTreeWidgetItem *node) { return node && level(node) == 0; }

// The images of the tree's image list: 0 the root, 1 a first-level type with children, 2 any
// other type, 3 a selected type other than a first-level type with children.
QIcon image(int index);
// Gives the node the images of its kind (normal and selected); call again when its children
// change.
void updateImages(QTreeWidgetItem *node);

// The nodes whose path equals the given one (without regard to case).
QList<QTreeWidgetItem *> findByPath(QTreeWidget *tree, const QString &path);

} // namespace TypeTree
