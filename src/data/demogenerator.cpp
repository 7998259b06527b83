#include "demogenerator.h"

#include "bulkinserter.h"
#include "dberror.h"
#include "demovocabulary.h"
#include "schema.h"
#include "tdmdata.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cmath>

namespace {

// Rows sent between two commits.
constexpr qint64 kRowsPerTransaction = 50000;
// The highest sequence of a per-day code series, and how full the generator lets a day get.
constexpr int kCodesPerDay = 999;
constexpr int kPlannedPerDay = 900;

double price2(double v) { return std::max(0.01, Sql::roundTo(v, 2)); }

QString ean13(const QString &twelve)
{
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (twelve.at(i).unicode() - '0') * (i % 2 == 0 ? 1 : 3);
    return twelve + QChar(u'0' + (10 - sum % 10) % 10);
}

} // namespace

void DemoGenerator::IndexSet::insert(int v)
{
    if (m_pos[size_t(v)] >= 0)
        return;
    m_pos[size_t(v)] = int(m_items.size());
    m_items.push_back(v);
}

void DemoGenerator::IndexSet::remove(int v)
{
    const int p = m_pos[size_t(v)];
    if (p < 0)
        return;
    const int last = m_items.back();
    m_items[size_t(p)] = last;
    m_pos[size_t(last)] = p;
    m_items.pop_back();
    m_pos[size_t(v)] = -1;
}

DemoGenerator::DemoGenerator(TdmData &dm, const DemoData::Profile &profile,
                             std::function<void(const QString &)> progress)
    : m_dm(dm), m_p(profile), m_progress(std::move(progress)), m_rng(profile.seed)
{
    m_empty = QVariant(QString(0, QChar()));
    m_nullText = QVariant(QMetaType::fromType<QString>());
}

DemoGenerator::~DemoGenerator()
{
    // An unfinished run rolls back before the statements go.
    m_tx.reset();
}

// ---- random helpers ---------------------------------------------------------------------

double DemoGenerator::uniform() { return double(m_rng()) / 4294967296.0; }

double DemoGenerator::uniform(double low, double high) { return low + (high - low) * uniform(); }

int DemoGenerator::range(int low, int high)
{
    if (high <= low)
        return low;
    return low + int(m_rng() % quint32(high - low + 1));
}

bool DemoGenerator::chance(double p) { return uniform() < p; }

QString DemoGenerator::digits(int count)
{
    QString s;
    s.reserve(count);
    for (int i = 0; i < count; ++i)
        s += QChar(u'0' + range(0, 9));
    return s;
}

QString DemoGenerator::personName(bool *male)
{
    static const QStringList surnames = DemoVocabulary::surnames();
    static const QStringList men = DemoVocabulary::maleNames();
    static const QStringList women = DemoVocabulary::femaleNames();
    const bool m = chance(0.6);
    if (male)
        *male = m;
    return pick(surnames) + pick(m ? men : women);
}

QString DemoGenerator::phone(const QString &areaCode)
{
    // Local numbers begin with 2 to 8; three-digit area codes go with eight-digit numbers.
    return areaCode + QLatin1Char('-') + QString::number(range(2, 8)) + digits(areaCode.size() == 3 ? 7 : 6 + range(0, 1));
}

void DemoGenerator::say(const QString &text)
{
    if (m_progress)
        m_progress(text);
}

// ---- database plumbing ------------------------------------------------------------------

