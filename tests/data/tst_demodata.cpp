#include "support/testdatabase.h"

#include "data/demodata.h"
#include "data/schema.h"
#include "data/sqldialect.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>

// The generated company must be as consistent as one made through the windows: totals that
// add up, links that point at existing documents, nothing received or settled beyond what is
// open, unique well-formed codes, and master data for every name a document carries.
class TestDemoData : public QObject
{
    Q_OBJECT

    struct Violation {
        const char *what;
        const char *sql; // counts the rows that break the rule
    };

    static QStringList column(TdmData &dm, const QString &sql, const SqlParams &params = {})
    {
        QSqlQuery q = dm.newQuery();
        QStringList out;
        QString error;
        if (!Sql::execute(q, sql, params, &error))
            qFatal("%s: %s", qPrintable(sql), qPrintable(error));
        while (q.next())
            out << q.value(0).toString();
        return out;
    }

    static DemoData::Counts fillDemo(TdmData &dm, bool bulkLoad = false)
    {
        DemoData::Profile p = DemoData::demoProfile();
        p.bulkLoad = bulkLoad;
        DemoData::Counts counts;
        QString error;
        if (!DemoData::fill(dm, p, &counts, &error))
            qWarning("fill failed: %s", qPrintable(error));
        return counts;
    }

