#include "shellfixture.h"
#include "support/testdatabase.h"

#include "data/depotfilter.h"
#include "data/session.h"
#include "platform/showmess.h"

#include <QSqlQuery>
#include <QTemporaryDir>

using namespace ShellFixture;

namespace {

QStringList codes(TdmData &dm, const QString &sql, const SqlParams &params)
{
    QSqlQuery q = dm.newQuery();
    QStringList out;
    if (!dm.OpenQuery(sql, q, params))
        return {QStringLiteral("<failed>")};
    while (q.next())
        out << q.value(0).toString();
    return out;
}

} // namespace

// Per-operator flags and the depot restriction as bound SQL conditions.
class TestPermissions : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init() { resetSession(m_dir.path()); }

    void storedDepotList_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("two") << "'A','B'" << QStringList{"A", "B"};
        QTest::newRow("blanks") << " 'A' , 'B' " << QStringList{"A", "B"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("one") << "'一号库'" << QStringList{"一号库"};
        QTest::newRow("doubled quote") << "'O''Brien','B'" << QStringList{"O'Brien", "B"};
        QTest::newRow("comma in name") << "'A,1','B'" << QStringList{"A,1", "B"};
        QTest::newRow("plain names") << "A, B" << QStringList{"A", "B"};
        QTest::newRow("unterminated") << "'A','B" << QStringList{"A", "B"};
        QTest::newRow("empty entries") << "'A','',' '" << QStringList{"A"};
    }
    void storedDepotList()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, names);
        QCOMPARE(DepotFilter::parseStored(stored), names);
        QCOMPARE(DepotFilter::parseStored(DepotFilter::formatStored(names)), names);
    }

    void fragmentsBindEveryName()
    {
        const DepotFilter none;
        QVERIFY(none.nameCond().isEmpty());
        QVERIFY(none.docCond().isEmpty());
        QVERIFY(none.allowsDocument("C"));

        const DepotFilter f(true, {"A", "B'); drop table depotM; --"});
        const SqlFragment doc = f.docCond("m.F_depot", "md");
        QCOMPARE(doc.text, QString(" and (m.F_depot in (:md0,:md1) or trim(coalesce(m.F_depot,'')) = '') "));
        QCOMPARE(doc.params.size(), 2);
        QCOMPARE(doc.params.at(1).second.toString(), QString("B'); drop table depotM; --"));
        const SqlFragment names = f.nameCond();
        QCOMPARE(names.text, QString(" and (F_name in (:dn0,:dn1)) "));
        QVERIFY(f.allowsDocument(""));
        QVERIFY(f.allowsDocument("a"));
        QVERIFY(!f.allowsDocument("C"));
        QVERIFY(!f.allowsDepot(""));
    }

    void documentListsKeepDocumentsWithoutDepot()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        TdmData &dm = t.dm();
        const QList<std::pair<QString, QVariant>> docs{
            {"D1", "A"}, {"D2", "B"}, {"D3", "C"}, {"D4", ""}, {"D5", QVariant()}, {"D6", " "}, {"D7", "a"}};
        for (const auto &[code, depot] : docs)
            QVERIFY(dm.ExecCommand("insert into depotM (F_Code,F_Depot,F_Flag) values (:c,:d,1)",
                                   {{"c", code}, {"d", depot.isNull() ? QVariant(QMetaType(QMetaType::QString)) : depot}}));

        const DepotFilter f(true, DepotFilter::parseStored("'A','B'"));
        SqlFragment c = f.docCond();
        SqlParams p{{"flag", 1}};
        p += c.params;
        QCOMPARE(codes(dm, "select F_Code from depotM where F_Flag = :flag" + c.text + " order by F_Code", p),
                 (QStringList{"D1", "D2", "D4", "D5", "D6", "D7"}));

        // The same through the master's alias.
        c = f.docCond("m.F_depot");
        QCOMPARE(codes(dm, "select m.F_Code from depotM m where 1 = 1" + c.text + " order by m.F_Code", c.params),
                 (QStringList{"D1", "D2", "D4", "D5", "D6", "D7"}));

        // No permitted depot: only documents without one.
        c = DepotFilter(true, {}).docCond();
        QCOMPARE(codes(dm, "select F_Code from depotM where 1 = 1" + c.text + " order by F_Code", c.params),
                 (QStringList{"D4", "D5", "D6"}));

        // Without a restriction everything.
        c = DepotFilter().docCond();
        QCOMPARE(codes(dm, "select F_Code from depotM where 1 = 1" + c.text + " order by F_Code", c.params).size(), 7);
        QVERIFY(msgs.shown().isEmpty());
    }

    void depotListsKeepPermittedDepots()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        TdmData &dm = t.dm();
        for (const char *n : {"A", "B", "C", "O'Brien"})
            QVERIFY(dm.ExecCommand("insert into t_code (F_type,F_name) values ('depot',:n)", {{"n", n}}));
        const DepotFilter f(true, DepotFilter::parseStored("'a','O''Brien'"));
        SqlFragment c = f.nameCond();
        QCOMPARE(codes(dm, "select F_name from t_code where F_type = 'depot'" + c.text + " order by F_ID", c.params),
                 (QStringList{"A", "O'Brien"}));
        c = DepotFilter(true, {}).nameCond();
        QCOMPARE(codes(dm, "select F_name from t_code where F_type = 'depot'" + c.text + " order by F_ID", c.params),
                 QStringList{});
    }

    void loginLoadsTheRestriction()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        Operator op{"zs", "张三", "", ""};
        op.ckFlag = 1;
        op.depots = "'A','B'";
        op.price = false;
        QVERIFY(addOperator(t.dm(), op));
        QVERIFY(loginDirect(t.dm(), "zs", nullptr));
        const Session &s = Session::instance();
        QCOMPARE(s.iCKflag, 1);
        QCOMPARE(s.sOperDepots, QString("'A','B'"));
        QCOMPARE(s.operDepotList, (QStringList{"A", "B"}));
        QCOMPARE(s.sNoPrice, QString("1"));
        const DepotFilter f = DepotFilter::fromSession();
        QVERIFY(f.restricted());
        QCOMPARE(f.depots(), (QStringList{"A", "B"}));

        // The administrator's own row does not restrict him.
        QVERIFY(t.dm().ExecCommand("update OperList set F_CKflag = 1, F_depot = 'x', F_new = 0 where F_Code = '000'"));
        QVERIFY(loginDirect(t.dm(), "000", nullptr));
        QVERIFY(!DepotFilter::fromSession().restricted());
        QVERIFY(s.bNew);
        QVERIFY(s.hasLimit("504"));
    }

    void roleCodesAreReadAtLogin()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QVERIFY(addRole(t.dm(), "R1", {"102", " 301 "}));
        QVERIFY(addRole(t.dm(), "R2", {"109"}));
        QVERIFY(addOperator(t.dm(), {"zs", "张三", "", "r1"}));
        QVERIFY(loginDirect(t.dm(), "zs", nullptr));
        const Session &s = Session::instance();
        QCOMPARE(s.limitCodes, (QSet<QString>{"102", "301"}));
        QVERIFY(s.hasLimit("102"));
        QVERIFY(!s.hasLimit("109"));
        // Changing the role takes effect at the next login only.
        QVERIFY(t.dm().ExecCommand("insert into PartLimit (F_PartCode,F_LmtCode) values ('R1','109')"));
        QVERIFY(!s.hasLimit("109"));
        QVERIFY(loginDirect(t.dm(), "zs", nullptr));
        QVERIFY(s.hasLimit("109"));
    }
};

QTEST_MAIN(TestPermissions)
#include "tst_permissions.moc"