void DemoGenerator::prepareInserters()
{
    const QSqlDatabase db = m_dm.db();
    auto make = [&](const char *table, const char *columns) {
        auto ins = std::make_unique<BulkInserter>(db, QLatin1String(table), QString::fromLatin1(columns).split(QLatin1Char(',')),
                                                  SqlDialect::bulkInsertRows(m_dm.backend()));
        m_all.push_back(ins.get());
        return ins;
    };
    // A goods line copies the goods (custom items without a value stay NULL, which reads as empty);
    // the database makes the copy from the goods row, so a line binds only its own values. A
    // receipt or return line taken from an order carries only what the order picker fills in,
    // and the order's code. One inserter per table keeps the lines in the order they were made.
    auto lines = [&](const char *table, bool receipts) {
        const QString number = QStringLiteral("double precision");
        BulkInserter::JoinedRows j;
        j.valueTypes = QStringList{QStringLiteral("integer"), QStringLiteral("text"), QStringLiteral("integer"), number,
                                   number, number, number};
        j.join = QStringLiteral("CROSS JOIN t_goods AS g WHERE g.F_ID = v.column3");
        j.order = QStringLiteral("v.column1");
        QString columns = QStringLiteral("F_Code,F_GoodCode,F_GoodName,F_Type,F_Spec,F_Unit,F_Address,F_TMcode,F_Amount,"
                                         "F_Price,F_Rate,F_TotalPrice,F_ZF1,F_SZ1");
        j.selectList = QStringLiteral("v.column2, g.F_Code, g.F_Name, g.F_Type, g.F_Spec, g.F_Unit, g.F_Address, "
                                      "g.F_BarCode, v.column4, v.column5, v.column6, v.column7, g.F_ZF1, g.F_SZ1");
        if (receipts) {
            // column8: the order's code (NULL for none); column9: 1 when the goods are copied in full.
            j.valueTypes << QStringLiteral("text") << QStringLiteral("integer");
            columns += QStringLiteral(",F_JHcode");
            j.selectList = QStringLiteral(
                "v.column2, g.F_Code, g.F_Name, g.F_Type, g.F_Spec, g.F_Unit, "
                "CASE WHEN v.column9 = 1 THEN g.F_Address END, CASE WHEN v.column9 = 1 THEN g.F_BarCode END, "
                "v.column4, v.column5, v.column6, v.column7, CASE WHEN v.column9 = 1 THEN g.F_ZF1 END, "
                "CASE WHEN v.column9 = 1 THEN g.F_SZ1 END, v.column8");
        }
        auto ins = std::make_unique<BulkInserter>(db, QLatin1String(table), columns.split(QLatin1Char(',')), j,
                                                  SqlDialect::bulkInsertRows(m_dm.backend()));
        m_all.push_back(ins.get());
        return ins;
    };

    m_codeIns = make("t_code", "F_type,F_name");
    m_treeIns = make("t_treecode", "F_code,F_name,F_likecode,F_flag");
    m_empIns = make("t_employee", "F_Code,F_Name,F_Sex,F_duty,F_dept,F_phone,F_Mem,F_Flag,F_imagePath");
    m_goodsIns = make("t_goods", "F_Code,F_Name,F_Type,F_Spec,F_Unit,F_Address,F_BarCode,F_EnterPrice,F_SalePrice,"
                                 "F_Depot,F_BegAmount,F_DeptUp,F_DeptDown,F_Flag,F_ZF1,F_SZ1");
    m_begIns = make("t_begDept", "F_GoodCode,F_Depot,F_Amount,F_Price,F_totalPrice");
    m_clientIns = make("t_client", "F_operFlag,F_Code,F_Name,F_type,F_LinkMan,F_Phone,F_HandPhone,F_Fax,F_Address,"
                                   "F_PostCode,F_Bank,F_Account,F_Ratecode,F_Homepage,F_Email,F_Enrol,F_EmpName,"
                                   "F_BegPrice,F_Mem,F_UseFlag");
    m_orderM = make("ddDepotM", "F_Code,F_Flag,F_OperFlag,F_MakeDate,F_date,F_Client,F_Depot,F_EmpName,F_OldCode,"
                                "F_Amount,F_TotalPrice,F_Mem,F_Maker,F_Auditer,F_CheckFlag,F_AudDate,F_JHdate");
    m_orderD = lines("ddDepotD", false);
    m_depotM = make("depotM", "F_Code,F_Flag,F_OperFlag,F_MakeDate,F_date,F_Client,F_Depot,F_EmpName,F_OldCode,"
                              "F_Amount,F_TotalPrice,F_Mem,F_Maker,F_Auditer,F_CheckFlag,F_AudDate");
    m_depotD = lines("depotD", true);
    m_invoiceM = make("KPdepotM", "F_Code,F_Flag,F_MakeDate,F_date,F_CLTname,F_KPtype,F_KPcode,F_KPname,F_KPprice,"
                                  "F_TotalPrice,F_KPemp,F_CGDcode,F_memo1,F_Maker,F_Auditer,F_CheckFlag");
    m_invoiceD = make("KPdepotD", "F_Code,F_CGDcode,F_TotalPrice");
    m_payM = make("cashPayM", "F_Code,F_Flag,F_OperFlag,F_MakeDate,F_date,F_Client,F_OldCode,F_PayMode,F_Account,"
                              "F_itemName,F_TotalPrice,F_SKprice,F_EmpName,F_CGDcode,F_Mem,F_Maker,F_Auditer,F_CheckFlag");
    m_payD = make("cashPayD", "F_Code,F_CGDcode,F_TotalPrice");
}

void DemoGenerator::endRow(BulkInserter &ins)
{
    QString error;
    if (!ins.endRow(&error))
        throw DbError(error);
}

void DemoGenerator::flushAll()
{
    QString error;
    for (BulkInserter *ins : m_all)
        if (!ins->flush(&error))
            throw DbError(error);
}

void DemoGenerator::maybeCommit()
{
    qint64 rows = 0;
    for (const BulkInserter *ins : m_all)
        rows += ins->rowsSent();
    if (rows - m_rowsAtCommit < kRowsPerTransaction)
        return;
    m_tx->commit();
    m_tx.reset();
    m_tx = std::make_unique<DbTransaction>(m_dm);
    m_rowsAtCommit = rows;
}

void DemoGenerator::beginBulkLoad()
{
    for (const QString &stmt : SqlDialect::bulkLoadStart(m_dm.backend()))
        m_dm.exec(stmt);
    // Secondary indexes of the filled tables are built once at the end, which is much faster
    // than keeping them up to date row by row. The unique code indexes stay.
    for (const Schema::Index &index : Schema::indexes()) {
        if (index.unique)
            continue;
        const bool filled = std::any_of(m_all.begin(), m_all.end(), [&](const BulkInserter *ins) {
            return ins->table().compare(QLatin1String(index.table), Qt::CaseInsensitive) == 0;
        });
        if (!filled)
            continue;
        m_dm.exec(QStringLiteral("DROP INDEX %1").arg(QLatin1String(index.name)));
        m_droppedIndexes << QLatin1String(index.name);
    }
}

void DemoGenerator::endBulkLoad(bool quiet)
{
    // After a failure this restores what it can and keeps the first error for the caller.
    for (const Schema::Index &index : Schema::indexes()) {
        if (!m_droppedIndexes.contains(QLatin1String(index.name)))
            continue;
        try {
            m_dm.exec(Schema::createIndexSql(index));
            m_droppedIndexes.removeAll(QLatin1String(index.name));
        } catch (const DbError &) {
            if (!quiet)
                throw;
        }
    }
    for (const QString &stmt : SqlDialect::bulkLoadEnd(m_dm.backend())) {
        try {
            m_dm.exec(stmt);
        } catch (const DbError &) {
            if (!quiet)
                throw;
        }
    }
}

QVariant DemoGenerator::date(int day) const
{
    const size_t i = size_t(std::clamp(day, 0, int(m_dates.size()) - 1));
    return m_dates[i];
}

// ---- master data ------------------------------------------------------------------------