    // The rules every generated company keeps; returns the broken ones.
    static QStringList violations(TdmData &dm)
    {
        const Violation rules[] = {
            // Totals
            {"receipt or return total differs from its lines",
             "select count(*) from depotM m where abs(m.F_TotalPrice - (select sum(d.F_TotalPrice) from depotD d "
             "where d.F_Code = m.F_Code)) > 0.00005 or abs(m.F_Amount - (select sum(d.F_Amount) from depotD d "
             "where d.F_Code = m.F_Code)) > 0.000001"},
            {"order total differs from its lines",
             "select count(*) from ddDepotM m where abs(m.F_TotalPrice - (select sum(d.F_TotalPrice) from ddDepotD d "
             "where d.F_Code = m.F_Code)) > 0.00005 or abs(m.F_Amount - (select sum(d.F_Amount) from ddDepotD d "
             "where d.F_Code = m.F_Code)) > 0.000001"},
            {"invoice total differs from its lines",
             "select count(*) from KPdepotM m where abs(m.F_TotalPrice - (select sum(d.F_TotalPrice) from KPdepotD d "
             "where d.F_Code = m.F_Code)) > 0.00005"},
            {"payment total differs from its lines",
             "select count(*) from cashPayM m where abs(m.F_TotalPrice - (select sum(d.F_TotalPrice) from cashPayD d "
             "where d.F_Code = m.F_Code)) > 0.00005"},
            {"receipt line amount is not quantity x price x discount",
             "select count(*) from depotD where abs(F_TotalPrice - F_Amount * F_Price * F_Rate) > 0.00005"},
            {"order line amount is not quantity x price x discount",
             "select count(*) from ddDepotD where abs(F_TotalPrice - F_Amount * F_Price * F_Rate) > 0.00005"},
            {"return line discount enters its amount", "select count(*) from depotD d join depotM m on m.F_Code = d.F_Code "
                                                       "where m.F_Flag = -1 and d.F_Rate <> 1"},
            // Lines and masters belong together
            {"receipt line without its document",
             "select count(*) from depotD d where not exists (select 1 from depotM m where m.F_Code = d.F_Code)"},
            {"order line without its order",
             "select count(*) from ddDepotD d where not exists (select 1 from ddDepotM m where m.F_Code = d.F_Code)"},
            {"invoice line without its invoice",
             "select count(*) from KPdepotD d where not exists (select 1 from KPdepotM m where m.F_Code = d.F_Code)"},
            {"payment line without its payment",
             "select count(*) from cashPayD d where not exists (select 1 from cashPayM m where m.F_Code = d.F_Code)"},
            {"document without lines",
             "select (select count(*) from depotM m where not exists (select 1 from depotD d where d.F_Code = m.F_Code))"
             " + (select count(*) from ddDepotM m where not exists (select 1 from ddDepotD d where d.F_Code = m.F_Code))"
             " + (select count(*) from KPdepotM m where not exists (select 1 from KPdepotD d where d.F_Code = m.F_Code))"
             " + (select count(*) from cashPayM m where not exists (select 1 from cashPayD d where d.F_Code = m.F_Code))"},
            // Lines are stored in the order they were entered, document after document.
            {"receipt lines out of document order",
             "select count(*) from (select m.F_ID as doc, lag(m.F_ID) over (order by d.F_ID) as prev "
             "from depotD d join depotM m on m.F_Code = d.F_Code) x where x.prev > x.doc"},
            {"order lines out of document order",
             "select count(*) from (select m.F_ID as doc, lag(m.F_ID) over (order by d.F_ID) as prev "
             "from ddDepotD d join ddDepotM m on m.F_Code = d.F_Code) x where x.prev > x.doc"},
            // Flags
            {"wrong flags",
             "select (select count(*) from ddDepotM where F_Flag <> 1 or F_OperFlag <> 1)"
             " + (select count(*) from depotM where not ((F_Flag = 1 and F_OperFlag = 1 and F_Code like 'CGD%')"
             " or (F_Flag = -1 and F_OperFlag = -1 and F_Code like 'CTD%')))"
             " + (select count(*) from KPdepotM where F_Flag <> -1)"
             " + (select count(*) from cashPayM where F_Flag <> -1 or F_OperFlag <> -1)"},
            // Order execution
            {"receipt line refers to a missing order",
             "select count(*) from depotD d where d.F_JHcode <> '' and not exists "
             "(select 1 from ddDepotM o where o.F_Code = d.F_JHcode)"},
            {"order of another supplier or a later date",
             "select count(*) from depotD d join depotM m on m.F_Code = d.F_Code join ddDepotM o on o.F_Code = d.F_JHcode "
             "where o.F_Client <> m.F_Client or o.F_MakeDate > m.F_MakeDate"},
            {"order line over-received or over-returned",
             "with o as (select F_Code as c, F_GoodCode as g, sum(F_Amount) as q from ddDepotD group by F_Code, F_GoodCode), "
             "r as (select d.F_JHcode as c, d.F_GoodCode as g, "
             "sum(case when m.F_Flag = 1 then d.F_Amount else 0 end) as rec, "
             "sum(case when m.F_Flag = -1 then d.F_Amount else 0 end) as ret "
             "from depotD d join depotM m on m.F_Code = d.F_Code where d.F_JHcode <> '' group by d.F_JHcode, d.F_GoodCode) "
             "select count(*) from r left join o on o.c = r.c and o.g = r.g "
             "where o.q is null or r.rec - r.ret > o.q + 0.000001 or r.ret > r.rec + 0.000001"},
            // Settlement
            {"invoiced beyond a document's total",
             "with i as (select F_CGDcode as c, sum(F_TotalPrice) as s from KPdepotD group by F_CGDcode) "
             "select count(*) from i left join depotM m on m.F_Code = i.c where m.F_Code is null "
             "or (m.F_OperFlag = 1 and (i.s > m.F_TotalPrice + 0.00005 or i.s <= 0)) "
             "or (m.F_OperFlag = -1 and (i.s < -m.F_TotalPrice - 0.00005 or i.s >= 0))"},
            {"paid beyond a document's total",
             "with p as (select F_CGDcode as c, sum(F_TotalPrice) as s from cashPayD group by F_CGDcode) "
             "select count(*) from p left join depotM m on m.F_Code = p.c where m.F_Code is null "
             "or (m.F_OperFlag = 1 and (p.s > m.F_TotalPrice + 0.00005 or p.s <= 0)) "
             "or (m.F_OperFlag = -1 and (p.s < -m.F_TotalPrice - 0.00005 or p.s >= 0))"},
            {"invoice settles another supplier's or a later document",
             "select count(*) from KPdepotD d join KPdepotM k on k.F_Code = d.F_Code join depotM m on m.F_Code = d.F_CGDcode "
             "where k.F_CLTname <> m.F_Client or m.F_MakeDate > k.F_MakeDate"},
            {"payment settles another supplier's or a later document",
             "select count(*) from cashPayD d join cashPayM k on k.F_Code = d.F_Code join depotM m on m.F_Code = d.F_CGDcode "
             "where k.F_Client <> m.F_Client or m.F_MakeDate > k.F_MakeDate"},
            // Names refer to master data
            {"unknown supplier",
             "select (select count(*) from depotM where F_Client not in (select F_Name from t_client where F_operFlag = 0))"
             " + (select count(*) from ddDepotM where F_Client not in (select F_Name from t_client where F_operFlag = 0))"
             " + (select count(*) from KPdepotM where F_CLTname not in (select F_Name from t_client where F_operFlag = 0))"
             " + (select count(*) from cashPayM where F_Client not in (select F_Name from t_client where F_operFlag = 0))"},
            {"unknown depot",
             "select (select count(*) from depotM where F_Depot not in (select F_name from t_code where F_type = 'depot'))"
             " + (select count(*) from ddDepotM where F_Depot <> '' and F_Depot not in "
             "(select F_name from t_code where F_type = 'depot'))"
             " + (select count(*) from t_begDept where F_Depot not in (select F_name from t_code where F_type = 'depot'))"},
            {"unknown employee",
             "select (select count(*) from depotM where F_EmpName not in (select F_Name from t_employee))"
             " + (select count(*) from ddDepotM where F_EmpName not in (select F_Name from t_employee))"
             " + (select count(*) from KPdepotM where F_KPemp not in (select F_Name from t_employee))"
             " + (select count(*) from cashPayM where F_EmpName not in (select F_Name from t_employee))"
             " + (select count(*) from t_client where F_EmpName not in (select F_Name from t_employee))"},
            {"unknown code list entry",
             "select (select count(*) from cashPayM where F_PayMode not in (select F_name from t_code where F_type = 'paymode')"
             " or F_Account not in (select F_name from t_code where F_type = 'Account')"
             " or F_itemName not in (select F_name from t_code where F_type = 'itemname'))"
             " + (select count(*) from KPdepotM where F_KPtype not in (select F_name from t_code where F_type = 'kptype'))"
             " + (select count(*) from t_goods where F_Unit not in (select F_name from t_code where F_type = 'goodunit'))"
             " + (select count(*) from t_client where F_type not in (select F_name from t_code where F_type = 'clttype'))"},
            {"unknown or disabled goods in a line, or a copy that differs",
             "select (select count(*) from depotD d left join t_goods g on g.F_Code = d.F_GoodCode "
             "where g.F_Code is null or g.F_Flag = 1 or g.F_Name <> d.F_GoodName or g.F_Type <> d.F_Type)"
             " + (select count(*) from ddDepotD d left join t_goods g on g.F_Code = d.F_GoodCode "
             "where g.F_Code is null or g.F_Flag = 1 or g.F_Name <> d.F_GoodName or g.F_Type <> d.F_Type)"},
            {"goods type path not in the tree",
             "select (select count(*) from t_goods where F_Type not in (select F_likecode from t_treecode where F_flag = 'goodtype'))"
             " + (select count(*) from depotD where F_Type not in (select F_likecode from t_treecode where F_flag = 'goodtype'))"},
            {"opening quantity differs from the opening stock rows",
             "select count(*) from t_goods g where abs(g.F_BegAmount - coalesce((select sum(b.F_Amount) from t_begDept b "
             "where b.F_GoodCode = g.F_Code), 0)) > 0.000001"},
            // Dates and audit
            {"entry date before the business date or more than a day after it",
             "select (select count(*) from depotM where F_date < F_MakeDate)"
             " + (select count(*) from ddDepotM where F_date < F_MakeDate or F_JHdate < F_MakeDate)"
             " + (select count(*) from KPdepotM where F_date < F_MakeDate)"
             " + (select count(*) from cashPayM where F_date < F_MakeDate)"},
            {"audit data inconsistent",
             "select (select count(*) from depotM where (F_CheckFlag = 1 and (F_Auditer = '' or F_AudDate is null))"
             " or (F_CheckFlag = 0 and F_Auditer <> ''))"
             " + (select count(*) from ddDepotM where (F_CheckFlag = 1 and (F_Auditer = '' or F_AudDate is null))"
             " or (F_CheckFlag = 0 and F_Auditer <> ''))"
             " + (select count(*) from KPdepotM where F_CheckFlag = 1 and F_Auditer = '')"
             " + (select count(*) from cashPayM where F_CheckFlag = 1 and F_Auditer = '')"},
        };
        QStringList broken;
        for (const Violation &rule : rules) {
            QSqlQuery q = dm.newQuery();
            QString error;
            if (!Sql::execute(q, QString::fromUtf8(rule.sql), {}, &error) || !q.next())
                broken << QStringLiteral("%1: %2").arg(QString::fromUtf8(rule.what), error);
            else if (q.value(0).toInt() != 0)
                broken << QStringLiteral("%1: %2 rows").arg(QString::fromUtf8(rule.what)).arg(q.value(0).toInt());
        }
        // Entry date at most one day after the business date.
        const QString late = SqlDialect::addDays(dm.backend(), QStringLiteral("F_MakeDate"), QStringLiteral("1"));
        for (const char *table : {"depotM", "ddDepotM", "KPdepotM", "cashPayM"})
            if (dm.QueryInt(QStringLiteral("select count(*) from %1 where F_date > %2").arg(QLatin1String(table), late)) != 0)
                broken << QStringLiteral("%1 entered more than a day late").arg(QLatin1String(table));
        return broken;
    }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void scaleProfileIsTheBenchmarkCompany()
    {
        const DemoData::Profile p = DemoData::scaleProfile(1.0);
        QCOMPARE(p.suppliers, 1000);
        QCOMPARE(p.goods, 20000);
        QCOMPARE(p.typeLevels, 4);
        QCOMPARE(p.to, QDate::currentDate());
        QCOMPARE(p.from, p.to.addYears(-3).addDays(1));
        QCOMPARE(p.orders, 30000);
        QCOMPARE(p.receipts, 60000);
        QCOMPARE(p.returns, 3000);
        QCOMPARE(p.invoices, 20000);
        QCOMPARE(p.payments, 20000);
        const DemoData::Profile half = DemoData::scaleProfile(0.5);
        QCOMPARE(half.goods, 10000);
        QCOMPARE(half.receipts, 30000);
        const DemoData::Profile demo = DemoData::demoProfile();
        QCOMPARE(demo.to, QDate::currentDate());
        QVERIFY(demo.from.daysTo(demo.to) > 100 && demo.from.daysTo(demo.to) < 130);
        QCOMPARE(demo.typeLevels, 2);
    }

