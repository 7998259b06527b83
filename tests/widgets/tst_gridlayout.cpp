#include "support/testdatabase.h"

#include "data/gridlayoutseed.h"
#include "data/gridlayoutstore.h"
#include "platform/showmess.h"
#include "widgets/datagrid.h"
#include "widgets/gridresultmodel.h"
#include "widgets/gridservices.h"

#include <QHeaderView>
#include <QSqlQuery>
#include <QtTest>

namespace {

struct Row {
    const char *field;
    const char *caption;
    int width;
    int visible;
    int readOnly;
    int order;
    int alignment;
    const char *format;
    const char *footerValue;
    int footerType;
};

void insertLayout(TdmData &dm, const QString &name, const QList<Row> &rows)
{
    for (const Row &r : rows)
        QVERIFY(dm.ExecCommand(
            "INSERT INTO cfg_Grid (F_name, F_fieldname, F_caption, F_width, F_visible, F_readonly, F_order, "
            "F_alignment, F_displayFormat, F_footerValue, F_footerType) "
            "VALUES (:n, :f, :c, :w, :v, :r, :o, :a, :d, :fv, :ft)",
            {{"n", name}, {"f", QString::fromUtf8(r.field)}, {"c", QString::fromUtf8(r.caption)}, {"w", r.width},
             {"v", r.visible}, {"r", r.readOnly}, {"o", r.order}, {"a", r.alignment},
             {"d", QString::fromUtf8(r.format)}, {"fv", QString::fromUtf8(r.footerValue)}, {"ft", r.footerType}}));
}

const QList<Row> &sampleLayout()
{
    static const QList<Row> rows{
        {"F_Amount", "数量", 70, 1, 0, 2, 2, "0.00", "", 2},
        {"F_Code", "编号", 60, 1, 1, 0, 0, "", "合  计", 1},
        {"", "空字段", 50, 1, 0, 1, 0, "", "", 0},
        {"F_Name", "名称", 120, 1, 0, 1, 1, "", "不显示", 0},
        {"F_Mem", "备注", 90, 0, 0, 3, 3, "", "x", 3},
    };
    return rows;
}

QList<GridColumn> designed()
{
    return {GridColumn("F_Name", "设计名称", 50), GridColumn("F_Code", "设计编号", 40)};
}

QStringList fieldOrder(const DataGrid &g)
{
    QStringList out;
    for (const GridColumn &c : g.columns())
        out << c.fieldName;
    return out;
}

} // namespace

class TstGridLayout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void loadBuildsColumnsFromRows();
    void emptyLayoutKeepsDesignedColumns();
    void saveStoresPositionsAndSettings();
    void layoutNamesIgnoreCase();
    void quotesAreKeptAsTyped();
    void loadFailureLeavesGrid();
    void saveFailureReportsEachColumn();
    void popupSaveAsksFirst();
    void resultModelLoadsAndReportsFailure();
    void seededLayoutsLoad();
};

