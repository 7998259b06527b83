#pragma once

#include "reportexpression.h"

#include <QString>
#include <QStringList>

#include <vector>

// The text of a text object, split into literal parts and [expressions].
class ReportTextTemplate
{
public:
    ReportTextTemplate() = default;
    // With expressions off the text is taken literally. A [ without its ] is literal text.
    static ReportTextTemplate compile(const QString &text, bool expressions);

    // The text with every expression replaced by its value under the display format; zero
    // numbers give empty text when hideZeros is on. Expressions that did not parse give empty
    // text (their errors are in errors()).
    QString evaluate(ReportExpressionContext &ctx, const QString &format, bool hideZeros) const;

    bool isConstant() const { return m_constant; }
    bool usesName(const QString &upperName) const;
    bool hasAggregate() const;
    QStringList errors() const { return m_errors; }

private:
    struct Segment {
        QString literal;
        ReportExpression expression;
        bool isExpression = false;
    };
    std::vector<Segment> m_segments;
    QStringList m_errors;
    bool m_constant = true;
};
