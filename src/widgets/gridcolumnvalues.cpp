#include "gridcolumnvalues.h"

#include <QDateTime>

#include <limits>

namespace {

enum class ValueClass { Null, Integer, Real, Text, Date, DateTime, Other };

ValueClass classOf(const QVariant &v)
{
    if (v.isNull())
        return ValueClass::Null;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        return ValueClass::Integer;
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return v.toULongLong() <= quint64(std::numeric_limits<qint64>::max()) ? ValueClass::Integer : ValueClass::Other;
    case QMetaType::Double:
    case QMetaType::Float:
        return ValueClass::Real;
    case QMetaType::QString:
        return ValueClass::Text;
    case QMetaType::QDate:
        return ValueClass::Date;
    case QMetaType::QDateTime:
        return ValueClass::DateTime;
    default:
        return ValueClass::Other;
    }
}

} // namespace

void GridColumnValues::reserve(int n)
{
    m_null.reserve(size_t(n));
}

qint64 GridColumnValues::encodeDateTime(const QDateTime &dt)
{
    return dt.date().toJulianDay() * 86400000LL + dt.time().msecsSinceStartOfDay();
}

QDateTime GridColumnValues::decodeDateTime(qint64 v)
{
    const qint64 day = v >= 0 ? v / 86400000LL : (v - 86399999LL) / 86400000LL;
    const int ms = int(v - day * 86400000LL);
    return QDateTime(QDate::fromJulianDay(day), QTime::fromMSecsSinceStartOfDay(ms));
}

void GridColumnValues::appendNull()
{
    m_null.push_back(true);
    switch (m_kind) {
    case Kind::Unknown:
        break;
    case Kind::Integer:
    case Kind::Date:
    case Kind::DateTime:
        m_ints.append(0);
        break;
    case Kind::Real:
        m_reals.append(0);
        break;
    case Kind::Text:
        m_offsets.append(quint32(m_chars.size()));
        break;
    case Kind::Variant:
        m_variants.append(QVariant());
        break;
    }
}

void GridColumnValues::append(const QVariant &v)
{
    const ValueClass c = classOf(v);
    if (c == ValueClass::Null) {
        appendNull();
        return;
    }
    if (m_kind == Kind::Unknown) {
        // Rows so far were all empty: start storage of the first value's kind.
        const int nulls = size();
        switch (c) {
        case ValueClass::Integer:
            m_kind = Kind::Integer;
            m_ints.fill(0, nulls);
            break;
        case ValueClass::Real:
            m_kind = Kind::Real;
            m_reals.fill(0, nulls);
            break;
        case ValueClass::Text:
            m_kind = Kind::Text;
            m_offsets.fill(0, nulls + 1);
            break;
        case ValueClass::Date:
            m_kind = Kind::Date;
            m_ints.fill(0, nulls);
            break;
        case ValueClass::DateTime:
            m_kind = Kind::DateTime;
            m_ints.fill(0, nulls);
            break;
        default:
            m_kind = Kind::Variant;
            m_variants.fill(QVariant(), nulls);
            break;
        }
    }
    if (m_kind == Kind::Integer && c == ValueClass::Real)
        promoteToReal();
    switch (m_kind) {
    case Kind::Integer:
        if (c == ValueClass::Integer) {
            m_ints.append(v.toLongLong());
            m_null.push_back(false);
            return;
        }
        break;
    case Kind::Real:
        if (c == ValueClass::Real || c == ValueClass::Integer) {
            m_reals.append(v.toDouble());
            m_null.push_back(false);
            return;
        }
        break;
    case Kind::Text:
        if (c == ValueClass::Text) {
            const QString s = v.toString();
            if (m_ascii)
                for (QChar ch : s)
                    if (ch.unicode() >= 0x80) {
                        m_ascii = false;
                        break;
                    }
            if (qint64(m_chars.size()) + s.size() < qint64(std::numeric_limits<quint32>::max())) {
                m_chars.append(s);
                m_offsets.append(quint32(m_chars.size()));
                m_null.push_back(false);
                return;
            }
        }
        break;
    case Kind::Date:
        if (c == ValueClass::Date) {
            m_ints.append(v.toDate().toJulianDay());
            m_null.push_back(false);
            return;
        }
        break;
    case Kind::DateTime:
        if (c == ValueClass::DateTime) {
            m_ints.append(encodeDateTime(v.toDateTime()));
            m_null.push_back(false);
            return;
        }
        break;
    case Kind::Variant:
        m_variants.append(v);
        m_null.push_back(false);
        return;
    case Kind::Unknown:
        break;
    }
    promoteToVariant();
    m_variants.append(v);
    m_null.push_back(false);
}