void TstGridLayout::loadBuildsColumnsFromRows()
{
    REQUIRE_TEST_DB(t);
    MessageScript msgs;
    insertLayout(t.dm(), "testgrid", sampleLayout());
    QVERIFY(t.dm().ExecCommand("INSERT INTO t_begDept (F_GoodCode, F_Depot, F_Amount) VALUES ('A', 'x', 1.5), ('B', 'y', 2.25)"));
    GridResultModel m;
    QVERIFY(m.load(t.dm(), "SELECT F_GoodCode AS F_Code, F_Depot AS F_Name, F_Amount, F_Depot AS F_Mem FROM t_begDept"));

    DataGrid grid;
    grid.setColumns(designed());
    grid.setSourceModel(&m);
    LoadGridLayout(t.dm(), &grid, "testgrid");
    QVERIFY(msgs.shown().isEmpty());
    // The empty field name row is skipped; the rest come in F_Order order.
    QCOMPARE(fieldOrder(grid), (QStringList{"F_Code", "F_Name", "F_Amount", "F_Mem"}));
    const GridColumn code = grid.gridColumn(0), name = grid.gridColumn(1), amount = grid.gridColumn(2),
                     mem = grid.gridColumn(3);
    QCOMPARE(code.caption, QStringLiteral("编号"));
    QCOMPARE(code.width, 60);
    QVERIFY(code.readOnly);
    QCOMPARE(code.titleAlignment, Qt::AlignCenter);
    QCOMPARE(name.titleAlignment, Qt::AlignCenter);
    QVERIFY(!mem.visible);
    QVERIFY(grid.isColumnHidden(3));
    QCOMPARE(grid.horizontalHeader()->sectionSize(1), 120);
    // Footers: 1 fixed text, 2 sum in the display format, 0 and 3 nothing.
    QCOMPARE(grid.footerText(0), QStringLiteral("合  计"));
    QCOMPARE(grid.footerText(1), QString());
    QCOMPARE(grid.footerText(2), QStringLiteral("3.75"));
    QCOMPARE(grid.footerText(3), QString());
    QCOMPARE(amount.displayFormat, QStringLiteral("0.00"));
    QCOMPARE(grid.viewModel()->cellText(0, 2), QStringLiteral("1.50"));
    // Alignment 0, 1, 2 on cells and footer; 3 leaves the default.
    QCOMPARE(code.alignment, GridColumn::Align::Left);
    QCOMPARE(name.alignment, GridColumn::Align::Center);
    QCOMPARE(name.footerAlignment, GridColumn::Align::Center);
    QCOMPARE(amount.alignment, GridColumn::Align::Right);
    QCOMPARE(mem.alignment, GridColumn::Align::Default);
    QCOMPARE(mem.footerAlignment, GridColumn::Align::Default);
}

void TstGridLayout::emptyLayoutKeepsDesignedColumns()
{
    REQUIRE_TEST_DB(t);
    MessageScript msgs;
    insertLayout(t.dm(), "other", sampleLayout());
    DataGrid grid;
    grid.setColumns(designed());
    LoadGridLayout(t.dm(), &grid, "nosuchlayout");
    QCOMPARE(fieldOrder(grid), (QStringList{"F_Name", "F_Code"}));
    QCOMPARE(grid.gridColumn(0).caption, QStringLiteral("设计名称"));
    SaveGridLayout(t.dm(), &grid, "nosuchlayout");
    QVERIFY(msgs.shown().isEmpty());
    QCOMPARE(t.dm().QueryInt("SELECT COUNT(*) FROM cfg_Grid WHERE F_name = 'nosuchlayout'"), 0);
    QCOMPARE(t.dm().QueryInt("SELECT COUNT(*) FROM cfg_Grid WHERE F_caption = '设计名称'"), 0);
}

void TstGridLayout::saveStoresPositionsAndSettings()
{
    REQUIRE_TEST_DB(t);
    MessageScript msgs;
    insertLayout(t.dm(), "testgrid", sampleLayout());
    const int before = t.dm().QueryInt("SELECT COUNT(*) FROM cfg_Grid");
    DataGrid grid;
    LoadGridLayout(t.dm(), &grid, "testgrid");
    grid.moveGridColumn(2, 0); // F_Amount first
    grid.editColumn(1, [](GridColumn &c) {
        c.caption = "代码";
        c.width = 77;
        c.setFooterSum();
    });
    grid.setGridColumnVisible(3, true);
    grid.editColumn(2, [](GridColumn &c) { c.readOnly = true; });
    SaveGridLayout(t.dm(), &grid, "testgrid");
    QVERIFY(msgs.shown().isEmpty());
    QCOMPARE(t.dm().QueryInt("SELECT COUNT(*) FROM cfg_Grid"), before);

    QList<GridLayoutColumn> rows;
    QString error;
    QVERIFY(GridLayoutStore::load(t.dm(), "testgrid", &rows, &error));
    QCOMPARE(rows.size(), 4);
    QStringList fields;
    QList<int> orders;
    for (const GridLayoutColumn &r : rows) {
        fields << r.fieldName;
        orders << r.order;
    }
    QCOMPARE(fields, (QStringList{"F_Amount", "F_Code", "F_Name", "F_Mem"}));
    QCOMPARE(orders, (QList<int>{0, 1, 2, 3}));
    QCOMPARE(rows.at(1).caption, QStringLiteral("代码"));
    QCOMPARE(rows.at(1).width, 77);
    QCOMPARE(rows.at(1).footerType, 2);
    QCOMPARE(rows.at(1).alignment, 0);
    QVERIFY(rows.at(2).readOnly);
    QVERIFY(rows.at(3).visible);
    // The default alignment of a text column is stored as left (0).
    QCOMPARE(rows.at(3).alignment, 0);
    QCOMPARE(rows.at(0).alignment, 2);
    QCOMPARE(rows.at(0).displayFormat, QStringLiteral("0.00"));

    // The next load shows the new order.
    DataGrid again;
    LoadGridLayout(t.dm(), &again, "testgrid");
    QCOMPARE(fieldOrder(again), fields);
    QCOMPARE(again.gridColumn(1).caption, QStringLiteral("代码"));
}

