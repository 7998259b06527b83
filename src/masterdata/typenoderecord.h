#pragma once

#include <QString>

class QTreeWidgetItem;

// What each node of a goods-type tree view carries: the length of its code (0 for the root),
// the code, the type's own name and its path ("\\电器\电视").
struct TypeNodeRecord {
    int codeLength = 0;
    QString code;
    QString name;
    QString path;

    // The record held by a node (an empty record for nullptr).
    static TypeNodeRecord of(const QTreeWidgetItem *node);
    // Stores the record on the node; the node's text becomes its name unless `text` is given.
    void storeOn(QTreeWidgetItem *node, const QString &text = QString()) const;
};
