#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

#include <vector>

// The values of one result column, stored compactly by kind: whole numbers and dates as 64-bit
// integers, reals as doubles, texts in one shared buffer with offsets. A column whose values
// do not share one kind falls back to QVariant storage.
class GridColumnValues
{
public:
    enum class Kind { Unknown, Integer, Real, Text, Date, DateTime, Variant };

    Kind kind() const { return m_kind; }
    int size() const { return int(m_null.size()); }
    void reserve(int n);
    void append(const QVariant &v);
    void squeeze();

    bool isNull(int row) const { return m_null[size_t(row)]; }
    QVariant at(int row) const;
    // Numeric value; *ok false for empty and non-numeric values.
    double number(int row, bool *ok) const;
    // The text of a text column's row (empty for other kinds).
    QString text(int row) const;
    // The same without a copy; valid while the column is unchanged.
    QStringView textView(int row) const;
    bool isNumeric() const { return m_kind == Kind::Integer || m_kind == Kind::Real; }
    // Whether every text of a text column is plain ASCII.
    bool isAsciiText() const { return m_kind == Kind::Text && m_ascii; }

    // Bytes held, for the benchmark's figures.
    qint64 bytes() const;

private:
    void appendNull();
    void promoteToReal();
    void promoteToVariant();
    static qint64 encodeDateTime(const QDateTime &dt);
    static QDateTime decodeDateTime(qint64 v);

    Kind m_kind = Kind::Unknown;
    std::vector<bool> m_null;
    QVector<qint64> m_ints;       // Integer, Date (Julian day), DateTime (ms since day 0)
    QVector<double> m_reals;
    QString m_chars;              // Text: all texts back to back
    QVector<quint32> m_offsets;   // Text: start of row i is m_offsets[i], end m_offsets[i+1]
    QVector<QVariant> m_variants;
    bool m_ascii = true;
};
