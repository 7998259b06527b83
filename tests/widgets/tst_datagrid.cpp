#include "data/numberformats.h"
#include "data/session.h"
#include "platform/showmess.h"
#include "widgets/datagrid.h"
#include "widgets/gridfooterbar.h"
#include "widgets/gridlinemodel.h"
#include "widgets/gridresultmodel.h"
#include "widgets/gridservices.h"
#include "widgets/tfrmdispfieldxz.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

namespace {

// A small result: codes, names, quantities, remarks.
class Fixture
{
public:
    Fixture()
    {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("grid_fixture"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        db.open();
        QSqlQuery q(db);
        q.exec("CREATE TABLE t (F_Code TEXT, F_Name TEXT, F_Amount REAL, F_Mem TEXT, F_Flag INTEGER)");
        const char *rows[][5] = {{"003", "上海", "5", "b", "0"},  {"001", "北京", "-2", "c", "1"},
                                 {"004", "天津", "12.5", "a", "0"}, {"002", "安庆", "", "d", "0"},
                                 {"005", "北京", "7", "", "0"}};
        for (auto &r : rows) {
            q.prepare("INSERT INTO t VALUES (?, ?, ?, ?, ?)");
            q.addBindValue(QString::fromUtf8(r[0]));
            q.addBindValue(QString::fromUtf8(r[1]));
            q.addBindValue(*r[2] ? QVariant(QString(r[2]).toDouble()) : QVariant(QMetaType::fromType<double>()));
            q.addBindValue(*r[3] ? QVariant(QString(r[3])) : QVariant(QMetaType::fromType<QString>()));
            q.addBindValue(QString(r[4]).toInt());
            q.exec();
        }
    }
    ~Fixture()
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("grid_fixture"));
    }
    void load(GridResultModel &m, const QString &sql = QStringLiteral("SELECT * FROM t ORDER BY rowid"))
    {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        QVERIFY(q.exec(sql));
        m.loadFrom(q);
    }
    void load(GridLineModel &m)
    {
        QSqlQuery q(db);
        QVERIFY(q.exec("SELECT rowid AS F_ID, * FROM t ORDER BY rowid"));
        m.loadFrom(q);
    }
    QSqlDatabase db;
};

QStringList columnTexts(const DataGrid &g, int column)
{
    QStringList out;
    for (int r = 0; r < g.viewModel()->rowCount(); ++r)
        out << g.viewModel()->cellText(r, column);
    return out;
}

QList<GridColumn> designedColumns()
{
    GridColumn code(QStringLiteral("F_Code"), QStringLiteral("编号"), 60);
    code.setFooterText(QStringLiteral("合  计"));
    GridColumn name(QStringLiteral("F_Name"), QStringLiteral("名称"), 100);
    GridColumn amount(QStringLiteral("F_Amount"), QStringLiteral("数量"), 70);
    amount.setFormat(QStringLiteral("0.00"));
    amount.setFooterSum();
    GridColumn mem(QStringLiteral("F_Mem"), QStringLiteral("备注"), 90);
    return {code, name, amount, mem};
}

} // namespace

class TstDataGrid : public QObject
{
    Q_OBJECT
private slots:
    void resultModelHoldsTypedValues();
    void modelsPassTheTester();
    void columnsFormatsAndFooters();
    void titleClickSortsDescendingFirst();
    void titleClickAscendingFirstAndRemarks();
    void titleClickDoesNothingWhileClosed();
    void sortingKeepsCurrentRow();
    void chineseTextSortsByPinyin();
    void rowColoursAndSelection();
    void lineModelEditsUpdateFooter();
    void lineModelTypesTypedText();
    void prepareLineGridForEdit();
    void editButtonEmitsFieldAndRow();
    void chooseColumnsOkAndCancel();
    void popupMenuEntries();
    void numberFormatProfiles_data();
    void numberFormatProfiles();
    void buildNumberFormats();
    void applyNumberFormatsToGrid();
    void customFieldColumns();
    void columnDragMovesColumn();
};

