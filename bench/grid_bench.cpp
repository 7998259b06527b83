// bench_grid: loads a million-row result into the data grid and measures what an operator
// waits for: the bare SELECT, loading the grid's model, the footer sums, sorting by a number,
// a code and a Chinese name column, and painting the visible rows; with the memory held.
//
//   bench_grid [--rows N] [--database file.db --select "SELECT ..."]
//
// Without --database it writes N rows (default 1,000,000) of goods lines into a temporary
// SQLite database first.

#include "data/sqlparams.h"
#include "widgets/datagrid.h"
#include "widgets/gridresultmodel.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>

namespace {

QTextStream out(stdout);

// Resident and peak resident memory of the process in MiB (Linux).
QPair<double, double> memoryMiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    double rss = 0, hwm = 0;
    if (f.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : f.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                rss = line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
            else if (line.startsWith("VmHWM:"))
                hwm = line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
    return {rss, hwm};
}

// CPU time of the process, so that figures stay meaningful on a busy machine.
std::clock_t g_cpuMark = std::clock();

void start(QElapsedTimer &t)
{
    t.start();
    g_cpuMark = std::clock();
}

void report(const char *what, qint64 ms, const QString &extra = QString())
{
    const auto m = memoryMiB();
    const std::clock_t now = std::clock();
    const qint64 cpu = qint64(double(now - g_cpuMark) * 1000.0 / CLOCKS_PER_SEC);
    g_cpuMark = now;
    out << QStringLiteral("%1 %2 ms (cpu %6 ms)   rss %3 MiB  peak %4 MiB  %5")
               .arg(QString::fromLatin1(what).leftJustified(34, QLatin1Char('.')))
               .arg(ms, 7)
               .arg(m.first, 7, 'f', 1)
               .arg(m.second, 7, 'f', 1)
               .arg(extra)
               .arg(cpu, 6)
        << Qt::endl;
}

bool generate(QSqlDatabase &db, int rows)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("CREATE TABLE lines (F_ID INTEGER PRIMARY KEY, F_Code TEXT, F_GoodCode TEXT, "
                               "F_GoodName TEXT, F_Unit TEXT, F_Amount REAL, F_Price REAL, F_TotalPrice REAL, "
                               "F_MakeDate TEXT, F_Mem TEXT)")))
        return false;
    static const QString syllables = QStringLiteral("华东南北中天海山川江河金银铜铁木水火土石玉明光新大小上下左右红绿蓝白黑方圆长短高低");
    static const QStringList units{QStringLiteral("个"), QStringLiteral("箱"), QStringLiteral("公斤"), QStringLiteral("米")};
    QRandomGenerator rng(20261211);
    QStringList names;
    for (int i = 0; i < 20000; ++i) {
        QString n;
        const int len = 2 + int(rng.bounded(3));
        for (int k = 0; k < len; ++k)
            n += syllables.at(int(rng.bounded(syllables.size())));
        names << n + QStringLiteral("牌") + QString::number(i % 97);
    }
    db.transaction();
    q.prepare(QStringLiteral("INSERT INTO lines (F_Code, F_GoodCode, F_GoodName, F_Unit, F_Amount, F_Price, "
                             "F_TotalPrice, F_MakeDate, F_Mem) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QDate start(2023, 1, 1);
    for (int i = 0; i < rows; ++i) {
        const int good = int(rng.bounded(20000));
        const double amount = double(int(rng.bounded(2000)) - 100) / 4.0;
        const double price = double(int(rng.bounded(100000))) / 100.0;
        q.addBindValue(QStringLiteral("CGD%1%2").arg(start.addDays(i / 900).toString(QStringLiteral("yyyyMMdd"))).arg(i % 900, 3, 10, QLatin1Char('0')));
        q.addBindValue(QStringLiteral("G%1").arg(good, 6, 10, QLatin1Char('0')));
        q.addBindValue(names.at(good));
        q.addBindValue(units.at(good % units.size()));
        q.addBindValue(amount);
        q.addBindValue(price);
        q.addBindValue(Sql::roundMoney(amount * price));
        q.addBindValue(start.addDays(i / 900).toString(QStringLiteral("yyyy-MM-dd")));
        q.addBindValue(i % 7 == 0 ? QVariant(QStringLiteral("备注%1").arg(i % 50)) : QVariant(QMetaType::fromType<QString>()));
        if (!q.exec())
            return false;
    }
    return db.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Data grid with a million rows: load, footer sums, sorting, painting."));
    p.addHelpOption();
    const QCommandLineOption rowsOpt(QStringLiteral("rows"), QStringLiteral("Rows to generate (default 1000000)."),
                                     QStringLiteral("n"), QStringLiteral("1000000"));
    const QCommandLineOption dbOpt(QStringLiteral("database"), QStringLiteral("An existing SQLite database to read."),
                                   QStringLiteral("file"));
    const QCommandLineOption selectOpt(QStringLiteral("select"), QStringLiteral("The statement to run on it."),
                                       QStringLiteral("sql"),
                                       QStringLiteral("SELECT F_Code, F_GoodCode, F_GoodName, F_Unit, F_Amount, F_Price, "
                                                      "F_TotalPrice, F_MakeDate, F_Mem FROM lines"));
    p.addOptions({rowsOpt, dbOpt, selectOpt});
    p.process(app);

    QTemporaryDir tmp;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
    const bool own = !p.isSet(dbOpt);
    db.setDatabaseName(own ? tmp.filePath(QStringLiteral("bench.db")) : p.value(dbOpt));
    if (!db.open()) {
        out << "cannot open database: " << db.lastError().text() << Qt::endl;
        return 1;
    }
    QElapsedTimer t;
    report("start", 0);
    if (own) {
        const int rows = p.value(rowsOpt).toInt();
        start(t);
        if (!generate(db, rows)) {
            out << "generating failed: " << db.lastError().text() << Qt::endl;
            return 1;
        }
        report("generate rows (setup)", t.elapsed(), QStringLiteral("%1 rows").arg(rows));
    }
    const QString select = p.value(selectOpt);

    // The floor: the same statement, read forward, every value fetched and dropped.
    qint64 bareMs = 0;
    int columns = 0;
    {
        start(t);
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(select)) {
            out << "query failed: " << q.lastError().text() << Qt::endl;
            return 1;
        }
        columns = q.record().count();
        qint64 n = 0;
        while (q.next()) {
            for (int i = 0; i < columns; ++i)
                q.value(i);
            ++n;
        }
        bareMs = t.elapsed();
        report("bare SELECT, all values read", bareMs, QStringLiteral("%1 rows x %2 columns").arg(n).arg(columns));
    }

    GridResultModel model;
    {
        start(t);
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.exec(select);
        model.loadFrom(q);
        const qint64 ms = t.elapsed();
        report("load into the grid model", ms,
               QStringLiteral("%1x the bare SELECT, model holds %2 MiB (%3 bytes/row)")
                   .arg(double(ms) / std::max<qint64>(1, bareMs), 0, 'f', 2)
                   .arg(model.bytes() / 1048576.0, 0, 'f', 1)
                   .arg(model.rowCount() ? model.bytes() / model.rowCount() : 0));
    }

    DataGrid grid;
    QList<GridColumn> cols;
    for (const QString &f : model.fieldNames()) {
        GridColumn c(f, f, 90);
        const QString l = f.toLower();
        if (l.contains(QLatin1String("amount"))) {
            c.setFormat(QStringLiteral("0.##"));
            c.setFooterSum();
        } else if (l.contains(QLatin1String("price"))) {
            c.setFormat(QStringLiteral("￥,0.00"));
            c.setFooterSum();
        }
        cols << c;
    }
    if (!cols.isEmpty())
        cols.first().setFooterText(QStringLiteral("合  计"));
    grid.setColumns(cols);
    start(t);
    grid.setSourceModel(&model);
    grid.setFooterVisible(true);
    grid.resize(1200, 700);
    grid.show();
    report("attach to the grid and show", t.elapsed());

    start(t);
    QStringList sums;
    for (int c = 0; c < grid.gridColumnCount(); ++c)
        if (grid.gridColumn(c).footerType == GridColumn::FooterType::Sum)
            sums << grid.gridColumn(c).fieldName + QLatin1Char('=') + grid.footerText(c);
    report("footer sums (first time)", t.elapsed(), sums.join(QStringLiteral("  ")));
    start(t);
    for (int c = 0; c < grid.gridColumnCount(); ++c)
        grid.footerText(c);
    report("footer texts again (cached)", t.elapsed());

    QImage image(grid.size(), QImage::Format_ARGB32);
    auto paint = [&](const char *what) {
        start(t);
        grid.render(&image);
        report(what, t.elapsed());
    };
    paint("paint the visible rows");

    auto sortBy = [&](const QString &field, Qt::SortOrder order, const char *what) {
        const int c = grid.findColumn(field);
        if (c < 0)
            return;
        start(t);
        grid.sortRows(c, order);
        report(what, t.elapsed(), QStringLiteral("first: %1").arg(grid.viewModel()->cellText(0, c)));
    };
    sortBy(QStringLiteral("F_TotalPrice"), Qt::DescendingOrder, "sort by amount (number)");
    sortBy(QStringLiteral("F_Code"), Qt::AscendingOrder, "sort by document code (text)");
    sortBy(QStringLiteral("F_GoodName"), Qt::AscendingOrder, "sort by goods name (Chinese)");
    sortBy(QStringLiteral("F_MakeDate"), Qt::DescendingOrder, "sort by date (text)");
    paint("paint after sorting");
    grid.setCurrentRow(grid.viewModel()->rowCount() - 1);
    paint("jump to the last row and paint");
    report("end", 0);
    return 0;
}
