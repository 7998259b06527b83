#include "support/testdatabase.h"

#include "data/databaseinstaller.h"
#include "data/dberror.h"
#include "data/schema.h"
#include "platform/password.h"

#include <QSqlQuery>
#include <QSqlRecord>

class TestSchema : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void everyTableHasItsColumns()
    {
        REQUIRE_TEST_DB(t);
        for (const Schema::Table &table : Schema::tables()) {
            QSqlQuery q = t.dm().newQuery();
            QVERIFY2(q.exec(QStringLiteral("select * from %1 where 1 = 0").arg(QLatin1String(table.name))), table.name);
            const QSqlRecord r = q.record();
            for (const Schema::Column &c : table.columns)
                QVERIFY2(r.indexOf(QLatin1String(c.name)) >= 0, qPrintable(QStringLiteral("%1.%2").arg(table.name, c.name)));
        }
    }

    void seedRows()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        QCOMPARE(dm.QueryInt("select count(*) from SysInfo"), 1);
        QCOMPARE(dm.QueryInt("select F_iAmount + F_iPrice + F_iTotal from SysInfo"), 6);
        QCOMPARE(dm.QueryString("select F_Code from SysInfo"), QString("测试公司"));
        QVERIFY(!dm.QueryString("select F_BakPath from SysInfo").isEmpty());
        QCOMPARE(dm.QueryInt("select count(*) from KeyValue"), 11);
        QCOMPARE(dm.QueryString("select F_Value from KeyValue order by F_ID"), QString("字符项一"));
        QCOMPARE(dm.QueryString("select F_Value from KeyValue order by F_ID desc"), QString("日期项三"));
        QCOMPARE(dm.QueryInt("select count(*) from Limits where F_Flag = 1"), 39);
        QCOMPARE(dm.QueryString("select F_Name from Limits where F_Code = '302'"), QString("采购进货管理"));
        for (const char *table : {"t_client", "t_goods", "depotD"})
            QVERIFY2(dm.QueryInt("select count(*) from cfg_import where F_tablename = :t and F_iFlag = 1", {{"t", table}}) > 0, table);
        // The built-in operator logs in with an empty password.
        QCOMPARE(dm.QueryInt("select count(*) from OperList where F_Code = '000'"), 1);
        QVERIFY(Password::verify(dm.QueryString("select F_PassWord from OperList where F_Code = '000'"), QString()));
    }

    void documentCodesAreUnique()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        dm.exec("insert into depotM (F_Code, F_Flag) values ('CGD20260101001', 1)");
        bool refused = false;
        try {
            dm.exec("insert into depotM (F_Code, F_Flag) values ('CGD20260101001', 1)");
        } catch (const DbError &) {
            refused = true;
        }
        QVERIFY(refused);
    }

    void nullFlagsReadAsZero()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        dm.exec("insert into t_client (F_operFlag, F_Code, F_Name) values (0, '01', 'a')");
        dm.exec("insert into t_client (F_operFlag, F_Code, F_Name, F_UseFlag) values (0, '02', 'b', 1)");
        QCOMPARE(dm.QueryInt("select count(*) from t_client where coalesce(F_UseFlag,0) = 0"), 1);
    }

    void moneyAndDatesRoundTrip()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        dm.exec("insert into depotM (F_Code, F_MakeDate, F_date, F_TotalPrice) values ('X', :d, :d, :m)",
                {{"d", Sql::date(QDate(2026, 2, 28))}, {"m", Sql::roundMoney(1234.56785)}});
        QCOMPARE(dm.QueryFloat("select F_TotalPrice from depotM"), 1234.5679);
        QSqlQuery q = dm.newQuery();
        QVERIFY(q.exec("select F_MakeDate from depotM"));
        QVERIFY(q.next());
        QCOMPARE(Sql::toDate(q.value(0)), QDate(2026, 2, 28));
        QCOMPARE(dm.QueryInt("select count(*) from depotM where F_MakeDate >= :a and F_MakeDate <= :b",
                             {{"a", Sql::date(QDate(2026, 2, 1))}, {"b", Sql::date(QDate(2026, 2, 28))}}), 1);
    }

    void roundingHalfAwayFromZero_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("expected");
        QTest::newRow("written 2.675") << 2.675 << 2 << 2.68;
        QTest::newRow("negative") << -2.675 << 2 << -2.68;
        QTest::newRow("money") << 1234.56785 << 4 << 1234.5679;
        QTest::newRow("large stays") << 123456789.12344 << 4 << 123456789.1234;
        QTest::newRow("large up") << 123456789.12345 << 4 << 123456789.1235;
        QTest::newRow("whole") << 10.0 << 4 << 10.0;
    }
    void roundingHalfAwayFromZero()
    {
        QFETCH_GLOBAL(QString, backend);
        if (backend != "sqlite")
            QSKIP("no database involved");
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(double, expected);
        QCOMPARE(Sql::roundTo(value, decimals), expected);
    }

    void installerRefusesAnExistingDatabase()
    {
        REQUIRE_TEST_DB(t);
        DatabaseInstaller::Options o;
        o.settings = t.settings();
        o.baseDir = t.dir();
        QString error;
        QVERIFY(!DatabaseInstaller::install(o, &error));
        QVERIFY(error.contains("already exists"));
        // The existing data is untouched.
        QCOMPARE(t.dm().QueryInt("select count(*) from Limits"), 39);
    }
};

QTEST_MAIN(TestSchema)
#include "tst_schema.moc"