void DemoGenerator::writeCodeLists()
{
    const int depotCount = std::clamp(3 + m_p.suppliers / 400, 3, int(DemoVocabulary::depots().size()));
    m_depots = DemoVocabulary::depots().mid(0, depotCount);
    m_units = DemoVocabulary::units();
    m_payModes = DemoVocabulary::payModes();
    m_accounts = DemoVocabulary::accounts();
    m_invoiceKinds = DemoVocabulary::invoiceKinds();
    m_items = DemoVocabulary::paymentItems();
    const std::pair<const char *, QStringList> lists[] = {
        {"depot", m_depots},
        {"goodunit", m_units},
        {"paymode", m_payModes},
        {"Account", m_accounts},
        {"kptype", m_invoiceKinds},
        {"empduty", DemoVocabulary::duties()},
        {"dept", DemoVocabulary::departments()},
        {"clttype", DemoVocabulary::supplierTypes()},
        {"itemname", m_items},
    };
    for (const auto &[type, names] : lists) {
        const QVariant t = QString::fromLatin1(type);
        for (const QString &n : names) {
            *m_codeIns << t << n;
            endRow(*m_codeIns);
        }
    }
}

void DemoGenerator::writeTypeTree()
{
    const QList<DemoVocabulary::Category> &cats = DemoVocabulary::categories();
    const int levels = std::max(1, m_p.typeLevels);
    const QVariant flag = QStringLiteral("goodtype");
    const QString root = QStringLiteral("\\\\");
    const QString sep = QStringLiteral("\\");

    auto node = [&](const QString &code, const QString &name, const QString &path) {
        *m_treeIns << code << name << path << flag;
        endRow(*m_treeIns);
    };
    // Below the second level the names repeat under every parent.
    std::function<void(const QString &, const QString &, int, int, int, bool)> below =
        [&](const QString &code, const QString &path, int level, int cat, int sub, bool imported) {
            if (level > levels) {
                m_leaves.push_back(Leaf{path, cat, sub, imported});
                return;
            }
            const QStringList names = DemoVocabulary::levelNames(level);
            for (int i = 0; i < names.size(); ++i) {
                const QString c = code + QString::number(i + 1).rightJustified(3, QLatin1Char('0'));
                const QString p = path + sep + names.at(i);
                node(c, names.at(i), p);
                below(c, p, level + 1, cat, sub, imported || names.at(i) == QStringLiteral("进口"));
            }
        };
    for (int c = 0; c < cats.size(); ++c) {
        const QString code = QString::number(c + 1).rightJustified(3, QLatin1Char('0'));
        const QString path = root + cats.at(c).name;
        node(code, cats.at(c).name, path);
        if (levels == 1) {
            m_leaves.push_back(Leaf{path, c, -1, false});
            continue;
        }
        for (int s = 0; s < cats.at(c).subs.size(); ++s) {
            const QString subCode = code + QString::number(s + 1).rightJustified(3, QLatin1Char('0'));
            const QString subPath = path + sep + cats.at(c).subs.at(s).name;
            node(subCode, cats.at(c).subs.at(s).name, subPath);
            below(subCode, subPath, 3, c, s, false);
        }
    }
}

void DemoGenerator::writeEmployees()
{
    const int count = std::max(1, m_p.employees);
    const QStringList duties = DemoVocabulary::duties();       // 总经理 采购经理 采购员 仓库管理员 会计 出纳 质检员
    const QStringList depts = DemoVocabulary::departments();   // 总经理室 采购部 仓储部 财务部 质检部
    // The first employees fill the key posts; the others buy, keep the depots or check goods.
    const int fixedDuty[] = {0, 1, 4, 5, 3};
    const int deptOfDuty[] = {0, 1, 1, 2, 3, 3, 4};
    const int width = std::max(3, int(QString::number(count).size()));
    QSet<QString> used;
    for (int i = 0; i < count; ++i) {
        bool male = true;
        QString name = personName(&male);
        for (int tries = 0; used.contains(name) && tries < 50; ++tries)
            name = personName(&male);
        if (used.contains(name))
            name += QString::number(i + 1);
        used.insert(name);
        int duty = i < 5 ? fixedDuty[i] : (chance(0.7) ? 2 : (chance(0.5) ? 3 : 6));
        const bool left = i >= 5 && chance(0.1);
        m_employeeNames.push_back(name);
        if (!left && (duty == 1 || duty == 2))
            m_buyers.push_back(i);
        if (!left && (duty == 4 || duty == 5))
            m_finance.push_back(i);
        *m_empIns << QString::number(i + 1).rightJustified(width, QLatin1Char('0')) << name
                  << (male ? QStringLiteral("男") : QStringLiteral("女")) << duties.at(duty)
                  << depts.at(deptOfDuty[duty]) << QStringLiteral("13") + digits(9) << m_empty << (left ? 1 : 0)
                  << m_empty;
        endRow(*m_empIns);
    }
    if (m_buyers.empty())
        m_buyers.push_back(0);
    if (m_finance.empty())
        m_finance = m_buyers;
}

