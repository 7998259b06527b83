#pragma once

#include "data/sqlparams.h"
#include "griddatamodel.h"

#include <QVector>

class QSqlQuery;
class TdmData;

// Editable rows (document lines, code lists) held in memory with their changes: inserted,
// changed and deleted rows are written by apply() inside the caller's transaction, so a failed
// save leaves the database untouched and the rows as the operator typed them.
//
// Typical use:
//   GridLineModel lines;
//   lines.load(dm, "SELECT F_ID, F_Code, F_GoodCode, F_Amount FROM depotD WHERE F_Code = :c", {{"c", code}});
//   ... the grid edits the rows ...
//   DbTransaction t(dm);
//   lines.apply(dm, "depotD", "F_ID", {"F_Code", "F_GoodCode", "F_Amount"}, {{"F_Code", newCode}});
//   t.commit();
//   lines.acceptChanges();
class GridLineModel : public GridDataModel
{
    Q_OBJECT
public:
    enum class RowState { Unchanged, Inserted, Changed };

    explicit GridLineModel(QObject *parent = nullptr);

    // Runs the statement and loads its rows as unchanged rows. On failure shows
    // "打开操作失败，请检查数据连接... " and keeps the rows it had.
    using GridDataModel::load;
    // Loads the rest of an executed query.
    void loadFrom(QSqlQuery &query) override;
    // An open, empty model with the given fields (a new document before its first line) and,
    // optionally, their value types (texts typed into a number or date field are converted).
    void setFields(const QStringList &fields, const QList<QMetaType> &types = {});
    void close();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    using GridDataModel::value;
    QVariant value(int row, int column) const override;
    bool isNumericColumn(int column) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

    // Sets one value; false for an unknown field or row.
    bool setValue(int row, const QString &field, const QVariant &value);
    // Appends an empty row (marked inserted) and returns its index.
    int appendRow();
    // Appends a row with the given values by field name.
    int appendRow(const QVariantMap &values);

    RowState rowState(int row) const;
    bool isDirty() const;
    int deletedCount() const { return int(m_deleted.size()); }

    // Writes the changes with bound statements: deletes by key, updates the changed columns of
    // changed rows, inserts new rows (the key is left to the database). `columns` lists the
    // fields written (the key is never written); `fixed` gives values written into every
    // inserted and changed row (for example the document code). Throws DbError on failure;
    // the model is not changed, so the caller may roll back and try again.
    void apply(TdmData &dm, const QString &table, const QString &keyField, const QStringList &columns,
               const SqlParams &fixed = {});
    // After the transaction of apply() committed: the rows become unchanged, inserted rows
    // receive their new keys, deleted rows are forgotten.
    void acceptChanges();
    // Goes back to the rows as loaded (or as last accepted).
    void revert() override;

private:
    struct Row {
        QVector<QVariant> values;
        QVector<QVariant> original;   // as loaded; empty for inserted rows
        RowState state = RowState::Unchanged;
        qint64 uid = 0;               // identifies the row between apply() and acceptChanges()
    };
    static bool sameValue(const QVariant &a, const QVariant &b);
    // The value converted to the field's type; false when a text is not a number (or a date)
    // the field needs.
    bool convert(int column, const QVariant &in, QVariant *out) const;
    QString checkedIdentifier(const QString &name) const;

    QVector<Row> m_rows;
    QVector<Row> m_deleted;
    QVector<Row> m_accepted;          // the rows revert() returns to
    QHash<qint64, QVariant> m_newKeys; // keys the database gave to inserted rows in apply()
    QList<QMetaType> m_types;
    int m_keyColumn = -1;
    qint64 m_nextUid = 1;
};
