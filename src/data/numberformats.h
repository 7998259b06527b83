#pragma once

#include <QString>

// The shared number display formats of quantities, unit prices and amounts, and the rules that
// give grid columns one of them by their field name.
namespace NumberFormats {

// Which of the three shared formats a column takes.
enum class Kind { None, Quantity, Price, Amount };

// "0." followed by one "#" per decimal.
QString quantityFormat(int decimals);
// "￥,0." followed by "0" for the first and second decimal and "#" for the third and later.
QString moneyFormat(int decimals);

// Rebuilds sAmountFmt, sPriceFmt and sTotalFmt of the session from iAmountDec, iPriceDec and
// iTotalDec.
void BuildNumberFormats();

// The format a column of the given field name takes in a profile (1 to 5), Kind::None when
// no test of the profile matches (the column keeps its format).
Kind kindForField(const QString &fieldName, int profile);

// The session's format text of a kind (empty for Kind::None).
QString sessionFormat(Kind kind);

} // namespace NumberFormats
