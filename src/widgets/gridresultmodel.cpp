#include "gridresultmodel.h"

#include "data/tdmdata.h"
#include "platform/showmess.h"
#include "textranker.h"

#include <QSqlQuery>
#include <QSqlRecord>

GridResultModel::GridResultModel(QObject *parent) : GridDataModel(parent) {}


void GridResultModel::loadFrom(QSqlQuery &query)
{
    beginResetModel();
    const QSqlRecord rec = query.record();
    QStringList fields;
    for (int i = 0; i < rec.count(); ++i)
        fields << rec.fieldName(i);
    const int n = fields.size();
    QVector<GridColumnValues> cols(n);
    int rows = 0;
    while (query.next()) {
        for (int i = 0; i < n; ++i)
            cols[i].append(query.value(i));
        ++rows;
    }
    for (GridColumnValues &c : cols)
        c.squeeze();
    m_columns = std::move(cols);
    m_rows = rows;
    setFieldNames(fields);
    setOpen(true);
    endResetModel();
}

void GridResultModel::close()
{
    beginResetModel();
    m_columns.clear();
    m_rows = 0;
    setFieldNames({});
    setOpen(false);
    endResetModel();
}

int GridResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant GridResultModel::value(int row, int column) const
{
    if (column < 0 || column >= m_columns.size())
        return QVariant();
    return m_columns.at(column).at(row);
}

double GridResultModel::number(int row, int column, bool *ok) const
{
    if (column < 0 || column >= m_columns.size()) {
        *ok = false;
        return 0;
    }
    return m_columns.at(column).number(row, ok);
}

bool GridResultModel::isNumericColumn(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return false;
    return m_columns.at(column).isNumeric();
}

qint64 GridResultModel::bytes() const
{
    qint64 b = 0;
    for (const GridColumnValues &c : m_columns)
        b += c.bytes();
    return b;
}

void GridResultModel::sortKeys(int column, QVector<SortEntry> *entries) const
{
    if (column < 0 || column >= m_columns.size()) {
        entries->resize(m_rows);
        for (int r = 0; r < m_rows; ++r)
            (*entries)[r] = SortEntry{SortEmpty, 0, r};
        return;
    }
    const GridColumnValues &c = m_columns.at(column);
    switch (c.kind()) {
    case GridColumnValues::Kind::Integer:
    case GridColumnValues::Kind::Real:
        entries->resize(m_rows);
        for (int r = 0; r < m_rows; ++r) {
            bool ok = false;
            const double d = c.number(r, &ok);
            (*entries)[r] = SortEntry{ok ? SortNumber : SortEmpty, d, r};
        }
        return;
    case GridColumnValues::Kind::Text:
        if (c.isAsciiText()) {
            entries->resize(m_rows);
            // Few distinct texts (dates, units): rank the distinct ones.
            constexpr int DistinctLimit = 65536;
            TextRanker ranker;
            QVector<int> ids(m_rows, -1);
            bool few = true;
            for (int r = 0; r < m_rows && few; ++r) {
                (*entries)[r] = SortEntry{c.isNull(r) ? SortEmpty : SortText, 0, r};
                if (!c.isNull(r)) {
                    ids[r] = ranker.add(c.textView(r));
                    few = ranker.distinctCount() <= DistinctLimit;
                }
            }
            if (few) {
                const QVector<int> ranks = ranker.ranks();
                for (int r = 0; r < m_rows; ++r)
                    if (ids.at(r) >= 0)
                        (*entries)[r].key = ranks.at(ids.at(r));
                return;
            }
            // Many distinct texts (codes): one sort of the rows by the texts themselves.
            QVector<int> rows;
            rows.reserve(m_rows);
            for (int r = 0; r < m_rows; ++r) {
                (*entries)[r] = SortEntry{c.isNull(r) ? SortEmpty : SortText, 0, r};
                if (!c.isNull(r))
                    rows << r;
            }
            std::sort(rows.begin(), rows.end(), [&c](int a, int b) {
                const QStringView x = c.textView(a), y = c.textView(b);
                const int k = TextRanker::compareAscii(x, y);
                return k != 0 ? k < 0 : x < y;
            });
            int rank = 0;
            for (int i = 0; i < rows.size(); ++i) {
                if (i > 0 && c.textView(rows.at(i)) != c.textView(rows.at(i - 1)))
                    ++rank;
                (*entries)[rows.at(i)].key = rank;
            }
            return;
        } else {
        entries->resize(m_rows);
        TextRanker ranker;
        QVector<int> ids(m_rows, -1);
        for (int r = 0; r < m_rows; ++r) {
            if (c.isNull(r)) {
                (*entries)[r] = SortEntry{SortEmpty, 0, r};
            } else {
                ids[r] = ranker.add(c.textView(r));
                (*entries)[r] = SortEntry{SortText, 0, r};
            }
        }
        const QVector<int> ranks = ranker.ranks();
        for (int r = 0; r < m_rows; ++r)
            if (ids.at(r) >= 0)
                (*entries)[r].key = ranks.at(ids.at(r));
        return;
        }
    default:
        GridDataModel::sortKeys(column, entries);
        return;
    }
}
