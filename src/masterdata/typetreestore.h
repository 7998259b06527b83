#pragma once

#include <QString>

class TdmData;

// Writes the goods-type tree: adding a type, renaming one (its path carried into the goods and
// document lines filed under it) and deleting a type with its descendants. Every value is a
// bound parameter; paths are matched with escaped LIKE patterns.
class TypeTreeStore
{
public:
    // Where a failed rename stopped: carrying the path into the goods, lines and types, or
    // storing the new name. Either way nothing of the rename is kept.
    enum class RenameFailure { None, Paths, Name };

    TypeTreeStore(TdmData &dm, const QString &kind);

    // Adds a type below `parentCode` (empty for the root) with the next free code, computed
    // again inside the transaction with the table locked, so that two clients never store the
    // same code. Returns the stored code; an empty text when the level is full. Throws DbError.
    QString addType(const QString &parentCode, const QString &name, const QString &path);

    // Renames the type `code`: in one transaction the paths equal to oldPath or beginning with
    // oldPath + "\" are rewritten in t_goods, depotD, ddDepotD and t_treecode, then the type's
    // name and path are stored. A type whose path merely begins with the same text is left
    // alone. False on failure (rolled back); *failure tells which step failed.
    bool renameType(const QString &code, const QString &oldPath, const QString &newPath, const QString &newName,
                    RenameFailure *failure = nullptr);

    // Deletes the type and every type whose code begins with its code, through ExecCommand
    // (which shows a failure). Goods and lines keep their path text.
    bool deleteType(const QString &code);

private:
    TdmData &m_dm;
    QString m_kind;
};