void GridColumnValues::promoteToReal()
{
    m_reals.reserve(m_ints.size());
    for (qint64 i : std::as_const(m_ints))
        m_reals.append(double(i));
    m_ints = QVector<qint64>();
    m_kind = Kind::Real;
}

void GridColumnValues::promoteToVariant()
{
    QVector<QVariant> vars;
    vars.reserve(size() + 1);
    for (int r = 0; r < size(); ++r)
        vars.append(at(r));
    m_ints = QVector<qint64>();
    m_reals = QVector<double>();
    m_chars = QString();
    m_offsets = QVector<quint32>();
    m_variants = vars;
    m_kind = Kind::Variant;
}

void GridColumnValues::squeeze()
{
    m_ints.squeeze();
    m_reals.squeeze();
    m_chars.squeeze();
    m_offsets.squeeze();
    m_variants.squeeze();
    m_null.shrink_to_fit();
}

QVariant GridColumnValues::at(int row) const
{
    if (row < 0 || row >= size() || m_null[size_t(row)])
        return QVariant();
    switch (m_kind) {
    case Kind::Integer:
        return QVariant(m_ints.at(row));
    case Kind::Real:
        return QVariant(m_reals.at(row));
    case Kind::Text:
        return QVariant(text(row));
    case Kind::Date:
        return QVariant(QDate::fromJulianDay(m_ints.at(row)));
    case Kind::DateTime:
        return QVariant(decodeDateTime(m_ints.at(row)));
    case Kind::Variant:
        return m_variants.at(row);
    case Kind::Unknown:
        break;
    }
    return QVariant();
}

QString GridColumnValues::text(int row) const
{
    if (m_kind != Kind::Text || row < 0 || row >= size())
        return QString();
    const quint32 b = m_offsets.at(row);
    const quint32 e = m_offsets.at(row + 1);
    return m_chars.mid(b, e - b);
}

QStringView GridColumnValues::textView(int row) const
{
    if (m_kind != Kind::Text || row < 0 || row >= size())
        return QStringView();
    const quint32 b = m_offsets.at(row);
    const quint32 e = m_offsets.at(row + 1);
    return QStringView(m_chars).mid(b, e - b);
}

double GridColumnValues::number(int row, bool *ok) const
{
    *ok = false;
    if (row < 0 || row >= size() || m_null[size_t(row)])
        return 0;
    switch (m_kind) {
    case Kind::Integer:
        *ok = true;
        return double(m_ints.at(row));
    case Kind::Real:
        *ok = true;
        return m_reals.at(row);
    case Kind::Text:
        return text(row).trimmed().toDouble(ok);
    case Kind::Variant: {
        const QVariant &v = m_variants.at(row);
        if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime)
            return 0;
        return v.toDouble(ok);
    }
    default:
        return 0;
    }
}

qint64 GridColumnValues::bytes() const
{
    return qint64(m_null.capacity() / 8) + m_ints.capacity() * qint64(sizeof(qint64))
        + m_reals.capacity() * qint64(sizeof(double)) + m_chars.capacity() * 2
        + m_offsets.capacity() * qint64(sizeof(quint32)) + m_variants.capacity() * qint64(sizeof(QVariant));
}
