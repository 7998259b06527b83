#include "savereceipt.h"
#include "support/testdatabase.h"

#include "data/dberror.h"
#include "data/session.h"
#include "documents/lastprice.h"

#include <QProcess>
#include <QSqlQuery>

class TestDocumentStore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void numberingPerKindAndDay()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        const QDate day(2024, 3, 15);
        DocumentStore receipts(dm, DocKind::Receipt), returns(dm, DocKind::Return), orders(dm, DocKind::Order),
            invoices(dm, DocKind::Invoice), payments(dm, DocKind::Payment);
        QCOMPARE(receipts.nextCode(day), QString("CGD20240315001"));
        dm.exec("insert into depotM (F_Code, F_Flag, F_OperFlag) values ('CGD20240315001', 1, 1)");
        QCOMPARE(receipts.nextCode(day), QString("CGD20240315002"));
        // Returns share the table but have their own series.
        QCOMPARE(returns.nextCode(day), QString("CTD20240315001"));
        QCOMPARE(orders.nextCode(day), QString("CDD20240315001"));
        QCOMPARE(invoices.nextCode(day), QString("CKP20240315001"));
        QCOMPARE(payments.nextCode(day), QString("FKD20240315001"));
        // Another day starts again at 001.
        QCOMPARE(receipts.nextCode(day.addDays(1)), QString("CGD20240316001"));
    }

    void saveWritesLinesAndMasterTogether()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        const QString code = TestReceipt::saveNew(dm, 3);
        QCOMPARE(dm.QueryInt("select count(*) from depotD where F_Code = :c", {{"c", code}}), 3);
        QCOMPARE(dm.QueryFloat("select F_TotalPrice from depotM where F_Code = :c", {{"c", code}}), 30.0);
        // A failing master statement leaves no line behind.
        DocumentStore store(dm, DocKind::Receipt);
        DocumentStore::Save s;
        s.code = store.nextCode();
        s.insertStatement = "insert into depotM (F_Code, F_NoSuchColumn) values (:Code, 1)";
        s.writeLines = [&](const QString &c) { dm.exec("insert into depotD (F_Code, F_GoodCode) values (:c, 'x')", {{"c", c}}); };
        QVERIFY_THROWS_EXCEPTION(DbError, store.save(s));
        QCOMPARE(dm.QueryInt("select count(*) from depotD where F_GoodCode = 'x'"), 0);
    }

    void codeTakenMeanwhileGetsTheNextOne()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        auto other = t.secondClient();
        DocumentStore store(dm, DocKind::Receipt);
        const QString shown = store.nextCode();
        // The other client stores a receipt under the same code while this one is being entered.
        const QString taken = TestReceipt::saveNew(*other, 1);
        QCOMPARE(taken, shown);
        DocumentStore::Save s;
        s.code = shown;
        s.insertStatement = TestReceipt::kInsert;
        s.values = {{"MakeDate", Sql::date(QDate::currentDate())}, {"Maker", "m"}, {"Depot", "d"}, {"TotalPrice", 0.0},
                    {"Client", "c"}, {"date", Sql::date(QDate::currentDate())}, {"Amount", 0.0}};
        const QString stored = store.save(s);
        QVERIFY(stored != shown);
        QCOMPARE(stored.left(11), shown.left(11));
        QCOMPARE(dm.QueryInt("select count(*) from depotM"), 2);
    }

    void removeAuditUnaudit()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        DocumentStore store(dm, DocKind::Receipt);
        const QString code = TestReceipt::saveNew(dm, 2);
        QVERIFY(store.audit(code, "审核员", QDate(2026, 5, 1)));
        QCOMPARE(dm.QueryInt("select F_CheckFlag from depotM where F_Code = :c", {{"c", code}}), 1);
        QCOMPARE(dm.QueryString("select F_Auditer from depotM where F_Code = :c", {{"c", code}}), QString("审核员"));
        QVERIFY(dm.QueryString("select F_AudDate from depotM where F_Code = :c", {{"c", code}}).startsWith("2026-05-01"));
        // Un-auditing twice leaves the mark twice, also when the remark was empty.
        QVERIFY(store.unaudit(code, "000管理员"));
        QVERIFY(store.unaudit(code, "000管理员"));
        QCOMPARE(dm.QueryString("select F_Mem from depotM where F_Code = :c", {{"c", code}}), QString("反审反审"));
        QCOMPARE(dm.QueryInt("select F_CheckFlag from depotM where F_Code = :c", {{"c", code}}), 0);
        store.remove(code);
        QCOMPARE(dm.QueryInt("select count(*) from depotM"), 0);
        QCOMPARE(dm.QueryInt("select count(*) from depotD"), 0);
    }

    void dayListKeepsDocumentsWithoutDepot()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        const QDate day(2026, 4, 2);
        for (const auto &[code, depot] : {std::pair{"CGD20260402001", "一号仓库"}, {"CGD20260402002", "二号仓库"}, {"CGD20260402003", ""}})
            dm.exec("insert into depotM (F_Code, F_Flag, F_OperFlag, F_date, F_Depot) values (:c, 1, 1, :d, :p)",
                    {{"c", code}, {"d", Sql::date(day)}, {"p", depot}});
        dm.exec("insert into depotM (F_Code, F_Flag, F_OperFlag, F_date) values ('CTD20260402001', -1, -1, :d)", {{"d", Sql::date(day)}});
        DocumentStore store(dm, DocKind::Receipt);
        const QString cond = "and (F_Depot in (:dep0) or coalesce(F_Depot,'') = '')";
        QSqlQuery q = dm.newQuery();
        QVERIFY(dm.OpenQuery(store.dayListStatement(cond), q, store.dayListParams(day, {{"dep0", "一号仓库"}})));
        QStringList codes;
        while (q.next())
            codes << q.value("F_Code").toString();
        QCOMPARE(codes, (QStringList{"CGD20260402001", "CGD20260402003"}));
    }

    void lastPriceRules()
    {
        REQUIRE_TEST_DB(t);
        TdmData &dm = t.dm();
        dm.exec("insert into t_goods (F_Code, F_Name, F_EnterPrice) values ('G1', 'g', 5)");
        auto line = [&](const char *code, int flag, const char *client, double price) {
            dm.exec("insert into depotM (F_Code, F_Flag, F_Client) values (:c, :f, :cl)", {{"c", code}, {"f", flag}, {"cl", client}});
            dm.exec("insert into depotD (F_Code, F_GoodCode, F_Price) values (:c, 'G1', :p)", {{"c", code}, {"p", price}});
        };
        line("CGD1", 1, "甲", 7);
        line("CGD2", 1, "乙", 8);
        line("CTD1", -1, "甲", 6);
        using LinePrice::Source;
        QCOMPARE(LinePrice::lastPrice(dm, Source::Receipts, 1, "G1", "甲", 1), 8.0);  // latest of any supplier
        QCOMPARE(LinePrice::lastPrice(dm, Source::Receipts, 2, "G1", "甲", 1), 7.0);  // latest of this supplier
        QCOMPARE(LinePrice::lastPrice(dm, Source::Receipts, 2, "G1", "丙", 1), 5.0);  // never delivered: goods price
        QCOMPARE(LinePrice::lastPrice(dm, Source::Receipts, 0, "G1", "甲", 1), 5.0);
        QCOMPARE(LinePrice::lastPrice(dm, Source::Receipts, 1, "G1", "甲", -1), 6.0); // returns from returns
        QCOMPARE(LinePrice::lastPrice(dm, Source::Orders, 1, "G1", "甲", 1), 5.0);
        QCOMPARE(LinePrice::lastPrice(dm, Source::Receipts, 1, "NONE", "甲", 1), 0.0);
    }

    // Clients in separate processes saving at the same moment never share a code and never lose lines.
    void concurrentClientsKeepCodesUnique()
    {
        REQUIRE_TEST_DB(t);
        if (backend != "postgres")
            QSKIP("several desks share a PostgreSQL server");
        QTemporaryDir cfg;
        t.writeConfig(cfg.path());
        QList<QProcess *> clients;
        for (int i = 0; i < 3; ++i) {
            auto *p = new QProcess(this);
            p->start(QCoreApplication::applicationDirPath() + "/doc_save_client", {cfg.path(), "15", "5", "5"});
            clients << p;
        }
        for (QProcess *p : clients) {
            QVERIFY(p->waitForFinished(120000));
            QCOMPARE(p->exitCode(), 0);
            delete p;
        }
        TdmData &dm = t.dm();
        QCOMPARE(dm.QueryInt("select count(*) from depotM"), 45);
        QCOMPARE(dm.QueryInt("select count(distinct F_Code) from depotM"), 45);
        QCOMPARE(dm.QueryInt("select count(*) from depotD"), 225);
        QCOMPARE(dm.QueryInt("select count(*) from depotM m where (select count(*) from depotD d where d.F_Code = m.F_Code) <> 5"), 0);
    }

    // A client killed in the middle of a save leaves either the whole receipt or nothing.
    void killedClientLeavesNothingHalfSaved()
    {
        REQUIRE_TEST_DB(t);
        QTemporaryDir cfg;
        t.writeConfig(cfg.path());
        QProcess p;
        p.start(QCoreApplication::applicationDirPath() + "/doc_save_client", {cfg.path(), "1", "50", "5000"});
        QVERIFY(p.waitForReadyRead(30000));
        QVERIFY(p.readLine().startsWith("ready"));
        // Wait until the lines are written inside the open transaction, then kill the client.
        QTest::qWait(1500);
        p.kill();
        QVERIFY(p.waitForFinished(10000));
        TdmData &dm = t.dm();
        QTRY_COMPARE_WITH_TIMEOUT(dm.QueryInt("select count(*) from depotD"), 0, 10000);
        QCOMPARE(dm.QueryInt("select count(*) from depotM"), 0);
        // The database takes the next save normally.
        TestReceipt::saveNew(dm, 2);
        QCOMPARE(dm.QueryInt("select count(*) from depotD"), 2);
    }
};

QTEST_MAIN(TestDocumentStore)
#include "tst_documentstore.moc"