void DemoGenerator::writeGoods()
{
    const QList<DemoVocabulary::Category> &cats = DemoVocabulary::categories();
    const QStringList origins = DemoVocabulary::origins();
    const QStringList imported = DemoVocabulary::importOrigins();
    const int count = std::max(0, m_p.goods);
    const int width = std::max(6, int(QString::number(count).size()));
    const int leaves = int(m_leaves.size());
    const quint64 barcodeBase = 1000000000ULL + quint64(m_rng()) % 4000000000ULL;
    m_leafGoods.assign(size_t(leaves), {});
    m_goods.reserve(size_t(count));

    for (int i = 0; i < count; ++i) {
        // Codes run through the types in order, so the goods of a type have neighbouring codes.
        const int leafIndex = int(qint64(i) * leaves / std::max(1, count));
        const Leaf &leaf = m_leaves[size_t(leafIndex)];
        const DemoVocabulary::Category &cat = cats.at(leaf.category);
        const DemoVocabulary::SubCategory &sub = leaf.sub >= 0 ? cat.subs.at(leaf.sub) : pick(cat.subs);
        const QString spec = pick(sub.specs);
        const QString name = pick(sub.materials) + pick(sub.items) + QLatin1Char(' ') + spec;
        const double price = price2(std::exp(uniform(std::log(sub.priceLow), std::log(sub.priceHigh))));

        Goods g;
        g.code = QString::number(i + 1).rightJustified(width, QLatin1Char('0'));
        g.name = name;
        g.type = leaf.path;
        g.spec = spec;
        g.unit = sub.unit;
        g.address = leaf.imported ? pick(imported) : pick(origins);
        g.barcode = ean13(QStringLiteral("69") + QString::number(barcodeBase + quint64(i)).rightJustified(10, QLatin1Char('0')));
        g.brand = chance(0.7) ? QVariant(pick(cat.brands)) : m_nullText;
        g.packQty = double(pick(QList<int>{1, 1, 1, 10, 20, 50, 100}));
        g.price = price;
        g.leaf = leafIndex;
        g.disabled = chance(0.03);

        // Opening stock in one or two depots.
        double opening = 0;
        if (chance(0.7)) {
            const int first = pickDepot();
            const int depotsUsed = (chance(0.25) && m_depots.size() > 1) ? 2 : 1;
            for (int k = 0; k < depotsUsed; ++k) {
                const int depot = (first + k) % int(m_depots.size());
                const double amount = orderQuantity(price) * range(1, 4);
                opening += amount;
                *m_begIns << g.code << m_depots.at(depot) << amount << price << Sql::roundMoney(amount * price);
                endRow(*m_begIns);
            }
        }
        const double low = orderQuantity(price);
        *m_goodsIns << g.code << g.name << g.type << g.spec << g.unit << g.address << g.barcode << price
                    << price2(price * uniform(1.15, 1.45)) << m_depots.at(pickDepot()) << opening << low * range(5, 20)
                    << low << (g.disabled ? 1 : 0) << g.brand << g.packQty;
        endRow(*m_goodsIns);
        if (!g.disabled)
            m_leafGoods[size_t(leafIndex)].push_back(i);
        m_goods.push_back(std::move(g));
    }
    m_counts.goods = count;
}

void DemoGenerator::readGoodsIds()
{
    // Lines copy their goods by row identity.
    QString error;
    if (!m_goodsIns->flush(&error))
        throw DbError(error);
    QHash<QString, int> index;
    for (int i = 0; i < int(m_goods.size()); ++i)
        index.insert(m_goods[size_t(i)].code.toString(), i);
    QSqlQuery q(m_dm.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("select F_ID, F_Code from t_goods")))
        throw DbError(q.lastError().text());
    while (q.next()) {
        const auto it = index.constFind(q.value(1).toString());
        if (it != index.constEnd())
            m_goods[size_t(*it)].id = q.value(0).toInt();
    }
    for (const Goods &g : m_goods)
        if (!g.id.isValid())
            throw DbError(QStringLiteral("goods %1 was not stored").arg(g.code.toString()));
}

void DemoGenerator::writeSuppliers()
{
    const QList<DemoVocabulary::Category> &cats = DemoVocabulary::categories();
    const QList<DemoVocabulary::City> &cities = DemoVocabulary::cities();
    const QStringList regions = DemoVocabulary::regions();
    const QStringList cores = DemoVocabulary::companyCores();
    const QStringList suffixes = DemoVocabulary::companySuffixes();
    const QStringList streets = DemoVocabulary::streets();
    const QStringList banks = DemoVocabulary::banks();
    const QStringList types = DemoVocabulary::supplierTypes();
    const int count = std::max(1, m_p.suppliers);
    const int width = std::max(4, int(QString::number(count).size()));
    const size_t need = size_t(std::max(12, 2 * m_p.linesPerDocument));

    std::vector<int> nonEmptyLeaves;
    std::vector<std::vector<int>> leavesOfCategory(size_t(cats.size()));
    for (int l = 0; l < int(m_leaves.size()); ++l)
        if (!m_leafGoods[size_t(l)].empty()) {
            nonEmptyLeaves.push_back(l);
            leavesOfCategory[size_t(m_leaves[size_t(l)].category)].push_back(l);
        }

    QSet<QString> used;
    m_suppliers.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        Supplier &s = m_suppliers[size_t(i)];
        // What it sells: a type, then more types of the same category, then any type.
        int category = range(0, int(cats.size()) - 1);
        if (!nonEmptyLeaves.empty()) {
            std::vector<int> taken;
            const int first = pick(nonEmptyLeaves);
            category = m_leaves[size_t(first)].category;
            taken.push_back(first);
            s.catalogue = m_leafGoods[size_t(first)];
            const std::vector<int> &sameCategory = leavesOfCategory[size_t(category)];
            for (int tries = 0; s.catalogue.size() < need && taken.size() < nonEmptyLeaves.size() && tries < 200; ++tries) {
                const int leaf = tries < 20 ? pick(sameCategory) : pick(nonEmptyLeaves);
                if (std::find(taken.begin(), taken.end(), leaf) != taken.end())
                    continue;
                taken.push_back(leaf);
                s.catalogue.insert(s.catalogue.end(), m_leafGoods[size_t(leaf)].begin(), m_leafGoods[size_t(leaf)].end());
            }
        }
        const DemoVocabulary::City &city = pick(cities);
        const QString head = chance(0.75) ? city.name : pick(regions);
        const QString trade = cats.at(category).trade;
        QString name;
        for (int tries = 0; tries < 40 && (name.isEmpty() || used.contains(name)); ++tries)
            name = head + pick(cores) + trade + pick(suffixes);
        if (used.contains(name))
            name = head + pick(cores) + trade + QStringLiteral("（%1）").arg(i + 1) + pick(suffixes);
        used.insert(name);
        s.name = name;
        s.disabled = chance(0.05);

        const bool municipality = city.province.endsWith(QStringLiteral("市"));
        const QString address = city.province + (municipality ? QString() : city.name + QStringLiteral("市"))
            + pick(streets) + QString::number(range(1, 899)) + QStringLiteral("号");
        const QString code = QString::number(i + 1).rightJustified(width, QLatin1Char('0'));
        *m_clientIns << 0 << code << name << pick(types) << personName() << phone(city.areaCode)
                     << QStringLiteral("1") + QString::number(range(3, 9)) + digits(9)
                     << (chance(0.6) ? QVariant(phone(city.areaCode)) : m_empty) << address
                     << city.postPrefix + digits(3)
                     << pick(banks) + city.name + (chance(0.5) ? QStringLiteral("分行") : QStringLiteral("支行"))
                     << digits(19) << QStringLiteral("91") + city.postPrefix + digits(3) + digits(10)
                     << (chance(0.3) ? QVariant(QStringLiteral("www.gys%1.cn").arg(code)) : m_empty)
                     << (chance(0.5) ? QVariant(QStringLiteral("sales%1@163.com").arg(code)) : m_empty) << personName()
                     << m_employeeNames[size_t(pick(m_buyers))]
                     << (chance(0.6) ? Sql::roundTo(uniform(1000, 80000), 2) : 0.0) << m_empty << (s.disabled ? 1 : 0);
        endRow(*m_clientIns);
    }
    m_counts.suppliers = count;

    // Documents go to active suppliers that sell something; a few suppliers do most business.
    double total = 0;
    for (int i = 0; i < count; ++i) {
        const Supplier &s = m_suppliers[size_t(i)];
        if (s.disabled || s.catalogue.empty())
            continue;
        const double u = uniform();
        total += 0.2 + 10.0 * u * u * u;
        m_activeSuppliers.push_back(i);
        m_supplierWeight.push_back(total);
    }
    if (m_activeSuppliers.empty() && (m_p.orders > 0 || m_p.receipts > 0))
        throw DbError(QStringLiteral("the profile leaves no supplier with goods to buy"));
    m_openOrders.assign(size_t(count), {});
    m_toInvoice.assign(size_t(count), {});
    m_toPay.assign(size_t(count), {});
    m_suppliersWithOrders.resize(count);
    m_suppliersToInvoice.resize(count);
    m_suppliersToPay.resize(count);
}

