#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

class ReportExpression;

// What an expression asks of the report while it is evaluated.
class ReportExpressionContext
{
public:
    virtual ~ReportExpressionContext() = default;

    // frxDM."F_Code": the field of the named source at the source's current row.
    virtual QVariant fieldValue(const QString &source, const QString &field) = 0;
    // A bare name: a variable, Page#, TotalPages#, Line#, Date, Time ...
    virtual QVariant nameValue(const QString &name) = 0;
    // A function call with evaluated arguments (built-in or user function).
    virtual QVariant callFunction(const QString &name, const QVariantList &args) = 0;
    // SUM, COUNT, AVG, MIN, MAX: the argument evaluated over the rows of a band in scope.
    // `argument` is invalid for COUNT() without argument; `band` is empty unless given.
    virtual QVariant aggregate(const QString &function, const ReportExpression &argument, const QString &band) = 0;
};
