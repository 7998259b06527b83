#pragma once

#include <QString>

class TdmData;

// The default unit price of a new goods line: the price of the most recent line for the goods
// (of any supplier, or of this supplier only, as the system settings say), else the goods'
// purchase price; 0 when none is known.
namespace LinePrice {

enum class Source { Receipts, Orders };

// rule: 1 any supplier, 2 this supplier, 0 the goods' purchase price only.
int ruleInForce(bool lastPrice, bool lastClientPrice);

double lastPrice(TdmData &dm, Source source, int rule, const QString &goodsCode, const QString &supplier, int flag);

// With the rule taken from the session's settings.
double LastPrice(TdmData &dm, const QString &goodsCode, const QString &supplier, int flag);
double LastOrderPrice(TdmData &dm, const QString &goodsCode, const QString &supplier, int flag);

} // namespace LinePrice
