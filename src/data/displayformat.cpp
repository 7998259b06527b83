#include "displayformat.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

namespace DisplayFormat {

namespace {

const QChar DateSeparator = QLatin1Char('-');
const QChar TimeSeparator = QLatin1Char(':');

// ---------------------------------------------------------------- numbers

// A non-negative decimal number as digit text: intDigits (no leading zeros, empty for zero)
// and fracDigits (exactly the requested count).
struct DecimalText {
    QString intDigits;
    QString fracDigits;
    bool isZero() const
    {
        for (QChar c : intDigits)
            if (c != QLatin1Char('0'))
                return false;
        for (QChar c : fracDigits)
            if (c != QLatin1Char('0'))
                return false;
        return true;
    }
};

// The 15 significant digits of a non-negative finite value and the position of the decimal
// point within them (digits before the point; may be <= 0 or > 15).
void significantDigits(double v, QString *digits, int *pointPos)
{
    if (v == 0) {
        *digits = QStringLiteral("0");
        *pointPos = 1;
        return;
    }
    const QString s = QString::number(v, 'e', 14); // d.dddddddddddddde+XX
    const int e = s.indexOf(QLatin1Char('e'));
    QString d = s.left(e);
    d.remove(QLatin1Char('.'));
    *digits = d;
    *pointPos = s.mid(e + 1).toInt() + 1;
}

// Rounds digit text half away from zero (the value is non-negative) to `frac` decimals.
DecimalText roundDigits(QString digits, int pointPos, int frac)
{
    if (pointPos < 1) {
        digits.prepend(QString(1 - pointPos, QLatin1Char('0')));
        pointPos = 1;
    }
    const int keep = pointPos + frac;
    if (digits.size() < keep + 1)
        digits.append(QString(keep + 1 - digits.size(), QLatin1Char('0')));
    const bool roundUp = digits.at(keep) >= QLatin1Char('5');
    QString kept = digits.left(keep);
    if (roundUp) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (kept[i] == QLatin1Char('9')) {
                kept[i] = QLatin1Char('0');
            } else {
                kept[i] = QChar(kept[i].unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            kept.prepend(QLatin1Char('1'));
            ++pointPos;
        }
    }
    DecimalText out;
    out.intDigits = kept.left(pointPos);
    out.fracDigits = kept.mid(pointPos);
    while (!out.intDigits.isEmpty() && out.intDigits.at(0) == QLatin1Char('0'))
        out.intDigits.remove(0, 1);
    return out;
}

struct Token {
    enum Kind { Zero, Hash, Point, Literal, Exponent } kind;
    QString text;             // literal text
    bool expSignAlways = false;
    int expMinDigits = 0;
};

struct Section {
    QList<Token> tokens;
    bool grouping = false;
    bool hasDigits = false;
};

QStringList splitSections(const QString &format)
{
    QStringList out;
    QString cur;
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            cur += c;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            cur += c;
        } else if (c == QLatin1Char(';')) {
            out << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    out << cur;
    return out;
}

Section parseSection(const QString &text)
{
    Section sec;
    auto addLiteral = [&sec](const QString &s) {
        if (!sec.tokens.isEmpty() && sec.tokens.last().kind == Token::Literal)
            sec.tokens.last().text += s;
        else
            sec.tokens.append(Token{Token::Literal, s});
    };
    bool seenPoint = false;
    bool seenExponent = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = text.indexOf(c, i + 1);
            const int stop = end < 0 ? text.size() : end;
            addLiteral(text.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == QLatin1Char('0')) {
            sec.tokens.append(Token{Token::Zero, {}});
            sec.hasDigits = true;
        } else if (c == QLatin1Char('#')) {
            sec.tokens.append(Token{Token::Hash, {}});
            sec.hasDigits = true;
        } else if (c == QLatin1Char('.') && !seenPoint && !seenExponent) {
            sec.tokens.append(Token{Token::Point, {}});
            seenPoint = true;
        } else if (c == QLatin1Char(',')) {
            sec.grouping = true;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && !seenExponent && i + 1 < text.size()
                   && (text.at(i + 1) == QLatin1Char('+') || text.at(i + 1) == QLatin1Char('-'))) {
            Token t{Token::Exponent, c == QLatin1Char('E') ? QStringLiteral("E") : QStringLiteral("e")};
            t.expSignAlways = text.at(i + 1) == QLatin1Char('+');
            i += 2;
            while (i < text.size() && (text.at(i) == QLatin1Char('0') || text.at(i) == QLatin1Char('#'))) {
                if (text.at(i) == QLatin1Char('0'))
                    ++t.expMinDigits;
                ++i;
            }
            --i;
            sec.tokens.append(t);
            seenExponent = true;
        } else {
            addLiteral(QString(c));
        }
    }
    return sec;
}

// Writes the absolute value `v` through one section. *allZero tells whether every digit shown
// is zero (the value rounded to zero).
QString applySection(const Section &sec, double v, bool *allZero)
{
    int intCount = 0;
    int firstZeroInt = -1;
    QList<Token::Kind> fracKinds;
    const Token *exponent = nullptr;
    bool afterPoint = false;
    for (const Token &t : sec.tokens) {
        if (t.kind == Token::Point) {
            afterPoint = true;
        } else if (t.kind == Token::Exponent) {
            exponent = &t;
        } else if ((t.kind == Token::Zero || t.kind == Token::Hash) && !exponent) {
            if (afterPoint) {
                fracKinds.append(t.kind);
            } else {
                if (t.kind == Token::Zero && firstZeroInt < 0)
                    firstZeroInt = intCount;
                ++intCount;
            }
        }
    }
    const int maxFrac = fracKinds.size();
    const int minInt = firstZeroInt < 0 ? 0 : intCount - firstZeroInt;

    QString digits;
    int pointPos = 0;
    significantDigits(v, &digits, &pointPos);
    int exp10 = 0;
    DecimalText num;
    if (exponent) {
        if (v != 0) {
            exp10 = pointPos - 1;
            num = roundDigits(digits, 1, maxFrac);
            if (num.intDigits.size() > 1) { // 9.99 rounded up to 10.0
                ++exp10;
                num = roundDigits(digits, 0, maxFrac);
                num.intDigits = QStringLiteral("1");
            }
        } else {
            num = roundDigits(QStringLiteral("0"), 1, maxFrac);
        }
    } else {
        num = roundDigits(digits, pointPos, maxFrac);
    }
    *allZero = num.isZero();

    QString intText = num.intDigits;
    if (intText.size() < minInt)
        intText.prepend(QString(minInt - intText.size(), QLatin1Char('0')));

    int lastZeroFrac = 0;
    for (int i = 0; i < fracKinds.size(); ++i)
        if (fracKinds.at(i) == Token::Zero)
            lastZeroFrac = i + 1;
    int lastDigitFrac = 0;
    for (int i = 0; i < num.fracDigits.size(); ++i)
        if (num.fracDigits.at(i) != QLatin1Char('0'))
            lastDigitFrac = i + 1;
    const int shownFrac = std::max(lastZeroFrac, lastDigitFrac);

    const int n = intText.size();
    auto intDigit = [&](int i) {
        QString s;
        if (sec.grouping && i > 0 && (n - i) % 3 == 0)
            s += QLatin1Char(',');
        s += intText.at(i);
        return s;
    };

    QString out;
    int intIndex = 0;
    int fracIndex = 0;
    bool pastPoint = false;
    bool intWritten = false;
    auto writeRemainingInt = [&]() {
        // A section without integer placeholders still shows a non-zero integer part.
        if (!intWritten && intCount == 0)
            for (int i = 0; i < n; ++i)
                out += intDigit(i);
        intWritten = true;
    };
    for (const Token &t : sec.tokens) {
        switch (t.kind) {
        case Token::Literal:
            out += t.text;
            break;
        case Token::Point:
            writeRemainingInt();
            pastPoint = true;
            if (shownFrac > 0)
                out += QLatin1Char('.');
            break;
        case Token::Zero:
        case Token::Hash:
            if (!pastPoint) {
                const int j = intIndex++;
                if (j == 0) {
                    for (int i = 0; i <= n - intCount; ++i)
                        out += intDigit(i);
                } else {
                    const int i = n - intCount + j;
                    if (i >= 0)
                        out += intDigit(i);
                }
                intWritten = true;
            } else {
                const int j = fracIndex++;
                if (j < shownFrac)
                    out += num.fracDigits.at(j);
            }
            break;
        case Token::Exponent: {
            writeRemainingInt();
            out += t.text;
            if (exp10 < 0)
                out += QLatin1Char('-');
            else if (t.expSignAlways)
                out += QLatin1Char('+');
            QString e = QString::number(std::abs(exp10));
            if (e.size() < t.expMinDigits)
                e.prepend(QString(t.expMinDigits - e.size(), QLatin1Char('0')));
            out += e;
            break;
        }
        }
    }
    return out;
}

// ---------------------------------------------------------------- dates

QString pad(int v, int width)
{
    return QStringLiteral("%1").arg(v, width, 10, QLatin1Char('0'));
}

bool isLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

int countRun(const QString &f, int i, QChar lower)
{
    int n = 0;
    while (i + n < f.size() && f.at(i + n).toLower() == lower)
        ++n;
    return n;
}

bool hasAmPm(const QString &f)
{
    const QString l = f.toLower();
    return l.contains(QLatin1String("am/pm")) || l.contains(QLatin1String("a/p")) || l.contains(QLatin1String("ampm"));
}

} // namespace

