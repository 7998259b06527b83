#include "autogoodscode.h"

#include "goodsstatements.h"

#include "data/dberror.h"
#include "data/tdmdata.h"

#include <QSqlQuery>

QString AutoGoodsCode::after(const QString &highest)
{
    if (highest.isEmpty())
        return QString(Width - 1, QLatin1Char('0')) + QLatin1Char('1');
    const QString head = highest.left(qMax(0, int(highest.size()) - Width));
    const QString tail = highest.right(Width);
    bool digits = !tail.isEmpty();
    for (const QChar c : tail)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!digits)
        throw DbError(QStringLiteral("货品编号“%1”的末尾不是数字，无法自动生成新的货品编号！").arg(highest));
    // Count up within the tail's width: "1" in front, plus one, the "1" dropped again.
    const QString counted = QString::number((QLatin1Char('1') + tail).toLongLong() + 1);
    if (counted.size() != tail.size() + 1 || counted.at(0) != QLatin1Char('1'))
        throw DbError(QStringLiteral("货品编号已用到“%1”，无法自动生成新的货品编号！").arg(highest));
    return head + counted.mid(1);
}

QString AutoGoodsCode::next(TdmData &dm)
{
    QSqlQuery q(dm.db());
    dm.exec(q, GoodsStatements::maxCode());
    QString highest;
    if (q.next() && !q.value(0).isNull())
        highest = q.value(0).toString();
    return after(highest);
}