void TstGridLayout::layoutNamesIgnoreCase()
{
    REQUIRE_TEST_DB(t);
    MessageScript msgs;
    // Seeded lower case, loaded and saved in mixed case (as the payables summary does).
    insertLayout(t.dm(), "tstchangetotalfx", sampleLayout());
    const int before = t.dm().QueryInt("SELECT COUNT(*) FROM cfg_Grid");
    DataGrid grid;
    LoadGridLayout(t.dm(), &grid, "TSTchangeTotalFx");
    QCOMPARE(grid.gridColumnCount(), 4);
    grid.editColumn(0, [](GridColumn &c) { c.caption = "供应商"; });
    SaveGridLayout(t.dm(), &grid, "TSTchangeTotalFx");
    QCOMPARE(t.dm().QueryString("SELECT F_caption FROM cfg_Grid WHERE F_name = :n AND F_fieldname = 'F_Code'",
                                {{"n", "tstchangetotalfx"}}),
             QStringLiteral("供应商"));
    QCOMPARE(t.dm().QueryInt("SELECT COUNT(*) FROM cfg_Grid"), before);
    QVERIFY(msgs.shown().isEmpty());
}

void TstGridLayout::quotesAreKeptAsTyped()
{
    REQUIRE_TEST_DB(t);
    MessageScript msgs;
    insertLayout(t.dm(), "quoted", sampleLayout());
    DataGrid grid;
    LoadGridLayout(t.dm(), &grid, "quoted");
    const QString caption = QStringLiteral("O'Brien's \"数量\"; --");
    grid.editColumn(0, [&](GridColumn &c) {
        c.caption = caption;
        c.footerValue = "it's";
        c.footerType = GridColumn::FooterType::Text;
    });
    SaveGridLayout(t.dm(), &grid, "quoted");
    QVERIFY(msgs.shown().isEmpty());
    DataGrid again;
    LoadGridLayout(t.dm(), &again, "quoted");
    QCOMPARE(again.gridColumn(0).caption, caption);
    QCOMPARE(again.footerText(0), QStringLiteral("it's"));
    // A layout name with a quote finds nothing and breaks nothing.
    LoadGridLayout(t.dm(), &again, "quoted' OR '1'='1");
    QCOMPARE(again.gridColumn(0).caption, caption);
    QVERIFY(msgs.shown().isEmpty());
}

void TstGridLayout::loadFailureLeavesGrid()
{
    REQUIRE_TEST_DB(t);
    MessageScript msgs;
    QVERIFY(t.dm().ExecCommand("ALTER TABLE cfg_Grid RENAME TO cfg_Grid_gone"));
    DataGrid grid;
    grid.setColumns(designed());
    LoadGridLayout(t.dm(), &grid, "testgrid");
    QCOMPARE(msgs.texts(), QStringList{QStringLiteral("操作失败，请检查数据连接... ")});
    QCOMPARE(msgs.shown().first().kind, int(MessError));
    QCOMPARE(fieldOrder(grid), (QStringList{"F_Name", "F_Code"}));
    // Saving reports the failure of each column's statement.
    msgs.clear();
    SaveGridLayout(t.dm(), &grid, "testgrid");
    QCOMPARE(msgs.texts(), (QStringList{TdmData::MsgOperationFailed, TdmData::MsgOperationFailed}));
}

