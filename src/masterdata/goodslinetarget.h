#pragma once

#include <QString>
#include <QVariantMap>

// A document being edited that the goods selection dialog adds goods lines to (the purchase
// receipt, return and order windows). The dialog reads the document's supplier and current
// code, asks it for the default unit price of a goods (the document's price rule) and hands
// it each chosen goods as a finished line.
class GoodsLineTarget
{
public:
    virtual ~GoodsLineTarget() = default;

    // 1 purchase receipt, -1 purchase return, 7 purchase order.
    virtual int documentKind() const = 0;
    // The text of the document's supplier field, trimmed.
    virtual QString supplierText() const = 0;
    // The code under which the document's lines are kept.
    virtual QString currentCode() const = 0;
    // The default unit price of a goods for this document and supplier. False when the price
    // could not be read (the failure has been shown); no line is added then.
    virtual bool defaultUnitPrice(const QString &goodsCode, double *price) const = 0;
    // Appends one posted line with these values (field name -> value) to the document's lines.
    virtual void appendGoodsLine(const QVariantMap &values) = 0;
};
