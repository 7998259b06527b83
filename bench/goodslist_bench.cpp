// bench_goodslist: opens the goods list on a generated database and searches goods by name;
// prints the time until the grid shows its first rows next to the time of the bare SELECT
// (the same statement run and read with a plain query).
//
//   bench_generate --scale 1 --database goods1        # once, makes goods1.db
//   bench_goodslist --database goods1.db [--text 钢] [--runs 7]

#include "data/connectionsettings.h"
#include "data/numberformats.h"
#include "data/session.h"
#include "data/tdmdata.h"
#include "masterdata/goodsstatements.h"
#include "masterdata/tfrmgoodgl.h"
#include "widgets/datagrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <QToolButton>

#include <algorithm>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString ms(double v)
{
    return QString::number(v, 'f', 1) + QStringLiteral(" ms");
}

// A search text that finds a realistic share of the goods: two characters from the middle of a
// goods name.
QString pickText(TdmData &dm)
{
    QSqlQuery q(dm.db());
    q.exec(QStringLiteral("select F_Name from t_goods order by F_ID"));
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    if (names.isEmpty())
        return QString();
    const QString name = names.at(names.size() / 2);
    return name.left(2);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Times the goods list's search by name."));
    p.addHelpOption();
    const QCommandLineOption driver(QStringLiteral("driver"), QStringLiteral("sqlite (default) or postgres."), QStringLiteral("name"), QStringLiteral("sqlite"));
    const QCommandLineOption database(QStringLiteral("database"), QStringLiteral("Database file or name (default goods1.db)."), QStringLiteral("name"), QStringLiteral("goods1.db"));
    const QCommandLineOption server(QStringLiteral("server"), QStringLiteral("PostgreSQL host (default PM_PGHOST)."), QStringLiteral("host"), qEnvironmentVariable("PM_PGHOST", QStringLiteral("localhost")));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("PostgreSQL port (default PM_PGPORT)."), QStringLiteral("port"), qEnvironmentVariable("PM_PGPORT", QStringLiteral("0")));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("PostgreSQL user (default PM_PGUSER or sa)."), QStringLiteral("name"), qEnvironmentVariable("PM_PGUSER", QStringLiteral("sa")));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("PostgreSQL password (default PM_PGPASSWORD)."), QStringLiteral("text"), qEnvironmentVariable("PM_PGPASSWORD"));
    const QCommandLineOption text(QStringLiteral("text"), QStringLiteral("Name text searched (default: taken from a goods name)."), QStringLiteral("text"));
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Repetitions (default 7)."), QStringLiteral("n"), QStringLiteral("7"));
    p.addOptions({driver, database, server, port, user, password, text, runs});
    p.process(app);

    ConnectionSettings settings;
    settings.driver = p.value(driver);
    settings.database = p.value(database);
    settings.server = p.value(server);
    settings.port = p.value(port).toInt();
    settings.user = p.value(user);
    settings.password = p.value(password);
    TdmData dm;
    QString error;
    if (!dm.open(settings, QDir::currentPath(), &error)) {
        err << "bench_goodslist: " << error << Qt::endl
            << "make the data first: bench_generate --scale 1 --database goods1" << Qt::endl;
        return 1;
    }

    Session &s = Session::instance();
    s.sOperCode = QStringLiteral("000");
    s.bPrice = s.bHPedit = true;
    NumberFormats::BuildNumberFormats();
    for (int i = 1; i <= 11; ++i) {
        s.KeyValueText[i] = QStringLiteral("项%1").arg(i);
        s.KeyValueFlag[i] = i <= 5;
    }

    const QString searched = p.isSet(text) ? p.value(text) : pickText(dm);
    const int n = qMax(1, p.value(runs).toInt());
    const qint64 goods = [&] {
        QSqlQuery q(dm.db());
        q.exec(QStringLiteral("select count(*) from t_goods"));
        return q.next() ? q.value(0).toLongLong() : 0;
    }();

    // Opening the window: layout, type tree, custom columns.
    QElapsedTimer timer;
    timer.start();
    TFrmGoodGl list;
    list.resize(1200, 700);
    list.show();
    QApplication::processEvents();
    const double openMs = timer.nsecsElapsed() / 1e6;

    list.queryType()->setCurrentIndex(GoodsStatements::ByName);
    list.queryText()->setText(searched);

    GoodsStatements::ListFilter f;
    f.queryType = GoodsStatements::ByName;
    f.text = searched;
    const SqlStatement st = GoodsStatements::listStatement(f);

    std::vector<double> bare;
    std::vector<double> bareFirst;
    std::vector<double> window;
    std::vector<double> loadOnly;
    int rows = 0;
    for (int i = 0; i < n; ++i) {
        // The bare statement: executed and read to the end, every value touched.
        timer.restart();
        QSqlQuery q(dm.db());
        q.setForwardOnly(true);
        QString e;
        if (!Sql::execute(q, st.sql, st.params, &e)) {
            err << "bench_goodslist: " << e << Qt::endl;
            return 1;
        }
        bool first = true;
        int count = 0;
        const int fields = q.record().count();
        while (q.next()) {
            if (first) {
                bareFirst.push_back(timer.nsecsElapsed() / 1e6);
                first = false;
            }
            for (int c = 0; c < fields; ++c)
                (void)q.value(c);
            ++count;
        }
        bare.push_back(timer.nsecsElapsed() / 1e6);
        rows = count;

        // The window: the search button until the grid has painted its first rows.
        timer.restart();
        list.searchButton()->click();
        loadOnly.push_back(timer.nsecsElapsed() / 1e6);
        list.grid()->viewport()->repaint();
        window.push_back(timer.nsecsElapsed() / 1e6);
        if (list.rowCount() != count) {
            err << "bench_goodslist: the window shows " << list.rowCount() << " rows, the statement " << count << Qt::endl;
            return 1;
        }
    }
    // Painting alone, the rows already loaded.
    std::vector<double> paints;
    for (int i = 0; i < n; ++i) {
        timer.restart();
        list.grid()->viewport()->repaint();
        paints.push_back(timer.nsecsElapsed() / 1e6);
    }
    // The whole list (no text), the heaviest search of the window.
    list.queryType()->setCurrentIndex(-1);
    std::vector<double> all;
    std::vector<double> allBare;
    GoodsStatements::ListFilter none;
    const SqlStatement allSt = GoodsStatements::listStatement(none);
    for (int i = 0; i < n; ++i) {
        timer.restart();
        QSqlQuery q(dm.db());
        q.setForwardOnly(true);
        QString e;
        Sql::execute(q, allSt.sql, allSt.params, &e);
        const int fields = q.record().count();
        while (q.next())
            for (int c = 0; c < fields; ++c)
                (void)q.value(c);
        allBare.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        list.searchButton()->click();
        list.grid()->viewport()->repaint();
        all.push_back(timer.nsecsElapsed() / 1e6);
    }

    const double b = median(bare);
    const double w = median(window);
    out << "database:            " << settings.driver << " " << settings.database << " (" << goods << " goods)" << Qt::endl;
    out << "open goods list:     " << ms(openMs) << Qt::endl;
    out << "search by name:      \"" << searched << "\", " << rows << " rows, median of " << n << Qt::endl;
    out << "  bare SELECT:       " << ms(b) << " (first row after " << ms(median(bareFirst)) << ")" << Qt::endl;
    out << "  window, first rows:" << ' ' << ms(w) << " (loaded after " << ms(median(loadOnly)) << ", then painted)" << Qt::endl;
    out << "  ratio:             " << QString::number(b > 0 ? w / b : 0, 'f', 2) << "x (target <= 1.5x and < 100 ms)" << Qt::endl;
    out << "  repaint alone:     " << ms(median(paints)) << Qt::endl;
    out << "whole list:          " << list.rowCount() << " rows" << Qt::endl;
    out << "  bare SELECT:       " << ms(median(allBare)) << Qt::endl;
    out << "  window, first rows: " << ms(median(all)) << Qt::endl;
    return 0;
}
