#pragma once

#include "goodslookup.h"
#include "lastprice.h"

#include <QObject>

#include <functional>

class DocumentLineGrid;
class DocumentLineModel;
class LineCursor;
class QLineEdit;
class TdmData;

// Goods line entry of the order, receipt and return windows: a typed goods code and Enter in
// the line grid, scanned or typed barcodes, the default unit price of a new line, and the line
// amount kept equal to quantity x price (x discount), rounded to four decimals.
class GoodsLineEntry : public QObject
{
    Q_OBJECT
public:
    struct Rules {
        LinePrice::Source priceSource = LinePrice::Source::Receipts;
        int priceFlag = 1;                 // document flag handed to the price service
        GoodsLookup::Parts typedCodeFills = GoodsLookup::allParts();
        bool notFoundGoesToFirstColumn = true;
        bool amountWithRate = true;        // amount = quantity x price x discount
    };
    using Text = std::function<QString()>;

    GoodsLineEntry(TdmData &dm, DocumentLineGrid *grid, DocumentLineModel *lines, LineCursor *cursor, const Rules &rules,
                   Text supplier, Text currentCode, QObject *parent = nullptr);

    const Rules &rules() const { return m_rules; }

    // Enter in the line grid while the document is new or edited.
    void gridEnter();
    // Enter in the barcode box: a line for the goods of the barcode with the given quantity.
    // True when a line was added.
    bool barcodeEntered(QLineEdit *box, double quantity);

    // The default unit price of a goods for the document's supplier; false when it could not
    // be read (the failure was shown).
    bool defaultPrice(const QString &goodsCode, double *price) const;

    // amount = quantity x price (x discount), missing values counting 0, four decimals.
    double amountOf(int row) const;

private:
    void linesChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    void setValues(int row, const QVariantMap &values);

    TdmData &m_dm;
    DocumentLineGrid *m_grid;
    DocumentLineModel *m_lines;
    LineCursor *m_cursor;
    Rules m_rules;
    Text m_supplier;
    Text m_currentCode;
    bool m_recomputing = false;
};
