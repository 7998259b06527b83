#include "support/testdatabase.h"

#include "data/dberror.h"
#include "platform/showmess.h"
#include "widgets/gridlinemodel.h"

#include <QAbstractItemModelTester>
#include <QtTest>

namespace {

const char *const Select = "SELECT F_ID, F_GoodCode, F_Depot, F_Amount, F_Price FROM t_begDept WHERE F_Depot = :d ORDER BY F_ID";
const QStringList Written{"F_GoodCode", "F_Depot", "F_Amount", "F_Price"};

QStringList stored(TdmData &dm)
{
    QSqlQuery q = dm.newQuery();
    q.exec("SELECT F_GoodCode, F_Depot, F_Amount FROM t_begDept ORDER BY F_GoodCode");
    QStringList out;
    while (q.next())
        out << QStringLiteral("%1/%2/%3").arg(q.value(0).toString(), q.value(1).toString()).arg(q.value(2).toDouble());
    return out;
}

} // namespace

class TstGridLineModel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void applyWritesInsertsChangesAndDeletes();
    void failedApplyLeavesDatabaseAndRows();
    void newDocumentRowsGetKeys();
};

void TstGridLineModel::applyWritesInsertsChangesAndDeletes()
{
    REQUIRE_TEST_DB(t);
    MessageScript msgs;
    TdmData &dm = t.dm();
    QVERIFY(dm.ExecCommand("INSERT INTO t_begDept (F_GoodCode, F_Depot, F_Amount, F_Price) VALUES "
                           "('A', '一库', 1, 2), ('B', '一库', 3, 4), ('C', '一库', 5, 6), ('Z', '二库', 9, 9)"));
    GridLineModel lines;
    QAbstractItemModelTester tester(&lines, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(lines.load(dm, Select, {{"d", "一库"}}));
    QCOMPARE(lines.rowCount(), 3);
    QVERIFY(lines.setValue(0, "F_Amount", QStringLiteral("7.5")));
    QVERIFY(lines.removeRows(1, 1));
    lines.appendRow({{"F_GoodCode", "D"}, {"F_Depot", "一库"}, {"F_Amount", 2.0}, {"F_Price", 1.0}});
    // A row inserted and removed again never reaches the database.
    lines.appendRow({{"F_GoodCode", "E"}});
    lines.removeRows(3, 1);
    QVERIFY(lines.isDirty());
    {
        DbTransaction tr(dm);
        lines.apply(dm, "t_begDept", "F_ID", Written);
        tr.commit();
    }
    lines.acceptChanges();
    QVERIFY(!lines.isDirty());
    QCOMPARE(stored(dm), (QStringList{"A/一库/7.5", "C/一库/5", "D/一库/2", "Z/二库/9"}));
    // The inserted row knows its key now: a second change updates it, nothing is inserted twice.
    QVERIFY(!lines.value(2, "F_ID").isNull());
    lines.setValue(2, "F_Amount", 4.0);
    {
        DbTransaction tr(dm);
        lines.apply(dm, "t_begDept", "F_ID", Written);
        tr.commit();
    }
    lines.acceptChanges();
    QCOMPARE(stored(dm), (QStringList{"A/一库/7.5", "C/一库/5", "D/一库/4", "Z/二库/9"}));
    QVERIFY(msgs.shown().isEmpty());
}

void TstGridLineModel::failedApplyLeavesDatabaseAndRows()
{
    REQUIRE_TEST_DB(t);
    MessageScript msgs;
    TdmData &dm = t.dm();
    QVERIFY(dm.ExecCommand("INSERT INTO t_begDept (F_GoodCode, F_Depot, F_Amount) VALUES ('A', 'x', 1), ('B', 'x', 2)"));
    GridLineModel lines;
    QVERIFY(lines.load(dm, Select, {{"d", "x"}}));
    lines.removeRows(0, 1);
    lines.setValue(0, "F_Amount", 20.0);
    lines.appendRow({{"F_GoodCode", "C"}, {"F_Depot", "x"}, {"F_Amount", 3.0}});
    bool failed = false;
    {
        DbTransaction tr(dm);
        try {
            // The last statement fails: an unknown column.
            lines.apply(dm, "t_begDept", "F_ID", Written, {{"F_NoSuchColumn", 1}});
            tr.commit();
        } catch (const DbError &) {
            failed = true;
        }
    }
    QVERIFY(failed);
    QCOMPARE(stored(dm), (QStringList{"A/x/1", "B/x/2"}));
    // The rows are as the operator left them; a corrected save goes through.
    QVERIFY(lines.isDirty());
    QCOMPARE(lines.rowCount(), 2);
    {
        DbTransaction tr(dm);
        lines.apply(dm, "t_begDept", "F_ID", Written);
        tr.commit();
    }
    lines.acceptChanges();
    QCOMPARE(stored(dm), (QStringList{"B/x/20", "C/x/3"}));
    // Names that are not plain identifiers are refused before anything runs.
    lines.setValue(0, "F_Amount", 1.0);
    QVERIFY_THROWS_EXCEPTION(DbError, lines.apply(dm, "t_begDept; DROP TABLE t_goods", "F_ID", Written));
    lines.revert();
    QCOMPARE(lines.value(0, "F_Amount").toDouble(), 20.0);
}

void TstGridLineModel::newDocumentRowsGetKeys()
{
    REQUIRE_TEST_DB(t);
    TdmData &dm = t.dm();
    GridLineModel lines;
    QVERIFY(lines.load(dm, Select, {{"d", "none"}}));
    QCOMPARE(lines.rowCount(), 0);
    lines.appendRow({{"F_GoodCode", "N1"}, {"F_Amount", 1.0}});
    lines.appendRow({{"F_GoodCode", "N2"}, {"F_Amount", 2.0}});
    {
        DbTransaction tr(dm);
        // Fixed values go into every written row (here the depot, as a document code would).
        lines.apply(dm, "t_begDept", "F_ID", Written, {{"F_Depot", "新库"}});
        tr.commit();
    }
    lines.acceptChanges();
    QCOMPARE(stored(dm), (QStringList{"N1/新库/1", "N2/新库/2"}));
    const qint64 k1 = lines.value(0, "F_ID").toLongLong();
    const qint64 k2 = lines.value(1, "F_ID").toLongLong();
    QVERIFY(k1 > 0 && k2 > 0 && k1 != k2);
    QCOMPARE(dm.QueryString("SELECT F_GoodCode FROM t_begDept WHERE F_ID = :id", {{"id", k2}}), QStringLiteral("N2"));
}

QTEST_MAIN(TstGridLineModel)
#include "tst_gridlinemodel.moc"