QString plainNumber(double value)
{
    if (std::isnan(value) || std::isinf(value))
        return QString::number(value);
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

QString formatNumber(double value, const QString &format)
{
    if (format.isEmpty() || std::isnan(value) || std::isinf(value))
        return plainNumber(value);

    const QStringList texts = splitSections(format);
    QList<Section> sections;
    for (const QString &t : texts)
        sections.append(parseSection(t));

    auto zeroText = [&]() {
        bool dummy = false;
        if (sections.size() >= 3 && !texts.at(2).isEmpty())
            return applySection(sections.at(2), 0, &dummy);
        return applySection(sections.at(0), 0, &dummy);
    };

    if (value == 0)
        return zeroText();

    bool allZero = false;
    QString text;
    if (value < 0 && sections.size() >= 2 && !texts.at(1).isEmpty()) {
        text = applySection(sections.at(1), -value, &allZero);
    } else {
        text = applySection(sections.at(0), std::abs(value), &allZero);
        if (value < 0 && !allZero)
            text.prepend(QLatin1Char('-'));
    }
    if (allZero && sections.at(0).hasDigits)
        return zeroText();
    return text;
}

QString formatDate(const QDate &value, const QString &format)
{
    return formatDate(QDateTime(value, QTime(0, 0)), format);
}

QString formatDate(const QDateTime &value, const QString &format)
{
    if (!value.isValid())
        return QString();
    const QDate d = value.date();
    const QTime t = value.time();
    if (format.isEmpty()) {
        if (t == QTime(0, 0))
            return formatDate(value, QStringLiteral("yyyy-mm-dd"));
        return formatDate(value, QStringLiteral("yyyy-mm-dd hh:nn:ss"));
    }
    static const QLocale zh(QLocale::Chinese, QLocale::China);
    const bool twelveHour = hasAmPm(format);
    QString out;
    bool lastWasHour = false;
    for (int i = 0; i < format.size();) {
        const QChar c = format.at(i);
        const QChar l = c.toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = format.indexOf(c, i + 1);
            const int stop = end < 0 ? format.size() : end;
            out += format.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (!isLetter(c)) {
            if (c == QLatin1Char('/'))
                out += DateSeparator;
            else if (c == QLatin1Char(':'))
                out += TimeSeparator;
            else
                out += c;
            ++i;
            continue;
        }
        const QString rest = format.mid(i).toLower();
        if (rest.startsWith(QLatin1String("am/pm"))) {
            out += t.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm");
            if (c.isUpper())
                out = out.left(out.size() - 2) + (t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
            i += 5;
            lastWasHour = false;
            continue;
        }
        if (rest.startsWith(QLatin1String("a/p"))) {
            QString s = t.hour() < 12 ? QStringLiteral("a") : QStringLiteral("p");
            out += c.isUpper() ? s.toUpper() : s;
            i += 3;
            lastWasHour = false;
            continue;
        }
        if (rest.startsWith(QLatin1String("ampm"))) {
            out += t.hour() < 12 ? zh.amText() : zh.pmText();
            i += 4;
            lastWasHour = false;
            continue;
        }
        const int run = countRun(format, i, l);
        bool hour = false;
        if (l == QLatin1Char('y')) {
            out += run <= 2 ? pad(d.year() % 100, 2) : pad(d.year(), 4);
        } else if (l == QLatin1Char('m')) {
            if (lastWasHour && run <= 2)
                out += run == 1 ? QString::number(t.minute()) : pad(t.minute(), 2);
            else if (run == 1)
                out += QString::number(d.month());
            else if (run == 2)
                out += pad(d.month(), 2);
            else if (run == 3)
                out += zh.monthName(d.month(), QLocale::ShortFormat);
            else
                out += zh.monthName(d.month(), QLocale::LongFormat);
        } else if (l == QLatin1Char('d')) {
            if (run == 1)
                out += QString::number(d.day());
            else if (run == 2)
                out += pad(d.day(), 2);
            else if (run == 3)
                out += zh.dayName(d.dayOfWeek(), QLocale::ShortFormat);
            else if (run == 4)
                out += zh.dayName(d.dayOfWeek(), QLocale::LongFormat);
            else
                out += formatDate(value, QStringLiteral("yyyy-mm-dd"));
        } else if (l == QLatin1Char('h')) {
            int h = t.hour();
            if (twelveHour) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += run == 1 ? QString::number(h) : pad(h, 2);
            hour = true;
        } else if (l == QLatin1Char('n')) {
            out += run == 1 ? QString::number(t.minute()) : pad(t.minute(), 2);
        } else if (l == QLatin1Char('s')) {
            out += run == 1 ? QString::number(t.second()) : pad(t.second(), 2);
        } else if (l == QLatin1Char('z')) {
            out += run < 3 ? QString::number(t.msec()) : pad(t.msec(), 3);
        } else if (l == QLatin1Char('t')) {
            out += formatDate(value, run == 1 ? QStringLiteral("hh:nn") : QStringLiteral("hh:nn:ss"));
        } else if (l == QLatin1Char('c') && run == 1) {
            out += formatDate(value, QString());
        } else {
            out += format.mid(i, run);
        }
        lastWasHour = hour;
        i += run;
    }
    return out;
}

bool isDateFormat(const QString &format)
{
    bool dateLetter = false;
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            return false;
        } else {
            const QChar l = c.toLower();
            if (l == QLatin1Char('y') || l == QLatin1Char('m') || l == QLatin1Char('d') || l == QLatin1Char('h')
                || l == QLatin1Char('n') || l == QLatin1Char('s'))
                dateLetter = true;
        }
    }
    return dateLetter;
}