void DemoGenerator::writeCompany()
{
    m_dm.exec(QStringLiteral("update SysInfo set F_Name = :address, F_Manager = :manager, F_Phone = :phone, "
                             "F_HandPhone = :fax, F_Email = :email, F_Enroler = :enroler, F_Mem = :mem"),
              {{QStringLiteral("address"), QStringLiteral("浙江省杭州市余杭区文一西路1588号")},
               {QStringLiteral("manager"), m_employeeNames.front()},
               {QStringLiteral("phone"), QStringLiteral("0571-88886666")},
               {QStringLiteral("fax"), QStringLiteral("0571-88886667")},
               {QStringLiteral("email"), QStringLiteral("caigou@example.com")},
               {QStringLiteral("enroler"), m_employeeNames.front()},
               {QStringLiteral("mem"), QStringLiteral("机电设备、五金工具及工业耗材的采购与分销。")}});
}

// ---- documents --------------------------------------------------------------------------

int DemoGenerator::pickSupplier()
{
    const double x = uniform() * m_supplierWeight.back();
    const auto it = std::upper_bound(m_supplierWeight.begin(), m_supplierWeight.end(), x);
    const size_t i = std::min(size_t(it - m_supplierWeight.begin()), m_activeSuppliers.size() - 1);
    return m_activeSuppliers[i];
}

int DemoGenerator::pickDepot()
{
    const double u = uniform();
    return std::min(int(m_depots.size()) - 1, int(u * u * m_depots.size()));
}

int DemoGenerator::pickEmployee(const std::vector<int> &pool) { return pool[size_t(range(0, int(pool.size()) - 1))]; }

double DemoGenerator::orderQuantity(double price)
{
    if (price < 1)
        return pick(QList<int>{100, 200, 300, 500, 1000, 2000});
    if (price < 10)
        return pick(QList<int>{10, 20, 30, 50, 100, 200});
    if (price < 100)
        return range(2, 50);
    if (price < 500)
        return range(1, 20);
    return range(1, 5);
}

int DemoGenerator::lineCount()
{
    const int l = std::max(1, m_p.linesPerDocument);
    return range(std::max(1, l / 2), l + l / 2);
}

std::vector<int> DemoGenerator::pickGoods(int supplier, int count)
{
    const std::vector<int> &c = m_suppliers[size_t(supplier)].catalogue;
    const size_t n = std::min(size_t(std::max(1, count)), c.size());
    std::vector<int> out;
    out.reserve(n);
    if (n * 2 > c.size()) {
        std::vector<int> copy = c;
        for (size_t i = 0; i < n; ++i) {
            std::swap(copy[i], copy[i + size_t(range(0, int(copy.size() - i) - 1))]);
            out.push_back(copy[i]);
        }
        return out;
    }
    while (out.size() < n) {
        const int g = c[size_t(range(0, int(c.size()) - 1))];
        if (std::find(out.begin(), out.end(), g) == out.end())
            out.push_back(g);
    }
    return out;
}

void DemoGenerator::goodsLine(BulkInserter &ins, const QVariant &docCode, int goods, double qty, double price,
                              double rate, double total)
{
    ins << ++m_lineSeq << docCode << m_goods[size_t(goods)].id << qty << price << rate << total;
    if (&ins == m_depotD.get())
        ins << m_nullText << 1;
    endRow(ins);
    ++m_counts.lines;
}

void DemoGenerator::pickedLine(const QVariant &docCode, int goods, double qty, double price, double total,
                               const QVariant &orderCode)
{
    *m_depotD << ++m_lineSeq << docCode << m_goods[size_t(goods)].id << qty << price << 1.0 << total << orderCode << 0;
    endRow(*m_depotD);
    ++m_counts.lines;
}

