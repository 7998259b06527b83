#include "reportfixtures.h"

#include <QDate>

namespace ReportFixtures {

QString fixturePath(const QString &name)
{
    return QStringLiteral(REPORT_FIXTURES_DIR "/") + name;
}

std::shared_ptr<ReportTableSource> demoMaster()
{
    auto m = std::make_shared<ReportTableSource>(
        QStringList{"F_Code", "F_Date", "F_Supplier", "F_Depot", "F_TotalPrice"});
    m->addRow({"CGD20240301001", QDate(2024, 3, 1), "华东电子有限公司", "一号仓", demoTotal("CGD20240301001")});
    m->addRow({"CGD20240301002", QDate(2024, 3, 1), "华东电子有限公司", "一号仓", demoTotal("CGD20240301002")});
    m->addRow({"CGD20240302001", QDate(2024, 3, 2), "南方五金商行", "二号仓", demoTotal("CGD20240302001")});
    return m;
}

namespace {
struct Line {
    const char *code;
    const char *goodCode;
    const char *goodName;
    const char *unit;
    double amount;
    double price;
};

const Line Lines[] = {
    {"CGD20240301001", "HP0001", "电阻 10kΩ", "包", 10, 2.5},
    {"CGD20240301001", "HP0002", "电容 100μF", "包", 4, 12},
    {"CGD20240301001", "HP0003", "开关电源模块（带外壳及散热片，工业级宽温型号）", "个", 2, 158.8},
    {"CGD20240301002", "HP0004", "螺丝 M3", "盒", 20, 3},
    {"CGD20240301002", "HP0005", "螺母 M3", "盒", 20, 2},
    {"CGD20240301002", "HP0006", "垫片", "盒", 10, 1.5},
    {"CGD20240301002", "HP0007", "导线 红", "卷", 3, 45},
    {"CGD20240301002", "HP0008", "导线 黑", "卷", 3, 45},
    {"CGD20240301002", "HP0009", "热缩管", "包", 5, 8.8},
    {"CGD20240301002", "HP0010", "扎带", "包", 6, 4.5},
    {"CGD20240302001", "HP0011", "扳手", "把", 2, 35},
    {"CGD20240302001", "HP0012", "钳子", "把", 1, 28.5},
};
} // namespace

std::shared_ptr<ReportTableSource> demoDetail()
{
    auto d = std::make_shared<ReportTableSource>(
        QStringList{"F_Code", "F_GoodCode", "F_GoodName", "F_Unit", "F_Amount", "F_Price", "F_TotalPrice"});
    for (const Line &l : Lines)
        d->addRow({l.code, l.goodCode, QString::fromUtf8(l.goodName), QString::fromUtf8(l.unit), l.amount, l.price, l.amount * l.price});
    return d;
}

double demoTotal(const QString &code)
{
    double sum = 0;
    for (const Line &l : Lines)
        if (code.isEmpty() || code == QLatin1String(l.code))
            sum += l.amount * l.price;
    return sum;
}

ReportValueHandler demoHandler()
{
    return [](const QString &name) -> std::optional<QVariant> {
        if (name == QLatin1String("sCurKHname"))
            return QStringLiteral("示范贸易有限公司");
        if (name == QLatin1String("bsPhone"))
            return QStringLiteral("010-88886666");
        if (name == QLatin1String("bsFax"))
            return QStringLiteral("010-88886667");
        if (name == QLatin1String("sLinkMan"))
            return QStringLiteral("王经理");
        if (name == QLatin1String("sPhone"))
            return QStringLiteral("021-55550000");
        if (name == QLatin1String("sAddress"))
            return QStringLiteral("上海市浦东新区张江路 88 号");
        return std::nullopt;
    };
}

std::shared_ptr<ReportTableSource> numberedList(int n)
{
    auto t = std::make_shared<ReportTableSource>(QStringList{"F_No", "F_Name", "F_Amount"});
    t->reserve(n);
    for (int i = 1; i <= n; ++i)
        t->addRow({i, QStringLiteral("货品%1").arg(i), i * 1.5});
    return t;
}

} // namespace ReportFixtures
