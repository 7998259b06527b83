#pragma once

#include "data/sqlparams.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// The rows a DataGrid shows: named fields (columns of a query result) and typed values.
// Subclasses hold the values; this base answers field lookup, cached column sums and the sort
// order of a column computed from typed keys.
class QSqlQuery;
class TdmData;

class GridDataModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // A row's position in a sort: values compare by kind first (empty, number, date, text),
    // then by key (the number, the date, or the rank of the text).
    struct SortEntry {
        quint8 kind;
        double key;
        int row;
    };
    enum SortKind : quint8 { SortEmpty = 0, SortNumber = 1, SortDate = 2, SortText = 3, SortOther = 4 };

    explicit GridDataModel(QObject *parent = nullptr);

    const QStringList &fieldNames() const { return m_fields; }
    // Index of a field, compared without regard to case; -1 when absent.
    int fieldIndex(const QString &name) const;
    QString fieldName(int column) const { return m_fields.value(column); }

    // Runs the statement with its values bound and loads the result. On failure shows
    // "打开操作失败，请检查数据连接... " (kind 3), keeps the rows it had and returns false.
    bool load(TdmData &dm, const QString &select, const SqlParams &params = {});
    // Loads the rows of an executed query.
    virtual void loadFrom(QSqlQuery &query) = 0;

    // Whether a result is loaded (the grid's query is open).
    bool isOpen() const { return m_open; }

    virtual QVariant value(int row, int column) const = 0;
    QVariant value(int row, const QString &field) const;
    // The value as a number; *ok is false for empty and non-numeric values.
    virtual double number(int row, int column, bool *ok) const;
    // Whether the field holds numbers (numbers align right by default).
    virtual bool isNumericColumn(int column) const;

    // Sum of the numeric values of a column, computed once per result and kept up to date
    // when values change.
    double columnSum(int column) const;

    // The rows in the order of the column's values (stable: equal values keep their order).
    QVector<int> sortedRows(int column, Qt::SortOrder order) const;

    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    void setFieldNames(const QStringList &fields);
    void setOpen(bool open) { m_open = open; }
    // Fills one entry per row with the column's sort keys.
    virtual void sortKeys(int column, QVector<SortEntry> *entries) const;
    // Sort keys from a value; text is ranked afterwards by the caller.
    static quint8 classify(const QVariant &v, double *key);

private:
    void invalidateSums(int first = 0, int last = -1);

    QStringList m_fields;
    QHash<QString, int> m_fieldIndex;   // lower-cased name -> column
    bool m_open = false;
    mutable QVector<double> m_sums;
    mutable QVector<bool> m_sumValid;
};