DemoGenerator::DocDates DemoGenerator::documentDates(Kind kind, const QString &prefix, int businessDay)
{
    std::vector<int> &counter = m_dayCounter[kind];
    // Sometimes a document is entered the day after it happened.
    int entry = businessDay;
    if (businessDay + 1 < m_days && chance(0.08))
        entry = businessDay + 1;
    while (entry < m_days && counter[size_t(entry)] >= kCodesPerDay)
        ++entry;
    if (entry >= m_days) {
        entry = businessDay;
        while (entry >= 0 && counter[size_t(entry)] >= kCodesPerDay)
            --entry;
    }
    if (entry < 0)
        throw DbError(QStringLiteral("no free %1 code left in the period").arg(prefix));
    DocDates d;
    d.makeDay = std::min(businessDay, entry);
    d.entryDay = entry;
    const int sequence = ++counter[size_t(entry)];
    d.code = QString(prefix + m_dayKeys[size_t(entry)] + QString::number(sequence).rightJustified(3, QLatin1Char('0')));
    // Everything is audited except some of the last days' documents.
    d.audited = !(m_days - 1 - d.makeDay < 10 && chance(0.5));
    d.auditDay = std::min(entry + range(0, 2), m_days - 1);
    return d;
}

void DemoGenerator::scheduleDocuments()
{
    m_dates.clear();
    m_dayKeys.clear();
    for (int d = 0; d < m_days + 64; ++d) {
        const QDate day = m_p.from.addDays(d);
        m_dates.push_back(Sql::date(day));
        m_dayKeys.push_back(day.toString(QStringLiteral("yyyyMMdd")));
    }
    // Weekdays are busy, weekends quiet, and business grows a little over the years.
    std::vector<double> cumulative(static_cast<size_t>(m_days));
    double total = 0;
    for (int d = 0; d < m_days; ++d) {
        const int dow = m_p.from.addDays(d).dayOfWeek();
        const double w = (dow == 7 ? 0.15 : dow == 6 ? 0.4 : 1.0) * (1.0 + 0.3 * d / std::max(1, m_days - 1));
        total += w;
        cumulative[size_t(d)] = total;
    }
    const int wanted[KindCount] = {m_p.orders, m_p.receipts, m_p.returns, m_p.invoices, m_p.payments};
    for (int k = 0; k < KindCount; ++k) {
        m_dayCounter[k].assign(size_t(m_days), 0);
        m_target[k] = std::clamp(wanted[k], 0, kPlannedPerDay * m_days);
        std::vector<int> &days = m_schedule[k];
        days.clear();
        days.reserve(size_t(m_target[k]));
        for (int i = 0; i < m_target[k]; ++i) {
            const auto it = std::lower_bound(cumulative.begin(), cumulative.end(), uniform() * total);
            days.push_back(std::min(int(it - cumulative.begin()), m_days - 1));
        }
        std::sort(days.begin(), days.end());
    }
}

void DemoGenerator::writeDocuments()
{
    if (m_activeSuppliers.empty())
        return;
    size_t next[KindCount] = {};
    for (int day = 0; day < m_days; ++day) {
        const QDate date = m_p.from.addDays(day);
        const int month = date.year() * 12 + date.month();
        if (month != m_lastProgressMonth) {
            m_lastProgressMonth = month;
            say(QStringLiteral("正在生成单据：%1 ...").arg(date.toString(QStringLiteral("yyyy-MM"))));
        }
        for (int k = 0; k < KindCount; ++k) {
            const std::vector<int> &days = m_schedule[k];
            while (next[k] < days.size() && days[next[k]] == day) {
                switch (k) {
                case KOrder: makeOrder(day); break;
                case KReceipt: makeReceipt(day); break;
                case KReturn: makeReturn(day); break;
                case KInvoice: makeInvoice(day); break;
                case KPayment: makePayment(day); break;
                }
                ++next[k];
                maybeCommit();
            }
        }
    }
}

void DemoGenerator::makeOrder(int day)
{
    const int s = pickSupplier();
    const DocDates dd = documentDates(KOrder, QStringLiteral("CDD"), day);
    Order o;
    o.code = dd.code;
    o.supplier = s;
    o.day = dd.makeDay;
    o.depot = chance(0.8) ? pickDepot() : -1;
    o.employee = pickEmployee(m_buyers);
    o.firstLine = int(m_orderLines.size());
    double amount = 0, total = 0;
    for (int g : pickGoods(s, lineCount())) {
        OrderLine l;
        l.goods = g;
        l.price = price2(m_goods[size_t(g)].price * uniform(0.92, 1.05));
        l.rate = chance(0.12) ? pick(QList<double>{0.98, 0.95, 0.9}) : 1.0;
        l.qty = orderQuantity(l.price);
        const double lineTotal = Sql::roundMoney(l.qty * l.price * l.rate);
        goodsLine(*m_orderD, o.code, g, l.qty, l.price, l.rate, lineTotal);
        amount += l.qty;
        total += lineTotal;
        m_orderLines.push_back(l);
    }
    o.lineCount = int(m_orderLines.size()) - o.firstLine;
    *m_orderM << o.code << 1 << 1 << date(dd.makeDay) << date(dd.entryDay) << m_suppliers[size_t(s)].name
              << (o.depot >= 0 ? QVariant(m_depots.at(o.depot)) : m_empty) << m_employeeNames[size_t(o.employee)]
              << (chance(0.3) ? QVariant(QStringLiteral("PO") + digits(8)) : m_empty) << amount << Sql::roundMoney(total)
              << (chance(0.1) ? QVariant(pick(DemoVocabulary::remarks())) : m_empty) << m_maker
              << (dd.audited ? m_maker : m_empty) << (dd.audited ? 1 : 0)
              << (dd.audited ? date(dd.auditDay) : m_nullText) << date(dd.makeDay + range(3, 30));
    endRow(*m_orderM);
    m_openOrders[size_t(s)].push_back(int(m_orders.size()));
    m_suppliersWithOrders.insert(s);
    m_orders.push_back(o);
    ++m_counts.documents;
}

