#include "numberformats.h"

#include "session.h"

#include <initializer_list>

namespace NumberFormats {

QString quantityFormat(int decimals)
{
    return QStringLiteral("0.") + QString(std::max(0, decimals), QLatin1Char('#'));
}

QString moneyFormat(int decimals)
{
    QString f = QStringLiteral("￥,0.");
    for (int i = 1; i <= decimals; ++i)
        f += i <= 2 ? QLatin1Char('0') : QLatin1Char('#');
    return f;
}

void BuildNumberFormats()
{
    Session &s = Session::instance();
    s.sAmountFmt = quantityFormat(s.iAmountDec);
    s.sPriceFmt = moneyFormat(s.iPriceDec);
    s.sTotalFmt = moneyFormat(s.iTotalDec);
}

namespace {

bool containsAny(const QString &name, std::initializer_list<const char *> parts)
{
    for (const char *p : parts)
        if (name.contains(QLatin1String(p)))
            return true;
    return false;
}

} // namespace

Kind kindForField(const QString &fieldName, int profile)
{
    const QString n = fieldName.toLower();
    Kind k = Kind::None;
    switch (profile) {
    case 1:
        if (n.contains(QLatin1String("_rate")))
            k = Kind::Quantity;
        if (n.contains(QLatin1String("_price")))
            k = Kind::Price;
        if (containsAny(n, {"totalprice", "cbprice"}))
            k = Kind::Amount;
        if (n.contains(QLatin1String("amount")))
            k = Kind::Quantity;
        break;
    case 2:
        if (n.contains(QLatin1String("totalprice")))
            k = Kind::Amount;
        break;
    case 3:
        if (containsAny(n, {"begin", "enter", "out", "end"}))
            k = Kind::Quantity;
        if (containsAny(n, {"beginprice", "enterpric", "outpric", "endpric"}))
            k = Kind::Amount;
        break;
    case 4:
        if (n.contains(QLatin1String("rate")))
            return Kind::Quantity;
        if (containsAny(n, {"wg", "th"}))
            k = Kind::Quantity;
        if (containsAny(n, {"wg2", "th2"}))
            k = Kind::Amount;
        break;
    case 5:
        if (containsAny(n, {"begin", "enter", "out", "end"}))
            k = Kind::Amount;
        break;
    default:
        break;
    }
    return k;
}

QString sessionFormat(Kind kind)
{
    const Session &s = Session::instance();
    switch (kind) {
    case Kind::Quantity:
        return s.sAmountFmt;
    case Kind::Price:
        return s.sPriceFmt;
    case Kind::Amount:
        return s.sTotalFmt;
    case Kind::None:
        break;
    }
    return QString();
}

} // namespace NumberFormats