namespace {

QDateTime parseDateText(const QString &text)
{
    const QString s = text.trimmed();
    static const char *const patterns[] = {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss.zzz",
                                           "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"};
    for (const char *p : patterns) {
        const QDateTime dt = QDateTime::fromString(s, QLatin1String(p));
        if (dt.isValid())
            return dt;
    }
    return QDateTime();
}

} // namespace

QString formatValue(const QVariant &value, const QString &format)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return formatNumber(value.toDouble(), format);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        if (format.isEmpty() || isDateFormat(format))
            return value.toString();
        return formatNumber(value.toDouble(), format);
    case QMetaType::QDate:
        return formatDate(value.toDate(), format.isEmpty() ? QStringLiteral("yyyy-mm-dd") : format);
    case QMetaType::QDateTime:
        return formatDate(value.toDateTime(), format);
    case QMetaType::QTime:
        return formatDate(QDateTime(QDate(1899, 12, 30), value.toTime()),
                          format.isEmpty() ? QStringLiteral("hh:nn:ss") : format);
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString s = value.toString();
        if (format.isEmpty())
            return s;
        if (isDateFormat(format)) {
            const QDateTime dt = parseDateText(s);
            return dt.isValid() ? formatDate(dt, format) : s;
        }
        bool ok = false;
        const double d = s.trimmed().toDouble(&ok);
        return ok ? formatNumber(d, format) : s;
    }
    default:
        return value.toString();
    }
}

