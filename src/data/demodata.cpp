#include "demodata.h"

#include "dberror.h"
#include "demogenerator.h"
#include "tdmdata.h"

#include <QLocale>

#include <cmath>

namespace DemoData {

namespace {
int scaled(double base, double scale, int minimum)
{
    return std::max(minimum, int(std::lround(base * scale)));
}
} // namespace

Profile demoProfile()
{
    Profile p;
    p.to = QDate::currentDate();
    p.from = p.to.addMonths(-4).addDays(1);
    return p;
}

Profile scaleProfile(double scale)
{
    Profile p;
    const double s = scale > 0 ? scale : 1.0;
    p.suppliers = scaled(1000, s, 3);
    p.goods = scaled(20000, s, 30);
    p.typeLevels = 4;
    p.employees = scaled(40, s, 8);
    p.to = QDate::currentDate();
    p.from = p.to.addYears(-3).addDays(1);
    p.orders = scaled(30000, s, 1);
    p.receipts = scaled(60000, s, 1);
    p.returns = scaled(3000, s, 1);
    p.invoices = scaled(20000, s, 1);
    p.payments = scaled(20000, s, 1);
    p.linesPerDocument = 22;
    return p;
}

QString Counts::summary() const
{
    const QLocale c = QLocale::c();
    return QStringLiteral("%1 suppliers, %2 goods, %3 documents with %4 lines, %5 rows in all")
        .arg(c.toString(suppliers), c.toString(goods), c.toString(documents), c.toString(lines), c.toString(totalRows));
}

QString companyName() { return QStringLiteral("宏远机电设备有限公司"); }

bool fill(TdmData &dm, const Profile &profile, Counts *counts, QString *error,
          const std::function<void(const QString &)> &progress)
{
    if (!dm.connected()) {
        if (error)
            *error = QStringLiteral("no open database");
        return false;
    }
    try {
        DemoGenerator generator(dm, profile, progress);
        Counts made;
        generator.run(made);
        if (counts)
            *counts = made;
        return true;
    } catch (const DbError &e) {
        if (error)
            *error = e.message();
        return false;
    }
}

} // namespace DemoData
