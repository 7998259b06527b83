#include "reporttexttemplate.h"

#include "reportvalue.h"

namespace {
// Index of the ] closing the [ at `open`, skipping quoted text; -1 when there is none.
int closingBracket(const QString &s, int open)
{
    int depth = 0;
    QChar quote;
    for (int k = open; k < s.size(); ++k) {
        const QChar c = s[k];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('[')) {
            ++depth;
        } else if (c == QLatin1Char(']')) {
            if (--depth == 0)
                return k;
        }
    }
    return -1;
}
} // namespace

ReportTextTemplate ReportTextTemplate::compile(const QString &text, bool expressions)
{
    ReportTextTemplate t;
    if (!expressions) {
        t.m_segments.push_back({text, {}, false});
        return t;
    }
    QString literal;
    int i = 0;
    while (i < text.size()) {
        if (text[i] == QLatin1Char('[')) {
            const int close = closingBracket(text, i);
            if (close > i) {
                if (!literal.isEmpty()) {
                    t.m_segments.push_back({literal, {}, false});
                    literal.clear();
                }
                const QString source = text.mid(i + 1, close - i - 1);
                QString error;
                Segment seg;
                seg.isExpression = true;
                seg.expression = ReportExpression::parse(source, &error);
                if (!seg.expression.isValid())
                    t.m_errors << QStringLiteral("[%1]：%2").arg(source, error);
                t.m_segments.push_back(seg);
                t.m_constant = false;
                i = close + 1;
                continue;
            }
        }
        literal += text[i++];
    }
    if (!literal.isEmpty())
        t.m_segments.push_back({literal, {}, false});
    return t;
}

QString ReportTextTemplate::evaluate(ReportExpressionContext &ctx, const QString &format, bool hideZeros) const
{
    QString out;
    for (const Segment &s : m_segments) {
        if (!s.isExpression) {
            out += s.literal;
            continue;
        }
        if (!s.expression.isValid())
            continue;
        const QVariant v = s.expression.evaluate(ctx);
        if (hideZeros && ReportValue::isNumber(v) && v.toDouble() == 0)
            continue;
        out += ReportValue::format(v, format);
    }
    return out;
}

bool ReportTextTemplate::usesName(const QString &upperName) const
{
    for (const Segment &s : m_segments)
        if (s.isExpression && s.expression.usesName(upperName))
            return true;
    return false;
}

bool ReportTextTemplate::hasAggregate() const
{
    for (const Segment &s : m_segments)
        if (s.isExpression && s.expression.hasAggregate())
            return true;
    return false;
}
