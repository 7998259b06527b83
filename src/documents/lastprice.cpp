#include "lastprice.h"

#include "data/session.h"
#include "data/tdmdata.h"

#include <QSqlQuery>

namespace LinePrice {

namespace {
// The most recent line for the goods in documents of the kind (flag), optionally of one supplier.
QString lastLineStatement(Source source, bool bySupplier)
{
    const QString master = source == Source::Orders ? QStringLiteral("ddDepotM") : QStringLiteral("depotM");
    const QString lines = source == Source::Orders ? QStringLiteral("ddDepotD") : QStringLiteral("depotD");
    return QStringLiteral("select d.F_Price from %1 m join %2 d on m.F_Code = d.F_Code "
                          "where m.F_Flag = :flag %3 and d.F_GoodCode = :goods order by d.F_ID desc limit 1")
        .arg(master, lines, bySupplier ? QStringLiteral("and m.F_Client = :client") : QString());
}

const QString kGoodsPrice = QStringLiteral("select F_EnterPrice from t_goods where F_Code = :goods");
}

int ruleInForce(bool lastPrice, bool lastClientPrice)
{
    if (lastPrice)
        return 1;
    return lastClientPrice ? 2 : 0;
}

double lastPrice(TdmData &dm, Source source, int rule, const QString &goodsCode, const QString &supplier, int flag)
{
    if (rule == 1 || rule == 2) {
        SqlParams p{{QStringLiteral("flag"), flag}, {QStringLiteral("goods"), goodsCode}};
        if (rule == 2)
            p.append({QStringLiteral("client"), supplier.trimmed()});
        QSqlQuery q = dm.newQuery();
        if (dm.OpenQuery(lastLineStatement(source, rule == 2), q, p) && q.next())
            return q.value(0).toDouble();
    }
    return dm.QueryFloat(kGoodsPrice, {{QStringLiteral("goods"), goodsCode}});
}

double LastPrice(TdmData &dm, const QString &goodsCode, const QString &supplier, int flag)
{
    const Session &s = Session::instance();
    return lastPrice(dm, Source::Receipts, ruleInForce(s.bLastPrice, s.bLastClientPrice), goodsCode, supplier, flag);
}

double LastOrderPrice(TdmData &dm, const QString &goodsCode, const QString &supplier, int flag)
{
    const Session &s = Session::instance();
    return lastPrice(dm, Source::Orders, ruleInForce(s.bLastPrice, s.bLastClientPrice), goodsCode, supplier, flag);
}

} // namespace LinePrice
