#pragma once

#include <QString>

// An amount in Chinese capital figures, every position written with its unit:
//   0 -> 零元整, 100 -> 壹佰零拾零元整, 1234.5 -> 壹仟贰佰叁拾肆元伍角零分.
// The amount is rounded to cents (half away from zero). A negative amount is written as its
// absolute value after "负". Amounts whose rounded absolute value reaches 10^12 (beyond the
// 仟亿 position) and values that are not finite give an empty text.
QString MoneyMinToBig(double amount);
