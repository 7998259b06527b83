#include "moneymintobig.h"

#include "data/displayformat.h"

#include <cmath>

QString MoneyMinToBig(double amount)
{
    if (!std::isfinite(amount) || std::abs(amount) >= 1e12)
        return {};
    // "0.00" of the amount: rounded half away from zero as written in decimal (2.675 -> 2.68).
    QString s = DisplayFormat::formatNumber(std::abs(amount), QStringLiteral("0.00"));
    s.remove(QLatin1Char('.'));
    if (s.size() > 14) // rounded up to 10^12
        return {};
    const bool negative = amount < 0 && s.count(QLatin1Char('0')) != s.size();

    static const QString digits = QStringLiteral("零壹贰叁肆伍陆柒捌玖");
    static const QString units = QStringLiteral("分角元拾佰仟万拾佰仟亿拾佰仟"); // positions -2 .. 11

    QString out;
    for (int i = int(s.size()) - 1, unit = 0; i >= 0; --i, ++unit) {
        const int d = s[i].digitValue();
        if (d < 0)
            return {};
        out.prepend(units[unit]);
        out.prepend(digits[d]);
    }
    if (s.endsWith(QLatin1String("00"))) {
        out.chop(4); // 零角零分
        out += QStringLiteral("整");
    }
    return negative ? QStringLiteral("负") + out : out;
}
