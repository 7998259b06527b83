#pragma once

#include <QSet>
#include <QString>
#include <QVariant>

#include <memory>

class ReportExpressionContext;

// A compiled expression of the template language (the part inside [...] of a text):
//   literals      12  3.5  'text' ('' inside for a quote)  true  false
//   fields        frxDM."F_Code"   or  <frxDM."F_Code">
//   names         PageMaxRow  sCurKHname  Page#  TotalPages#  Line#  Date  Time   (or <Name>)
//   operators     + - * / mod div   = <> < > <= >=   and or not   & (text concatenation)
//   calls         MoneyMinToBig(<frxDM."F_TotalPrice">)  IIF(a, b, c)  FormatFloat('0.00', x)
//   aggregates    SUM(<frxDD."F_Amount">)  SUM(expr, BandName)  COUNT()  AVG  MIN  MAX
// "+" adds numbers and joins texts (a text on either side makes it a join).
class ReportExpression
{
public:
    struct Node;

    ReportExpression() = default;
    // Parses; on failure the expression is invalid and *error says why.
    static ReportExpression parse(const QString &text, QString *error = nullptr);

    bool isValid() const { return bool(m_root); }
    QString text() const { return m_text; }
    QVariant evaluate(ReportExpressionContext &ctx) const;

    // Names used (upper case), e.g. to find TOTALPAGES#.
    bool usesName(const QString &upperName) const { return m_names.contains(upperName); }
    bool hasAggregate() const { return m_hasAggregate; }
    // The data source of the first field reference, or empty.
    QString firstSource() const { return m_firstSource; }
    // When the whole expression is a bare name: that name (for COUNT(BandName)).
    QString bareName() const;

private:
    friend class ReportExpressionAccess;
    explicit ReportExpression(std::shared_ptr<const Node> root, const QString &text);
    void collect(const Node &n);

    std::shared_ptr<const Node> m_root;
    QString m_text;
    QSet<QString> m_names;
    bool m_hasAggregate = false;
    QString m_firstSource;
};