    // A small company of the benchmark's shape (four-level tree, long lines, three years),
    // loaded in bulk, keeps the same rules.
    void smallScaleCompanyIsConsistent()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        DemoData::Profile p = DemoData::scaleProfile(0.005);
        p.bulkLoad = true;
        DemoData::Counts counts;
        QString error;
        QVERIFY2(DemoData::fill(dm, p, &counts, &error), qPrintable(error));
        QCOMPARE(counts.suppliers, 5);
        QCOMPARE(counts.goods, 100);
        QCOMPARE(dm.QueryInt("select max(length(F_code)) from t_treecode"), 12);
        QVERIFY(dm.QueryInt("select count(*) from depotD") > 1000);
        const QStringList broken = violations(dm);
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char('\n'))));
    }

    void demoCompanyIsConsistent()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        const DemoData::Counts counts = fillDemo(dm);
        QCOMPARE(counts.suppliers, 30);
        QCOMPARE(counts.goods, 300);
        QVERIFY(counts.documents > 200);
        QCOMPARE(dm.QueryInt("select count(*) from t_client where F_operFlag = 0"), 30);
        QCOMPARE(dm.QueryInt("select count(*) from t_goods"), 300);
        QCOMPARE(dm.QueryInt("select count(*) from t_employee"), 8);
        QVERIFY(dm.QueryInt("select count(*) from t_client where F_UseFlag = 1") < 30);
        QVERIFY(dm.QueryInt("select count(*) from t_begDept") > 0);
        for (const char *kind : {"depot", "goodunit", "paymode", "Account", "kptype", "empduty", "dept", "clttype", "itemname"})
            QVERIFY2(dm.QueryInt("select count(*) from t_code where F_type = :t", {{"t", kind}}) > 0, kind);
        // Every kind of document is there, linked: receipts from orders, returns, settlements.
        QVERIFY(dm.QueryInt("select count(*) from ddDepotM") > 0);
        QVERIFY(dm.QueryInt("select count(*) from depotM where F_Flag = 1") > 0);
        QVERIFY(dm.QueryInt("select count(*) from depotM where F_Flag = -1") > 0);
        QVERIFY(dm.QueryInt("select count(*) from KPdepotM") > 0);
        QVERIFY(dm.QueryInt("select count(*) from cashPayM") > 0);
        QVERIFY(dm.QueryInt("select count(*) from depotD where F_JHcode <> ''") > 0);
        QCOMPARE(dm.QueryInt("select count(*) from depotD") + dm.QueryInt("select count(*) from ddDepotD")
                     + dm.QueryInt("select count(*) from KPdepotD") + dm.QueryInt("select count(*) from cashPayD"),
                 int(counts.lines));

        const QStringList broken = violations(dm);
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char('\n'))));

        // Most documents are audited; the few that are not are recent.
        const DemoData::Profile p = DemoData::demoProfile();
        const int open = dm.QueryInt("select count(*) from depotM where F_CheckFlag = 0");
        QVERIFY(open < dm.QueryInt("select count(*) from depotM") / 5);
        QCOMPARE(dm.QueryInt("select count(*) from depotM where F_CheckFlag = 0 and F_MakeDate < :d",
                             {{"d", Sql::date(p.to.addDays(-12))}}),
                 0);
        QCOMPARE(dm.QueryInt("select count(*) from depotM where F_MakeDate < :from or F_MakeDate > :to",
                             {{"from", Sql::date(p.from)}, {"to", Sql::date(p.to)}}),
                 0);
    }

    void codesAreUniqueAndWellFormed()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        fillDemo(dm);
        struct Series {
            const char *table;
            const char *prefix;
            const char *where;
        };
        const Series series[] = {{"ddDepotM", "CDD", "1 = 1"},
                                 {"depotM", "CGD", "F_Flag = 1"},
                                 {"depotM", "CTD", "F_Flag = -1"},
                                 {"KPdepotM", "CKP", "1 = 1"},
                                 {"cashPayM", "FKD", "1 = 1"}};
        for (const Series &s : series) {
            const QString select = QStringLiteral("select F_Code, %1 from %2 where %3")
                                       .arg(SqlDialect::dateText(dm.backend(), QStringLiteral("F_date")),
                                            QLatin1String(s.table), QLatin1String(s.where));
            QSqlQuery q = dm.newQuery();
            QVERIFY(q.exec(select));
            const QRegularExpression form(QStringLiteral("^%1(\\d{8})(\\d{3})$").arg(QLatin1String(s.prefix)));
            QSet<QString> seen;
            int rows = 0;
            while (q.next()) {
                ++rows;
                const QString code = q.value(0).toString();
                const QRegularExpressionMatch m = form.match(code);
                QVERIFY2(m.hasMatch(), qPrintable(code));
                // The date in the code is the entry date.
                QCOMPARE(m.captured(1), QDate::fromString(q.value(1).toString(), "yyyy-MM-dd").toString("yyyyMMdd"));
                QVERIFY2(m.captured(2) != QLatin1String("000"), qPrintable(code));
                QVERIFY2(!seen.contains(code), qPrintable(code));
                seen.insert(code);
            }
            QVERIFY2(rows > 0, s.prefix);
        }

        // A settlement's master lists the documents of its lines, quoted and separated by commas.
        for (const char *pair : {"KPdepotM:KPdepotD", "cashPayM:cashPayD"}) {
            const QStringList tables = QString::fromLatin1(pair).split(QLatin1Char(':'));
            QSqlQuery q = dm.newQuery();
            QVERIFY(q.exec(QStringLiteral("select F_Code, F_CGDcode from %1").arg(tables[0])));
            while (q.next()) {
                QStringList quoted;
                for (const QString &c : column(dm, QStringLiteral("select F_CGDcode from %1 where F_Code = :c order by F_ID").arg(tables[1]),
                                               {{"c", q.value(0).toString()}}))
                    quoted << QLatin1Char('\'') + c + QLatin1Char('\'');
                QCOMPARE(q.value(1).toString(), quoted.join(QLatin1Char(',')));
            }
        }
    }

    void typeTreeIsWellFormed()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        fillDemo(dm);
        QSqlQuery q = dm.newQuery();
        QVERIFY(q.exec("select F_code, F_name, F_likecode from t_treecode where F_flag = 'goodtype' order by F_code"));
        QHash<QString, QString> pathOf;
        int deepest = 0;
        while (q.next()) {
            const QString code = q.value(0).toString();
            const QString name = q.value(1).toString();
            const QString path = q.value(2).toString();
            QVERIFY2(code.size() % 3 == 0 && !code.isEmpty(), qPrintable(code));
            QVERIFY2(!pathOf.contains(code), qPrintable(code));
            const QString parent = code.left(code.size() - 3);
            if (parent.isEmpty()) {
                QCOMPARE(path, QStringLiteral("\\\\") + name);
            } else {
                QVERIFY2(pathOf.contains(parent), qPrintable(code));
                QCOMPARE(path, pathOf.value(parent) + QLatin1Char('\\') + name);
            }
            pathOf.insert(code, path);
            deepest = qMax(deepest, int(code.size() / 3));
        }
        QCOMPARE(deepest, DemoData::demoProfile().typeLevels);
        // Goods sit on the deepest level.
        QCOMPARE(dm.QueryInt("select count(*) from t_goods g where exists (select 1 from t_treecode t "
                             "where t.F_likecode <> g.F_Type and substr(t.F_likecode, 1, length(g.F_Type)) = g.F_Type)"),
                 0);
    }

    void sameSeedSameCompany()
    {
        REQUIRE_TEST_DB(first);
        fillDemo(first.dm());
        TestDatabase second(backend);
        QVERIFY2(second.ok(), qPrintable(second.error()));
        fillDemo(second.dm());
        const QString digest = QStringLiteral(
            "select count(*), sum(F_TotalPrice), min(F_Code), max(F_Code), min(F_Client), max(F_Client) from depotM");
        QSqlQuery a = first.dm().newQuery();
        QSqlQuery b = second.dm().newQuery();
        QVERIFY(a.exec(digest) && a.next());
        QVERIFY(b.exec(digest) && b.next());
        for (int i = 0; i < 6; ++i)
            QCOMPARE(a.value(i).toString(), b.value(i).toString());
        QCOMPARE(column(first.dm(), "select F_Name from t_goods order by F_Code"),
                 column(second.dm(), "select F_Name from t_goods order by F_Code"));
    }

    void bulkLoadKeepsTheSchema()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        const DemoData::Counts counts = fillDemo(dm, true);
        QVERIFY(counts.totalRows > 0);
        QCOMPARE(dm.QueryInt("select count(*) from t_goods"), 300);
        // Every index of the schema is back after the load (dropping one fails when it is missing).
        for (const Schema::Index &index : Schema::indexes()) {
            QSqlQuery q = dm.newQuery();
            QVERIFY2(q.exec(QStringLiteral("DROP INDEX %1").arg(QLatin1String(index.name))), index.name);
        }
    }

    void refusesWithoutConnection()
    {
        TdmData dm;
        QString error;
        QVERIFY(!DemoData::fill(dm, DemoData::demoProfile(), nullptr, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDemoData)
#include "tst_demodata.moc"
