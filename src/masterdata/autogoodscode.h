#pragma once

#include <QString>

class TdmData;

// The automatic goods code: the highest code (text order) with its last six characters (the
// whole code when shorter) counted up as a number of the same width; "000001" when there is no
// goods yet. A tail that is not a number, or one that would wrap to zeros (999999), gives no
// code: the series is used up and a used code is never handed out again.
class AutoGoodsCode
{
public:
    static constexpr int Width = 6;

    // The code after `highest`; throws DbError with the reason when there is none.
    static QString after(const QString &highest);
    // The next code from the goods table; throws DbError.
    static QString next(TdmData &dm);
};