namespace {

QString quotedLiteral(const QString &text)
{
    if (text.isEmpty())
        return QString();
    QString t = text;
    t.replace(QLatin1Char('"'), QString());
    return QLatin1Char('"') + t + QLatin1Char('"');
}

// One section in spreadsheet syntax; *optionalOnly tells whether its decimals are all "#".
QString excelSection(const Section &sec, bool *optionalOnly, int *maxFrac)
{
    int intCount = 0, firstZero = -1, mandatory = 0, optional = 0;
    bool afterPoint = false;
    const Token *exponent = nullptr;
    QString prefix, suffix;
    bool seenDigit = false;
    for (const Token &t : sec.tokens) {
        switch (t.kind) {
        case Token::Literal:
            (seenDigit ? suffix : prefix) += t.text;
            break;
        case Token::Point:
            afterPoint = true;
            break;
        case Token::Exponent:
            exponent = &t;
            break;
        case Token::Zero:
        case Token::Hash:
            if (exponent)
                break;
            seenDigit = true;
            if (afterPoint) {
                if (t.kind == Token::Zero)
                    mandatory = optional + mandatory + 1, optional = 0;
                else
                    ++optional;
            } else {
                if (t.kind == Token::Zero && firstZero < 0)
                    firstZero = intCount;
                ++intCount;
            }
            break;
        }
    }
    *maxFrac = mandatory + optional;
    *optionalOnly = mandatory == 0 && optional > 0 && !exponent;
    if (!sec.hasDigits)
        return quotedLiteral(prefix + suffix);
    const int minInt = firstZero < 0 ? 0 : intCount - firstZero;
    QString digits;
    if (sec.grouping) {
        digits = minInt <= 1 ? QStringLiteral("#,##") + (minInt == 1 ? QStringLiteral("0") : QStringLiteral("#"))
                             : QStringLiteral("#,") + QString(minInt, QLatin1Char('0'));
    } else {
        digits = minInt == 0 ? QStringLiteral("#") : QString(minInt, QLatin1Char('0'));
    }
    if (!*optionalOnly && mandatory + optional > 0)
        digits += QLatin1Char('.') + QString(mandatory, QLatin1Char('0')) + QString(optional, QLatin1Char('#'));
    if (*optionalOnly)
        digits = QStringLiteral("General");
    if (exponent) {
        digits += exponent->text + (exponent->expSignAlways ? QLatin1Char('+') : QLatin1Char('-'))
                  + QString(std::max(1, exponent->expMinDigits), QLatin1Char('0'));
    }
    return quotedLiteral(prefix) + digits + quotedLiteral(suffix);
}

} // namespace