void DemoGenerator::makeReceipt(int day)
{
    // Most receipts deliver open order lines of a supplier; the others buy without an order.
    int s = -1;
    if (!m_suppliersWithOrders.empty() && chance(0.7)) {
        for (int attempt = 0; attempt < 8 && s < 0; ++attempt) {
            const int candidate = m_suppliersWithOrders.at(range(0, m_suppliersWithOrders.size() - 1));
            const std::deque<int> &q = m_openOrders[size_t(candidate)];
            if (!q.empty() && m_orders[size_t(q.front())].day < day)
                s = candidate;
        }
    }
    const DocDates dd = documentDates(KReceipt, QStringLiteral("CGD"), day);
    Receipt r;
    r.day = dd.makeDay;
    r.firstLine = int(m_receiptLines.size());
    r.depot = -1;
    double amount = 0, total = 0;

    if (s >= 0) {
        std::deque<int> &q = m_openOrders[size_t(s)];
        // A delivery brings the open lines of the oldest orders, a document's worth of lines.
        const int enough = std::max(1, m_p.linesPerDocument);
        int taken = 0;
        while (!q.empty() && m_orders[size_t(q.front())].day < day) {
            const int orderIndex = q.front();
            const Order &o = m_orders[size_t(orderIndex)];
            if (r.depot < 0) {
                r.depot = o.depot >= 0 ? o.depot : pickDepot();
                r.employee = o.employee;
            }
            bool stillOpen = false;
            for (int li = o.firstLine; li < o.firstLine + o.lineCount; ++li) {
                OrderLine &ol = m_orderLines[size_t(li)];
                const double open = ol.open();
                if (open <= 0)
                    continue;
                const double qty = chance(0.8) ? open : std::max(1.0, std::floor(open * uniform(0.3, 0.8)));
                ol.received += qty;
                stillOpen = stillOpen || ol.open() > 0;
                // Lines taken from an order keep its price at full rate, as the order picker does.
                const double lineTotal = Sql::roundMoney(qty * ol.price);
                pickedLine(dd.code, ol.goods, qty, ol.price, lineTotal, o.code);
                m_receiptLines.push_back(ReceiptLine{ol.goods, li, qty, ol.price, 0});
                amount += qty;
                total += lineTotal;
                ++taken;
            }
            if (!stillOpen)
                q.pop_front();
            if (stillOpen || taken >= enough)
                break;
        }
        if (q.empty())
            m_suppliersWithOrders.remove(s);
    } else {
        s = pickSupplier();
        r.depot = pickDepot();
        r.employee = pickEmployee(m_buyers);
        for (int g : pickGoods(s, lineCount())) {
            const double price = price2(m_goods[size_t(g)].price * uniform(0.95, 1.06));
            const double rate = chance(0.1) ? pick(QList<double>{0.98, 0.95, 0.9}) : 1.0;
            const double qty = orderQuantity(price);
            const double lineTotal = Sql::roundMoney(qty * price * rate);
            goodsLine(*m_depotD, dd.code, g, qty, price, rate, lineTotal);
            m_receiptLines.push_back(ReceiptLine{g, -1, qty, Sql::roundMoney(price * rate), 0});
            amount += qty;
            total += lineTotal;
        }
    }
    r.supplier = s;
    r.lineCount = int(m_receiptLines.size()) - r.firstLine;
    total = Sql::roundMoney(total);
    *m_depotM << dd.code << 1 << 1 << date(dd.makeDay) << date(dd.entryDay) << m_suppliers[size_t(s)].name
              << m_depots.at(r.depot) << m_employeeNames[size_t(r.employee)]
              << (chance(0.4) ? QVariant(QStringLiteral("SH") + m_dayKeys[size_t(dd.makeDay)].mid(2) + digits(3)) : m_empty)
              << amount << total << (chance(0.08) ? QVariant(pick(DemoVocabulary::remarks())) : m_empty) << m_maker
              << (dd.audited ? m_maker : m_empty) << (dd.audited ? 1 : 0)
              << (dd.audited ? date(dd.auditDay) : m_nullText);
    endRow(*m_depotM);
    m_receipts.push_back(r);
    addSettleable(s, dd.code.toString(), total);
    ++m_counts.documents;
}

void DemoGenerator::makeReturn(int day)
{
    // A return gives back part of a recent receipt, at the price it was bought.
    const int n = int(m_receipts.size());
    if (n == 0)
        return;
    int ri = -1;
    std::vector<int> candidates;
    for (int attempt = 0; attempt < 8 && ri < 0; ++attempt) {
        const int candidate = n - 1 - range(0, std::min(n, 400) - 1);
        const Receipt &r = m_receipts[size_t(candidate)];
        if (r.day > day)
            continue;
        candidates.clear();
        for (int li = r.firstLine; li < r.firstLine + r.lineCount; ++li)
            if (m_receiptLines[size_t(li)].qty - m_receiptLines[size_t(li)].returned >= 1)
                candidates.push_back(li);
        if (!candidates.empty())
            ri = candidate;
    }
    if (ri < 0)
        return;
    const Receipt &r = m_receipts[size_t(ri)];
    const DocDates dd = documentDates(KReturn, QStringLiteral("CTD"), day);
    double amount = 0, total = 0;
    const int lines = std::min(int(candidates.size()), range(1, 3));
    for (int i = 0; i < lines; ++i) {
        std::swap(candidates[size_t(i)], candidates[size_t(i + range(0, int(candidates.size()) - 1 - i))]);
        ReceiptLine &rl = m_receiptLines[size_t(candidates[size_t(i)])];
        const double qty = std::max(1.0, std::floor((rl.qty - rl.returned) * uniform(0.1, 0.5)));
        rl.returned += qty;
        const double lineTotal = Sql::roundMoney(qty * rl.price);
        if (rl.orderLine >= 0) {
            OrderLine &ol = m_orderLines[size_t(rl.orderLine)];
            ol.returned += qty;
            const auto owner = std::upper_bound(m_orders.begin(), m_orders.end(), rl.orderLine,
                                                [](int line, const Order &o) { return line < o.firstLine; });
            pickedLine(dd.code, rl.goods, qty, rl.price, lineTotal, (owner - 1)->code);
        } else {
            goodsLine(*m_depotD, dd.code, rl.goods, qty, rl.price, 1.0, lineTotal);
        }
        amount += qty;
        total += lineTotal;
    }
    total = Sql::roundMoney(total);
    *m_depotM << dd.code << -1 << -1 << date(dd.makeDay) << date(dd.entryDay) << m_suppliers[size_t(r.supplier)].name
              << m_depots.at(r.depot) << m_employeeNames[size_t(r.employee)]
              << (chance(0.3) ? QVariant(QStringLiteral("TH") + digits(8)) : m_empty) << amount << total
              << (chance(0.5) ? QVariant(pick(QStringList{QStringLiteral("质量问题退货"), QStringLiteral("规格不符"),
                                                          QStringLiteral("多发退回")}))
                              : m_empty)
              << m_maker << (dd.audited ? m_maker : m_empty) << (dd.audited ? 1 : 0)
              << (dd.audited ? date(dd.auditDay) : m_nullText);
    endRow(*m_depotM);
    addSettleable(r.supplier, dd.code.toString(), -total);
    ++m_counts.documents;
}