void TstGridLayout::saveFailureReportsEachColumn()
{
    REQUIRE_TEST_DB(t);
    if (backend != QLatin1String("sqlite"))
        QSKIP("the failing column is made with an SQLite trigger");
    MessageScript msgs;
    insertLayout(t.dm(), "testgrid", sampleLayout());
    QVERIFY(t.dm().ExecCommand("CREATE TRIGGER no_name BEFORE UPDATE ON cfg_Grid WHEN NEW.F_fieldname = 'F_Name' "
                               "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    DataGrid grid;
    LoadGridLayout(t.dm(), &grid, "testgrid");
    for (int i = 0; i < grid.gridColumnCount(); ++i)
        grid.editColumn(i, [](GridColumn &c) { c.caption += "*"; });
    SaveGridLayout(t.dm(), &grid, "testgrid");
    QCOMPARE(msgs.texts(), QStringList{TdmData::MsgOperationFailed});
    // The other columns were still written.
    QCOMPARE(t.dm().QueryInt("SELECT COUNT(*) FROM cfg_Grid WHERE F_caption LIKE '%*'"), 3);
}

void TstGridLayout::popupSaveAsksFirst()
{
    REQUIRE_TEST_DB(t);
    MessageScript msgs;
    insertLayout(t.dm(), "tstpopup", sampleLayout());
    DataGrid grid;
    LoadGridLayout(t.dm(), &grid, "tstpopup");
    grid.enableLayoutMenu("tstpopup");
    grid.editColumn(0, [](GridColumn &c) { c.caption = "改过"; });
    msgs.answer(2);
    grid.saveLayoutAction()->trigger();
    QCOMPARE(t.dm().QueryInt("SELECT COUNT(*) FROM cfg_Grid WHERE F_caption = '改过'"), 0);
    msgs.answer(1);
    grid.saveLayoutAction()->trigger();
    QCOMPARE(t.dm().QueryInt("SELECT COUNT(*) FROM cfg_Grid WHERE F_caption = '改过'"), 1);
    QCOMPARE(msgs.texts(), (QStringList{"真的要保存当前网格设置吗？", "真的要保存当前网格设置吗？"}));
}

void TstGridLayout::resultModelLoadsAndReportsFailure()
{
    REQUIRE_TEST_DB(t);
    MessageScript msgs;
    QVERIFY(t.dm().ExecCommand("INSERT INTO t_begDept (F_GoodCode, F_Depot, F_Amount) VALUES (:c, 'x', :a)",
                               {{"c", "00012"}, {"a", 2.5}}));
    GridResultModel m;
    QVERIFY(m.load(t.dm(), "SELECT F_GoodCode, F_Amount FROM t_begDept WHERE F_Depot = :d", {{"d", "X"}}));
    QCOMPARE(m.rowCount(), 1);
    QCOMPARE(m.value(0, 0).toString(), QStringLiteral("00012"));
    QCOMPARE(m.value(0, 1).toDouble(), 2.5);
    QVERIFY(m.isNumericColumn(1));
    // A failing statement reports and keeps the rows.
    QVERIFY(!m.load(t.dm(), "SELECT nothing FROM no_table"));
    QCOMPARE(msgs.texts(), QStringList{TdmData::MsgOpenFailed});
    QCOMPARE(m.rowCount(), 1);
}

void TstGridLayout::seededLayoutsLoad()
{
    REQUIRE_TEST_DB(t);
    MessageScript msgs;
    // Every layout the database is created with loads as seeded, in the seeded order.
    QMap<QString, QStringList> seeded;
    QStringList order;
    for (const GridSeedColumn &g : gridLayoutSeeds()) {
        const QString name = QString::fromUtf8(g.layout);
        if (!seeded.contains(name))
            order << name;
        if (g.field && *g.field)
            seeded[name] << QString::fromUtf8(g.field);
    }
    for (const QString &name : std::as_const(order)) {
        DataGrid grid;
        LoadGridLayout(t.dm(), &grid, name.toUpper());
        QCOMPARE(fieldOrder(grid), seeded.value(name));
    }
    QVERIFY(msgs.shown().isEmpty());
}

QTEST_MAIN(TstGridLayout)
#include "tst_gridlayout.moc"