QString excelNumberFormat(const QString &format, int *roundDecimals)
{
    if (roundDecimals)
        *roundDecimals = -1;
    if (format.trimmed().isEmpty())
        return QString();
    const QStringList texts = splitSections(format);
    QStringList parts;
    for (int i = 0; i < texts.size() && i < 3; ++i) {
        bool optionalOnly = false;
        int maxFrac = 0;
        const QString part = texts.at(i).isEmpty() && i > 0 ? QString()
                                                              : excelSection(parseSection(texts.at(i)), &optionalOnly, &maxFrac);
        if (i == 0 && optionalOnly && roundDecimals)
            *roundDecimals = maxFrac;
        parts << part;
    }
    // An empty negative or zero section means "as the first" in a display format.
    for (int i = 1; i < parts.size(); ++i)
        if (parts.at(i).isEmpty())
            parts[i] = i == 1 ? QStringLiteral("-") + parts.at(0) : parts.at(0);
    QString out = parts.join(QLatin1Char(';'));
    if (out == QLatin1String("General"))
        return QString();
    return out;
}

QString excelDateFormat(const QString &format)
{
    if (format.trimmed().isEmpty())
        return QStringLiteral("yyyy-mm-dd");
    QString out;
    bool lastWasHour = false;
    for (int i = 0; i < format.size();) {
        const QChar c = format.at(i);
        const QChar l = c.toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = format.indexOf(c, i + 1);
            const int stop = end < 0 ? format.size() : end;
            out += quotedLiteral(format.mid(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        if (!isLetter(c)) {
            if (c == QLatin1Char('/'))
                out += QStringLiteral("\\-");
            else if (c == QLatin1Char(':'))
                out += QLatin1Char(':');
            else if (c == QLatin1Char('-') || c == QLatin1Char(' ') || c == QLatin1Char('.'))
                out += QLatin1Char('\\') + QString(c);
            else
                out += quotedLiteral(QString(c));
            ++i;
            continue;
        }
        const QString rest = format.mid(i).toLower();
        if (rest.startsWith(QLatin1String("am/pm"))) {
            out += QStringLiteral("AM/PM");
            i += 5;
            continue;
        }
        const int run = countRun(format, i, l);
        bool hour = false;
        if (l == QLatin1Char('y'))
            out += run <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
        else if (l == QLatin1Char('m'))
            out += QString(lastWasHour ? std::min(run, 2) : std::min(run, 4), QLatin1Char('m'));
        else if (l == QLatin1Char('d'))
            out += QString(std::min(run, 4), QLatin1Char('d'));
        else if (l == QLatin1Char('h')) {
            out += QString(std::min(run, 2), QLatin1Char('h'));
            hour = true;
        } else if (l == QLatin1Char('n'))
            out += QString(std::min(run, 2), QLatin1Char('m'));
        else if (l == QLatin1Char('s'))
            out += QString(std::min(run, 2), QLatin1Char('s'));
        else
            out += quotedLiteral(format.mid(i, run));
        lastWasHour = hour;
        i += run;
    }
    return out;
}

} // namespace DisplayFormat
