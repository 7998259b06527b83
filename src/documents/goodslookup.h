#pragma once

#include <QFlags>
#include <QString>
#include <QVariantMap>

class TdmData;

// Finding the goods a document line is for, and the line values taken from the goods record.
namespace GoodsLookup {

enum class Result { Found, NotFound, Failed };

// Goods in use (F_Flag 0 or empty) with this code. Failed: the select failed and its message
// was shown.
Result byCode(TdmData &dm, const QString &code, QVariantMap *goods);
// The first goods (in use or not) with this barcode.
Result byBarcode(TdmData &dm, const QString &barcode, QVariantMap *goods);

// Which groups of fields a line takes from its goods.
enum class Part {
    Description = 0x1,  // name, type path, specification, unit, origin
    Barcode = 0x2,
    CustomFields = 0x4  // F_ZF1..F_ZF5, F_SZ1..F_SZ3, F_RQ1..F_RQ3
};
Q_DECLARE_FLAGS(Parts, Part)
Q_DECLARE_OPERATORS_FOR_FLAGS(Parts)
inline Parts allParts() { return Part::Description | Part::Barcode | Part::CustomFields; }

// Line field -> value taken from the goods (keys as the goods row of byCode/byBarcode gives
// them: F_Code, F_Name, F_Type, ...). A custom date that stands for "no date" gives an empty
// value.
QVariantMap lineValues(const QVariantMap &goods, Parts parts);

} // namespace GoodsLookup
