#pragma once

#include "data/sqlparams.h"
#include "griddatamodel.h"
#include "gridcolumnvalues.h"

class QSqlQuery;
class TdmData;

// A read-only query result held in memory column by column. Rows are read once, forward only;
// a million rows of a dozen fields take a few hundred bytes per row at most.
class GridResultModel : public GridDataModel
{
    Q_OBJECT
public:
    explicit GridResultModel(QObject *parent = nullptr);

    // Runs the statement with its values bound and loads the result. On failure shows
    // "打开操作失败，请检查数据连接... " and keeps the rows it had.
    using GridDataModel::load;
    // Loads the rest of an executed query (read forward).
    void loadFrom(QSqlQuery &query) override;
    // Forgets the result (the query is closed).
    void close();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    using GridDataModel::value;
    QVariant value(int row, int column) const override;
    double number(int row, int column, bool *ok) const override;
    bool isNumericColumn(int column) const override;

    qint64 bytes() const;

protected:
    void sortKeys(int column, QVector<SortEntry> *entries) const override;

private:
    QVector<GridColumnValues> m_columns;
    int m_rows = 0;
};
