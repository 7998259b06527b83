#include "support/testdatabase.h"

#include "data/dberror.h"
#include "data/session.h"
#include "platform/showmess.h"

#include <QApplication>
#include <QComboBox>
#include <QSqlQuery>

class TestQueryHelpers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void queryValuesAndEmptyResults()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        TdmData &dm = t.dm();
        QVERIFY(dm.ExecCommand("insert into t_code (F_type, F_name) values (:t, :n)", {{"t", "depot"}, {"n", "一号库"}}));
        QCOMPARE(dm.QueryString("select F_name from t_code where F_type = :t", {{"t", "DEPOT"}}), QString("一号库"));
        QCOMPARE(dm.QueryInt("select count(*) from t_code"), 1);
        QCOMPARE(dm.QueryFloat("select 2.5 from t_code"), 2.5);
        // No row: empty text and zeros, and nothing shown.
        QCOMPARE(dm.QueryString("select F_name from t_code where F_type = 'none'"), QString());
        QCOMPARE(dm.QueryInt("select F_ID from t_code where F_type = 'none'"), 0);
        QCOMPARE(dm.QueryFloat("select F_ID from t_code where F_type = 'none'"), 0.0);
        QVERIFY(msgs.shown().isEmpty());
    }

    void failuresShowTheirMessageOnce()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        TdmData &dm = t.dm();
        QCOMPARE(dm.QueryString("select nothing from no_such_table"), QString());
        QCOMPARE(msgs.texts(), QStringList{TdmData::MsgOperationFailed});
        QCOMPARE(msgs.shown().first().kind, int(MessError));
        msgs.clear();
        QCOMPARE(dm.QueryInt("select nothing from no_such_table"), 0);
        QCOMPARE(dm.QueryFloat("select nothing from no_such_table"), 0.0);
        QVERIFY(!dm.ExecCommand("update no_such_table set x = 1"));
        QSqlQuery q = dm.newQuery();
        QVERIFY(!dm.OpenQuery("select * from no_such_table", q));
        QVERIFY(!dm.DeleteByID("no_such_table", 1));
        QVERIFY(!dm.DeleteByID("t_code; drop table t_goods", 1));
        QCOMPARE(msgs.texts(), (QStringList{TdmData::MsgOperationFailed, TdmData::MsgOperationFailed,
                                            TdmData::MsgOperationFailed, TdmData::MsgOpenFailed,
                                            TdmData::MsgDeleteFailed, TdmData::MsgDeleteFailed}));
        // The connection still works after the failures.
        QCOMPARE(dm.QueryInt("select count(*) from t_goods"), 0);
    }

    void deleteByIdRemovesOneRow()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        for (const char *n : {"A", "B"})
            QVERIFY(dm.ExecCommand("insert into t_client (F_operFlag, F_Code, F_Name) values (0, :c, :n)", {{"c", n}, {"n", n}}));
        const int id = dm.QueryInt("select F_ID from t_client where F_Code = 'A'");
        QVERIFY(dm.DeleteByID("t_client", id));
        QCOMPARE(dm.QueryString("select F_Code from t_client"), QString("B"));
    }

    void fillComboListSkipsBlankValues()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        for (const char *n : {"A", "", "  ", "B"})
            QVERIFY(dm.ExecCommand("insert into t_code (F_type, F_name) values ('x', :n)", {{"n", n}}));
        QComboBox box;
        box.addItem("old");
        dm.FillComboList("select F_name from t_code where F_type = 'x' order by F_ID", &box);
        QCOMPARE(box.count(), 2);
        QCOMPARE(box.itemText(0), QString("A"));
        QCOMPARE(box.itemText(1), QString("B"));
    }

    void awkwardTextTravelsUnchanged()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        TdmData &dm = t.dm();
        const QStringList values{"O'Brien", "100%", "a_b", "back\\slash", "\"quoted\"", "'; drop table t_code; --", ":notaparam"};
        for (const QString &v : values)
            QVERIFY(dm.ExecCommand("insert into t_code (F_type, F_name) values ('odd', :n)", {{"n", v}}));
        for (const QString &v : values)
            QCOMPARE(dm.QueryString("select F_name from t_code where F_name = :n", {{"n", v}}), v);
        QCOMPARE(dm.QueryInt("select count(*) from t_code where F_type = 'odd'"), values.size());
        // LIKE with an escaped pattern: "contains" means contains.
        const QString like = "select count(*) from t_code where F_name like :p" + SqlDialect::likeEscape();
        QCOMPARE(dm.QueryInt(like, {{"p", "%" + SqlDialect::escapeLike("%") + "%"}}), 1);
        QCOMPARE(dm.QueryInt(like, {{"p", "%" + SqlDialect::escapeLike("_") + "%"}}), 2); // a_b and t_code
        QCOMPARE(dm.QueryInt(like, {{"p", "%" + SqlDialect::escapeLike("\\") + "%"}}), 1);
        QVERIFY(msgs.shown().isEmpty());
    }

    void unboundOrUnknownParametersAreRefused()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        TdmData &dm = t.dm();
        QVERIFY(!dm.ExecCommand("insert into t_code (F_type, F_name) values (:t, :n)", {{"t", "x"}}));
        QVERIFY(!dm.ExecCommand("insert into t_code (F_type, F_name) values (:t, 'n')", {{"t", "x"}, {"extra", 1}}));
        QCOMPARE(dm.QueryInt("select count(*) from t_code"), 0);
        QCOMPARE(msgs.shown().size(), 2);
    }

    void writeLogRecordsOperatorDateAndTime()
    {
        REQUIRE_TEST_DB(t);
        Session::instance().sOperName = "张三";
        t.dm().WriteLog("登录失败");
        QSqlQuery q = t.dm().newQuery();
        QVERIFY(q.exec("select F_EmpName, F_OperType, F_OperDate, F_OperTime from LogRec"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QString("张三"));
        QCOMPARE(q.value(1).toString(), QString("登录失败"));
        QCOMPARE(q.value(2).toString(), QDate::currentDate().toString("yyyy-MM-dd"));
        QVERIFY(QTime::fromString(q.value(3).toString(), "HH:mm:ss").isValid());
        Session::instance().sOperName.clear();
    }

    void nextCodes_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("expected");
        const QString today = "CGD" + QDate::currentDate().toString("yyyyMMdd");
        QTest::newRow("first of the day") << QStringList{} << 3 << today + "001";
        QTest::newRow("after 041") << QStringList{today + "041", today + "007"} << 3 << today + "042";
        QTest::newRow("after 998") << QStringList{today + "998"} << 3 << today + "999";
        QTest::newRow("older day only") << QStringList{"CGD20000101005"} << 3 << today + "001";
    }

    void nextCodes()
    {
        REQUIRE_TEST_DB(t);
        QFETCH(QStringList, stored);
        QFETCH(int, width);
        QFETCH(QString, expected);
        TdmData &dm = t.dm();
        for (const QString &c : stored)
            QVERIFY(dm.ExecCommand("insert into depotM (F_Code, F_Flag) values (:c, 1)", {{"c", c}}));
        const QString prefix = "CGD" + QDate::currentDate().toString("yyyyMMdd");
        const QString code = dm.NextDateCode(
            "select max(F_Code) as F_Code from depotM where F_Code like :p and coalesce(F_Flag,0) = 1", "CGD", width,
            {{"p", prefix + "%"}});
        QCOMPARE(code, expected);
    }

    void seriesRefusesToWrap()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        const QString prefix = "CGD" + QDate::currentDate().toString("yyyyMMdd");
        QVERIFY(dm.ExecCommand("insert into depotM (F_Code, F_Flag) values (:c, 1)", {{"c", prefix + "999"}}));
        QVERIFY_THROWS_EXCEPTION(DbError, dm.NextDateCode("select max(F_Code) from depotM where F_Code like :p", "CGD", 3,
                                                          {{"p", prefix + "%"}}));
        // A failing select reaches the caller too.
        QVERIFY_THROWS_EXCEPTION(DbError, dm.NextCode("select max(x) from no_such_table", 6));
    }

    void goodsCodeSeries()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        QCOMPARE(dm.NextCode("select max(F_code) from t_goods", 6), QString("000001"));
        QVERIFY(dm.ExecCommand("insert into t_goods (F_Code, F_Name) values ('000123', 'x')"));
        QCOMPARE(dm.NextCode("select max(F_code) from t_goods", 6), QString("000124"));
    }

    void transactionRollsBackUnlessCommitted()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        {
            DbTransaction tx(dm);
            dm.exec("insert into t_code (F_type, F_name) values ('a', 'b')");
        }
        QCOMPARE(dm.QueryInt("select count(*) from t_code"), 0);
        {
            DbTransaction tx(dm);
            dm.exec("insert into t_code (F_type, F_name) values ('a', 'b')");
            tx.commit();
        }
        QCOMPARE(dm.QueryInt("select count(*) from t_code"), 1);
    }

    void scratchTablesArePrivateToEachConnection()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        auto other = t.secondClient();
        QVERIFY(other->connected());
        QVERIFY(dm.ExecCommand("insert into tempCode (F_code) values ('A')"));
        QCOMPARE(dm.QueryInt("select count(*) from tempCode"), 1);
        QCOMPARE(other->QueryInt("select count(*) from tempCode"), 0);
    }

    void casesAreIgnoredInComparisons()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        QVERIFY(dm.ExecCommand("insert into cfg_Grid (F_name, F_fieldname) values ('zzlayouttest', 'F_Code')"));
        QCOMPARE(dm.QueryInt("select count(*) from cfg_Grid where F_name = :n", {{"n", "ZZLayoutTest"}}), 1);
        QCOMPARE(dm.QueryInt("select count(*) from cfg_Grid where F_name = 'zzlayouttest' and F_fieldname like :n", {{"n", "f_c%"}}), 1);
    }
};

QTEST_MAIN(TestQueryHelpers)
#include "tst_queryhelpers.moc"