void DemoGenerator::addSettleable(int supplier, const QString &code, double signedTotal)
{
    if (signedTotal == 0)
        return;
    const int index = int(m_settleables.size());
    m_settleables.push_back(Settleable{code, signedTotal, signedTotal});
    m_toInvoice[size_t(supplier)].push_back(index);
    m_toPay[size_t(supplier)].push_back(index);
    m_suppliersToInvoice.insert(supplier);
    m_suppliersToPay.insert(supplier);
}

void DemoGenerator::makeInvoice(int day) { settle(KInvoice, day); }

void DemoGenerator::makePayment(int day) { settle(KPayment, day); }

void DemoGenerator::settle(Kind kind, int day)
{
    // An invoice or payment settles the oldest open documents of one supplier, mostly in full.
    const bool invoice = kind == KInvoice;
    IndexSet &suppliers = invoice ? m_suppliersToInvoice : m_suppliersToPay;
    if (suppliers.empty())
        return;
    const int s = suppliers.at(range(0, suppliers.size() - 1));
    std::deque<int> &queue = (invoice ? m_toInvoice : m_toPay)[size_t(s)];
    const DocDates dd = documentDates(kind, invoice ? QStringLiteral("CKP") : QStringLiteral("FKD"), day);
    BulkInserter &lines = invoice ? *m_invoiceD : *m_payD;
    QStringList codes;
    double total = 0;
    const int wanted = range(1, 5);
    while (!queue.empty() && codes.size() < wanted) {
        Settleable &doc = m_settleables[size_t(queue.front())];
        double &open = invoice ? doc.invoiceOpen : doc.paymentOpen;
        const bool partial = open >= 100 && chance(0.12);
        const double amount = partial ? Sql::roundTo(open * uniform(0.3, 0.8), 2) : open;
        open = Sql::roundMoney(open - amount);
        lines << dd.code << doc.code << amount;
        endRow(lines);
        ++m_counts.lines;
        codes << QLatin1Char('\'') + doc.code + QLatin1Char('\'');
        total += amount;
        if (partial)
            break;
        queue.pop_front();
    }
    if (queue.empty())
        suppliers.remove(s);
    total = Sql::roundMoney(total);
    const QVariant supplier = m_suppliers[size_t(s)].name;
    const QVariant employee = m_employeeNames[size_t(pickEmployee(chance(0.7) ? m_finance : m_buyers))];
    const QVariant auditer = dd.audited ? m_maker : m_empty;
    if (invoice) {
        *m_invoiceM << dd.code << -1 << date(dd.makeDay) << date(dd.entryDay) << supplier << pick(m_invoiceKinds)
                    << digits(8) << supplier << total << total << employee << codes.join(QLatin1Char(','))
                    << m_empty << m_maker << auditer << (dd.audited ? 1 : 0);
        endRow(*m_invoiceM);
    } else {
        // Now and then a round sum is paid.
        const double paid = (total > 1000 && chance(0.1)) ? std::floor(total) : total;
        *m_payM << dd.code << -1 << -1 << date(dd.makeDay) << date(dd.entryDay) << supplier
                << (chance(0.3) ? QVariant(QStringLiteral("HK") + digits(8)) : m_empty) << pick(m_payModes)
                << pick(m_accounts) << (chance(0.9) ? m_items.front() : pick(m_items)) << total << paid << employee
                << codes.join(QLatin1Char(',')) << m_empty << m_maker << auditer << (dd.audited ? 1 : 0);
        endRow(*m_payM);
    }
    ++m_counts.documents;
}

// ---- run --------------------------------------------------------------------------------

void DemoGenerator::run(DemoData::Counts &counts)
{
    if (!m_p.from.isValid() || !m_p.to.isValid() || m_p.to < m_p.from)
        throw DbError(QStringLiteral("the document period is not valid"));
    m_days = int(m_p.from.daysTo(m_p.to)) + 1;
    {
        // Documents are made and audited by the built-in administrator.
        QSqlQuery q(m_dm.db());
        if (!q.exec(QStringLiteral("select F_Name from OperList where F_Code = '000'")))
            throw DbError(q.lastError().text());
        m_maker = q.next() ? q.value(0).toString() : QStringLiteral("系统管理员");
    }
    prepareInserters();
    if (m_p.bulkLoad)
        beginBulkLoad();
    try {
        m_tx = std::make_unique<DbTransaction>(m_dm);
        say(QStringLiteral("正在生成基础资料 ..."));
        writeCodeLists();
        writeTypeTree();
        writeEmployees();
        writeGoods();
        readGoodsIds();
        writeSuppliers();
        writeCompany();
        scheduleDocuments();
        writeDocuments();
        flushAll();
        m_tx->commit();
        m_tx.reset();
    } catch (const DbError &) {
        m_tx.reset();
        if (m_p.bulkLoad)
            endBulkLoad(true);
        throw;
    }
    if (m_p.bulkLoad) {
        say(QStringLiteral("正在建立索引 ..."));
        endBulkLoad(false);
    }

    m_counts.totalRows = 0;
    for (const BulkInserter *ins : m_all)
        m_counts.totalRows += ins->rowsSent();
    counts = m_counts;
}