void TstDataGrid::resultModelHoldsTypedValues()
{
    Fixture f;
    GridResultModel m;
    QVERIFY(!m.isOpen());
    f.load(m);
    QVERIFY(m.isOpen());
    QCOMPARE(m.rowCount(), 5);
    QCOMPARE(m.fieldNames(), (QStringList{"F_Code", "F_Name", "F_Amount", "F_Mem", "F_Flag"}));
    QCOMPARE(m.fieldIndex("f_amount"), 2);
    QCOMPARE(m.value(0, 0), QVariant(QStringLiteral("003")));
    QCOMPARE(m.value(2, 2).toDouble(), 12.5);
    QVERIFY(m.value(3, 2).isNull());
    QVERIFY(m.isNumericColumn(2));
    QVERIFY(!m.isNumericColumn(0));
    QCOMPARE(m.columnSum(2), 22.5);
    QCOMPARE(m.value(1, "F_NAME").toString(), QStringLiteral("北京"));
    m.close();
    QVERIFY(!m.isOpen());
    QCOMPARE(m.rowCount(), 0);
}

void TstDataGrid::modelsPassTheTester()
{
    Fixture f;
    GridResultModel result;
    QAbstractItemModelTester t1(&result, QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.load(result);
    f.load(result);

    GridLineModel lines;
    QAbstractItemModelTester t2(&lines, QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.load(lines);
    lines.appendRow();
    lines.setValue(5, "F_Code", "006");
    lines.removeRows(1, 2);
    lines.revert();
    QCOMPARE(lines.rowCount(), 5);

    DataGrid grid;
    QAbstractItemModelTester t3(grid.viewModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    grid.setColumns(designedColumns());
    grid.setSourceModel(&lines);
    grid.setTitleSort(DataGrid::TitleSort::DescendingFirst);
    grid.titleClick(0);
    lines.appendRow({{"F_Code", "000"}});
    lines.removeRows(0, 1);
    lines.setValue(0, "F_Amount", 3.0);
    grid.moveGridColumn(0, 2);
    grid.setSourceModel(&result);
    grid.titleClick(1);
    result.close();
}

void TstDataGrid::columnsFormatsAndFooters()
{
    Fixture f;
    GridResultModel m;
    f.load(m);
    DataGrid grid;
    grid.setColumns(designedColumns());
    grid.setSourceModel(&m);
    grid.setFooterVisible(true);
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    QCOMPARE(columnTexts(grid, 2), (QStringList{"5.00", "-2.00", "12.50", "", "7.00"}));
    QCOMPARE(grid.footerText(0), QStringLiteral("合  计"));
    QCOMPARE(grid.footerText(1), QString());
    QCOMPARE(grid.footerText(2), QStringLiteral("22.50"));
    // Numbers align right by default, texts left; a set alignment wins.
    QCOMPARE(grid.viewModel()->cellAlignment(2), Qt::AlignRight);
    QCOMPARE(grid.viewModel()->cellAlignment(1), Qt::AlignLeft);
    grid.editColumn(1, [](GridColumn &c) { c.setAlignment(GridColumn::Align::Center); });
    QCOMPARE(grid.viewModel()->cellAlignment(1), Qt::AlignHCenter);
    QCOMPARE(grid.viewModel()->footerAlignment(1), Qt::AlignHCenter);
    // The footer sits under the rows, as wide as the viewport.
    QVERIFY(grid.footerBar()->isVisible());
    QCOMPARE(grid.footerBar()->width(), grid.viewport()->width());
    QVERIFY(grid.footerBar()->geometry().top() > grid.viewport()->geometry().bottom());
    // Widths and hidden columns reach the header.
    QCOMPARE(grid.horizontalHeader()->sectionSize(1), 100);
    grid.setGridColumnVisible(3, false);
    QVERIFY(grid.isColumnHidden(3));
    grid.horizontalHeader()->resizeSection(1, 140);
    QCOMPARE(grid.gridColumn(1).width, 140);
    // A column whose field the result lacks stays empty.
    grid.appendColumn(GridColumn("F_Missing", "缺"));
    QCOMPARE(grid.viewModel()->cellText(0, 4), QString());
}

void TstDataGrid::titleClickSortsDescendingFirst()
{
    Fixture f;
    GridResultModel m;
    f.load(m);
    DataGrid grid;
    grid.setColumns(designedColumns());
    grid.setSourceModel(&m);
    grid.setTitleSort(DataGrid::TitleSort::DescendingFirst);

    grid.titleClick(2);
    QCOMPARE(grid.gridColumn(2).sortMarker, GridColumn::SortMarker::Up);
    QCOMPARE(columnTexts(grid, 2), (QStringList{"12.50", "7.00", "5.00", "-2.00", ""}));
    grid.titleClick(2);
    QCOMPARE(grid.gridColumn(2).sortMarker, GridColumn::SortMarker::Down);
    QCOMPARE(columnTexts(grid, 2), (QStringList{"", "-2.00", "5.00", "7.00", "12.50"}));
    grid.titleClick(2);
    QCOMPARE(grid.gridColumn(2).sortMarker, GridColumn::SortMarker::Up);
    QCOMPARE(columnTexts(grid, 2), (QStringList{"12.50", "7.00", "5.00", "-2.00", ""}));
    // Only the clicked column's marker changes.
    grid.titleClick(0);
    QCOMPARE(grid.gridColumn(0).sortMarker, GridColumn::SortMarker::Up);
    QCOMPARE(grid.gridColumn(2).sortMarker, GridColumn::SortMarker::Up);
    QCOMPARE(columnTexts(grid, 0), (QStringList{"005", "004", "003", "002", "001"}));
    // The real title click does the same.
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(grid.horizontalHeader()->sectionViewportPosition(0) + 5, 5));
    QCOMPARE(grid.gridColumn(0).sortMarker, GridColumn::SortMarker::Down);
    QCOMPARE(columnTexts(grid, 0), (QStringList{"001", "002", "003", "004", "005"}));
    // A new result arrives unsorted, without markers.
    f.load(m);
    QCOMPARE(grid.gridColumn(0).sortMarker, GridColumn::SortMarker::None);
    QCOMPARE(grid.gridColumn(2).sortMarker, GridColumn::SortMarker::None);
    QCOMPARE(columnTexts(grid, 0).first(), QStringLiteral("003"));
}

void TstDataGrid::titleClickAscendingFirstAndRemarks()
{
    Fixture f;
    GridResultModel m;
    f.load(m);
    DataGrid grid;
    grid.setColumns(designedColumns());
    grid.setSourceModel(&m);
    grid.setTitleSort(DataGrid::TitleSort::AscendingFirst);
    grid.titleClick(0);
    QCOMPARE(columnTexts(grid, 0), (QStringList{"001", "002", "003", "004", "005"}));
    grid.titleClick(0);
    QCOMPARE(columnTexts(grid, 0), (QStringList{"005", "004", "003", "002", "001"}));

    // A remarks column changes its marker but does not sort.
    const QStringList before = columnTexts(grid, 3);
    grid.titleClick(3);
    QCOMPARE(grid.gridColumn(3).sortMarker, GridColumn::SortMarker::Up);
    QCOMPARE(columnTexts(grid, 3), before);
    // Unless the window sorts remarks too.
    grid.setSortRemarks(true);
    grid.titleClick(3);
    QCOMPARE(columnTexts(grid, 3), (QStringList{"d", "c", "b", "a", ""}));
}

void TstDataGrid::titleClickDoesNothingWhileClosed()
{
    GridResultModel m;
    DataGrid grid;
    grid.setColumns(designedColumns());
    grid.setSourceModel(&m);
    grid.setTitleSort(DataGrid::TitleSort::DescendingFirst);
    grid.titleClick(0);
    QCOMPARE(grid.gridColumn(0).sortMarker, GridColumn::SortMarker::None);
    // Windows without the handler: markers never change.
    Fixture f;
    f.load(m);
    grid.setTitleSort(DataGrid::TitleSort::None);
    grid.titleClick(0);
    QCOMPARE(grid.gridColumn(0).sortMarker, GridColumn::SortMarker::None);
    QCOMPARE(columnTexts(grid, 0).first(), QStringLiteral("003"));
}

void TstDataGrid::sortingKeepsCurrentRow()
{
    Fixture f;
    GridResultModel m;
    f.load(m);
    DataGrid grid;
    grid.setColumns(designedColumns());
    grid.setSourceModel(&m);
    grid.setRowSelect(true);
    grid.setTitleSort(DataGrid::TitleSort::AscendingFirst);
    grid.setCurrentRow(2); // code 004
    QCOMPARE(grid.currentSourceRow(), 2);
    grid.titleClick(0);
    QCOMPARE(grid.currentSourceRow(), 2);
    QCOMPARE(grid.currentRow(), 3);
    QCOMPARE(grid.viewModel()->cellText(grid.currentRow(), 0), QStringLiteral("004"));
}

void TstDataGrid::chineseTextSortsByPinyin()
{
    Fixture f;
    GridResultModel m;
    f.load(m);
    DataGrid grid;
    grid.setColumns(designedColumns());
    grid.setSourceModel(&m);
    grid.sortRows(1, Qt::AscendingOrder);
    // an(qing), bei(jing), bei(jing), shang(hai), tian(jin); equal names keep their order.
    QCOMPARE(columnTexts(grid, 1), (QStringList{"安庆", "北京", "北京", "上海", "天津"}));
    QCOMPARE(columnTexts(grid, 0), (QStringList{"002", "001", "005", "003", "004"}));
    // Letters sort without regard to case.
    GridLineModel lines;
    lines.setFields({"F_Name"});
    for (const char *n : {"beta", "Alpha", "alpha2", "Beta1"})
        lines.appendRow({{"F_Name", n}});
    QCOMPARE(lines.sortedRows(0, Qt::AscendingOrder), (QVector<int>{1, 2, 0, 3}));
}

void TstDataGrid::rowColoursAndSelection()
{
    Fixture f;
    GridResultModel m;
    f.load(m);
    DataGrid grid;
    grid.setColumns(designedColumns());
    grid.setSourceModel(&m);
    grid.setRowStyleHook(DataGrid::redWhenNegative("F_Amount"));
    const QAbstractItemModel *vm = grid.model();
    QCOMPARE(vm->index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QVERIFY(!vm->index(0, 0).data(Qt::ForegroundRole).isValid());
    grid.setRowStyleHook(DataGrid::redWhenFlag("F_Flag"));
    QCOMPARE(vm->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QCOMPARE(vm->index(1, 1).data(Qt::BackgroundRole).value<QColor>(), QPalette().color(QPalette::Button));
    QVERIFY(!vm->index(2, 1).data(Qt::ForegroundRole).isValid());

    grid.setRowSelect(true);
    grid.setMultiSelect(true);
    grid.selectionModel()->select(vm->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    grid.selectionModel()->select(vm->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(grid.selectedSourceRows(), (QList<int>{1, 3}));
    grid.sortRows(0, Qt::AscendingOrder); // rows 1 (001) and 3 (002) come first
    QCOMPARE(grid.selectedSourceRows(), (QList<int>{1, 3}));
    QVERIFY(grid.selectionModel()->isRowSelected(0, {}));
    QVERIFY(grid.selectionModel()->isRowSelected(1, {}));
}

void TstDataGrid::lineModelEditsUpdateFooter()
{
    Fixture f;
    GridLineModel lines;
    f.load(lines);
    DataGrid grid;
    grid.setColumns(designedColumns());
    grid.setSourceModel(&lines);
    QCOMPARE(grid.footerText(2), QStringLiteral("22.50"));
    QVERIFY(!lines.isDirty());
    QVERIFY(lines.setValue(0, "F_Amount", 10.0));
    QCOMPARE(grid.footerText(2), QStringLiteral("27.50"));
    QCOMPARE(lines.rowState(0), GridLineModel::RowState::Changed);
    const int r = lines.appendRow({{"F_Code", "006"}, {"F_Amount", 0.25}});
    QCOMPARE(r, 5);
    QCOMPARE(lines.rowState(5), GridLineModel::RowState::Inserted);
    QCOMPARE(grid.footerText(2), QStringLiteral("27.75"));
    lines.removeRows(1, 1);
    QCOMPARE(grid.footerText(2), QStringLiteral("29.75"));
    QCOMPARE(lines.deletedCount(), 1);
    QVERIFY(lines.isDirty());
    lines.revert();
    QVERIFY(!lines.isDirty());
    QCOMPARE(grid.footerText(2), QStringLiteral("22.50"));
    // Setting a value back to what was loaded leaves the row unchanged.
    lines.setValue(2, "F_Code", "x");
    lines.setValue(2, "F_Code", "004");
    QCOMPARE(lines.rowState(2), GridLineModel::RowState::Changed);
    // Through the grid (view order) while sorted: the edit reaches the right source row.
    grid.setReadOnly(false);
    grid.sortRows(0, Qt::DescendingOrder); // 005 first = source row 4
    QVERIFY(grid.model()->setData(grid.model()->index(0, 2), QStringLiteral("8")));
    QCOMPARE(lines.value(4, "F_Amount").toDouble(), 8.0);
    QCOMPARE(grid.footerText(2), QStringLiteral("23.50"));
}

void TstDataGrid::lineModelTypesTypedText()
{
    Fixture f;
    GridLineModel lines;
    f.load(lines);
    // The amount field is a number: typed text becomes a number, empty text an empty value,
    // and a text that is not a number is refused.
    QVERIFY(lines.setData(lines.index(0, lines.fieldIndex("F_Amount")), QStringLiteral(" 3.5 ")));
    QCOMPARE(lines.value(0, "F_Amount").typeId(), int(QMetaType::Double));
    QCOMPARE(lines.value(0, "F_Amount").toDouble(), 3.5);
    QVERIFY(lines.setData(lines.index(0, lines.fieldIndex("F_Amount")), QString()));
    QVERIFY(lines.value(0, "F_Amount").isNull());
    QVERIFY(!lines.setData(lines.index(0, lines.fieldIndex("F_Amount")), QStringLiteral("abc")));
    QVERIFY(lines.value(0, "F_Amount").isNull());
    // Text fields keep text as typed.
    QVERIFY(lines.setData(lines.index(0, lines.fieldIndex("F_Code")), QStringLiteral("00012")));
    QCOMPARE(lines.value(0, "F_Code").toString(), QStringLiteral("00012"));
}

void TstDataGrid::prepareLineGridForEdit()
{
    GridLineModel lines;
    lines.setFields({"F_goodCode", "F_goodName", "F_type", "F_spec", "F_address", "F_unit", "F_amount", "F_price"});
    lines.appendRow();
    DataGrid grid;
    grid.setSourceModel(&lines);
    grid.editColumn(6, [](GridColumn &c) { c.readOnly = true; });
    QVERIFY(grid.isReadOnly());
    QVERIFY(!(grid.model()->flags(grid.model()->index(0, 0)) & Qt::ItemIsEditable));
    PrepareLineGridForEdit(&grid);
    QVERIFY(!grid.isReadOnly());
    const QStringList readOnly{"F_goodName", "F_type", "F_spec", "F_address", "F_unit"};
    for (int c = 0; c < grid.gridColumnCount(); ++c) {
        const bool editable = grid.model()->flags(grid.model()->index(0, c)) & Qt::ItemIsEditable;
        QCOMPARE(editable, !readOnly.contains(grid.gridColumn(c).fieldName));
    }
    const GridColumn good = grid.gridColumn(grid.findColumn("f_goodname"));
    QVERIFY(good.editButton);
    QVERIFY(good.editButtonAlways);
    QVERIFY(!grid.gridColumn(0).editButton);
}

void TstDataGrid::editButtonEmitsFieldAndRow()
{
    GridLineModel lines;
    lines.setFields({"F_goodCode", "F_goodName"});
    lines.appendRow({{"F_goodCode", "A"}});
    lines.appendRow({{"F_goodCode", "B"}});
    DataGrid grid;
    grid.setSourceModel(&lines);
    PrepareLineGridForEdit(&grid);
    grid.resize(400, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy spy(&grid, &DataGrid::editButtonClicked);
    const QRect cell = grid.visualRect(grid.model()->index(1, 1));
    // The button sits at the right end of the cell, on every row.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(cell.right() - 6, cell.center().y()));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("F_goodName"));
    QCOMPARE(spy.at(0).at(1).toInt(), 1);
    // Clicking the cell's text part does not press the button.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 5, cell.center().y()));
    QCOMPARE(spy.count(), 1);
    // Ctrl+Enter on the cell presses it too.
    grid.setCurrentIndex(grid.model()->index(0, 1));
    QTest::keyClick(&grid, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(1).toInt(), 0);
}

void TstDataGrid::chooseColumnsOkAndCancel()
{
    DataGrid grid;
    grid.setColumns(designedColumns());
    grid.setGridColumnVisible(3, false);
    auto answer = [](bool accept) {
        QTimer::singleShot(0, [accept] {
            auto *dlg = qobject_cast<TFrmDispFieldXZ *>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            QCOMPARE(dlg->windowTitle(), QStringLiteral("字段列表"));
            QCOMPARE(dlg->fieldCount(), 4);
            QCOMPARE(dlg->CheckListBox1->item(0)->text(), QStringLiteral("编号"));
            QVERIFY(dlg->isChecked(0));
            QVERIFY(!dlg->isChecked(3));
            dlg->setChecked(1, false);
            dlg->setChecked(3, true);
            (accept ? dlg->btnOK : dlg->btnCancel)->click();
        });
    };
    answer(false);
    ChooseGridColumns(&grid);
    QVERIFY(grid.gridColumn(1).visible);
    QVERIFY(!grid.gridColumn(3).visible);
    answer(true);
    ChooseGridColumns(&grid);
    QVERIFY(!grid.gridColumn(1).visible);
    QVERIFY(grid.gridColumn(3).visible);
    QVERIFY(grid.isColumnHidden(1));
    QVERIFY(!grid.isColumnHidden(3));
}

void TstDataGrid::popupMenuEntries()
{
    DataGrid grid;
    grid.setColumns(designedColumns());
    grid.enableLayoutMenu("goodgl");
    QCOMPARE(grid.layoutName(), QStringLiteral("goodgl"));
    const QList<QAction *> acts = grid.popupMenu()->actions();
    QCOMPARE(acts.size(), 2);
    QCOMPARE(acts.at(0)->text(), QStringLiteral("显示字段列表"));
    QCOMPARE(acts.at(1)->text(), QStringLiteral("保存当前设置"));
    QCOMPARE(acts.at(0)->objectName(), QStringLiteral("actDisp"));
    QCOMPARE(acts.at(1)->objectName(), QStringLiteral("actSave"));
    // Declining the question saves nothing (no data module is even needed).
    MessageScript msgs;
    msgs.answer(2);
    grid.saveLayoutAction()->trigger();
    QCOMPARE(msgs.texts(), QStringList{QStringLiteral("真的要保存当前网格设置吗？")});
    QCOMPARE(msgs.shown().first().kind, int(MessQuestion));
}

void TstDataGrid::numberFormatProfiles_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("kind");
    using K = NumberFormats::Kind;
    QTest::newRow("1 totalPrice") << 1 << "F_totalPrice" << int(K::Amount);
    QTest::newRow("1 price") << 1 << "F_price" << int(K::Price);
    QTest::newRow("1 amount") << 1 << "F_amount" << int(K::Quantity);
    QTest::newRow("1 rate") << 1 << "F_rate" << int(K::Quantity);
    QTest::newRow("1 cbprice") << 1 << "F_CBprice" << int(K::Amount);
    QTest::newRow("1 code") << 1 << "F_Code" << int(K::None);
    QTest::newRow("2 totalprice") << 2 << "F_TotalPrice" << int(K::Amount);
    QTest::newRow("2 price") << 2 << "F_price" << int(K::None);
    QTest::newRow("3 enterPrice") << 3 << "F_enterPrice" << int(K::Amount);
    QTest::newRow("3 enter") << 3 << "F_enter" << int(K::Quantity);
    QTest::newRow("3 endprice") << 3 << "F_EndPrice" << int(K::Amount);
    QTest::newRow("3 outAmount") << 3 << "F_outAmount" << int(K::Quantity);
    QTest::newRow("4 rate") << 4 << "F_wgRate" << int(K::Quantity);
    QTest::newRow("4 yinWg") << 4 << "F_yinWg" << int(K::Quantity);
    QTest::newRow("4 yinWg2") << 4 << "F_yinWg2" << int(K::Amount);
    QTest::newRow("4 yiTH2") << 4 << "F_yiTH2" << int(K::Amount);
    QTest::newRow("4 name") << 4 << "F_name" << int(K::None);
    QTest::newRow("5 begin") << 5 << "F_Begin" << int(K::Amount);
    QTest::newRow("5 code") << 5 << "F_code" << int(K::None);
    QTest::newRow("6 unknown profile") << 6 << "F_totalPrice" << int(K::None);
}

void TstDataGrid::numberFormatProfiles()
{
    QFETCH(int, profile);
    QFETCH(QString, field);
    QFETCH(int, kind);
    QCOMPARE(int(NumberFormats::kindForField(field, profile)), kind);
}

void TstDataGrid::buildNumberFormats()
{
    Session &s = Session::instance();
    struct Case {
        int q, p, a;
        const char *fq, *fp, *fa;
    } cases[] = {{0, 3, 2, "0.", "￥,0.00#", "￥,0.00"},
                 {2, 4, 0, "0.##", "￥,0.00##", "￥,0."},
                 {1, 1, 5, "0.#", "￥,0.0", "￥,0.00###"}};
    for (const Case &c : cases) {
        s.iAmountDec = c.q;
        s.iPriceDec = c.p;
        s.iTotalDec = c.a;
        BuildNumberFormats();
        QCOMPARE(s.sAmountFmt, QString::fromUtf8(c.fq));
        QCOMPARE(s.sPriceFmt, QString::fromUtf8(c.fp));
        QCOMPARE(s.sTotalFmt, QString::fromUtf8(c.fa));
    }
}

void TstDataGrid::applyNumberFormatsToGrid()
{
    Session &s = Session::instance();
    s.iAmountDec = 2;
    s.iPriceDec = 4;
    s.iTotalDec = 2;
    BuildNumberFormats();
    DataGrid grid;
    GridColumn total("F_totalPrice", "金额");
    total.setFormat("0.0000");
    grid.setColumns({GridColumn("F_Code", "编号"), GridColumn("F_price", "单价"), GridColumn("F_amount", "数量"), total});
    ApplyNumberFormats(&grid, 1);
    QCOMPARE(grid.gridColumn(0).displayFormat, QString());
    QCOMPARE(grid.gridColumn(1).displayFormat, QStringLiteral("￥,0.00##"));
    QCOMPARE(grid.gridColumn(2).displayFormat, QStringLiteral("0.##"));
    // The shared format wins over the one the column had, on cells and footer.
    QCOMPARE(grid.gridColumn(3).displayFormat, QStringLiteral("￥,0.00"));
    QCOMPARE(grid.gridColumn(3).footerFormat, QStringLiteral("￥,0.00"));
}

void TstDataGrid::customFieldColumns()
{
    Session &s = Session::instance();
    const QStringList fields{"F_ZF1", "F_ZF2", "F_ZF3", "F_ZF4", "F_ZF5", "F_SZ1", "F_SZ2", "F_SZ3", "F_RQ1", "F_RQ2", "F_RQ3"};
    for (int n = 1; n <= 11; ++n) {
        s.KeyValueText[n] = QStringLiteral("自定义%1").arg(n);
        s.KeyValueFlag[n] = n % 2 == 1;
    }
    QList<GridColumn> cols{GridColumn("F_Code", "编号")};
    for (const QString &f : fields)
        cols << GridColumn(f, f);
    DataGrid grid;
    grid.setColumns(cols);
    ApplyCustomFieldColumns(&grid);
    for (int n = 1; n <= 11; ++n) {
        QCOMPARE(grid.gridColumn(n).caption, QStringLiteral("自定义%1").arg(n));
        QCOMPARE(grid.gridColumn(n).visible, n % 2 == 1);
    }
    QCOMPARE(grid.gridColumn(0).caption, QStringLiteral("编号"));

    // A grid without F_SZ2: the captions before it are set, nothing after, no visibility.
    cols.removeAt(7);
    DataGrid partial;
    partial.setColumns(cols);
    ApplyCustomFieldColumns(&partial);
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(partial.gridColumn(n).caption, QStringLiteral("自定义%1").arg(n));
    for (int i = 7; i < partial.gridColumnCount(); ++i)
        QCOMPARE(partial.gridColumn(i).caption, partial.gridColumn(i).fieldName);
    for (int i = 0; i < partial.gridColumnCount(); ++i)
        QVERIFY(partial.gridColumn(i).visible);
}

void TstDataGrid::columnDragMovesColumn()
{
    DataGrid grid;
    grid.setColumns(designedColumns());
    grid.resize(500, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy spy(&grid, &DataGrid::columnsChanged);
    // What a title drag does: the header moves a section.
    grid.horizontalHeader()->moveSection(0, 2);
    QCOMPARE(spy.count(), 1);
    QStringList fields;
    for (const GridColumn &c : grid.columns())
        fields << c.fieldName;
    QCOMPARE(fields, (QStringList{"F_Name", "F_Amount", "F_Code", "F_Mem"}));
    // The header shows the column order again one to one, with the widths kept.
    for (int i = 0; i < 4; ++i)
        QCOMPARE(grid.horizontalHeader()->visualIndex(i), i);
    QCOMPARE(grid.horizontalHeader()->sectionSize(2), 60);
}

QTEST_MAIN(TstDataGrid)
#include "tst_datagrid.moc"
