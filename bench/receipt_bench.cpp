// bench_receipt: the purchase receipt window on a generated database. Times
//   - opening a day with 500 receipts (the day's list loaded, the last receipt and its lines
//     shown), and
//   - saving a new receipt of 200 lines through the window (lines and master row in one
//     transaction, the day's list and the lines read again),
// and prints the medians. The 500 receipts are added on a day the generated data leaves empty
// and removed again at the end, together with the receipts the save runs stored.
//
//   bench_generate --scale 1 --database receipts1      # once, makes receipts1.db
//   bench_receipt --database receipts1.db [--runs 9]

#include "data/connectionsettings.h"
#include "data/numberformats.h"
#include "data/session.h"
#include "data/tdmdata.h"
#include "documents/documentlinemodel.h"
#include "documents/tfrmincaigoudeptgl.h"
#include "platform/showmess.h"
#include "widgets/gridresultmodel.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTextStream>
#include <QToolButton>

#include <algorithm>
#include <vector>

namespace {

const QDate kBusyDay(2099, 6, 1);
const QDate kQuietDay(2099, 6, 2);

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

void loginAsAdministrator(TdmData &dm)
{
    Session &s = Session::instance();
    s.sOperCode = QStringLiteral("000");
    s.sOperName = QStringLiteral("系统管理员");
    s.bNew = s.bEdit = s.bDel = s.bCheck = s.bSet = s.bPrice = true;
    s.iCKflag = 0;
    s.iAmountDec = dm.QueryInt(QStringLiteral("select F_iAmount from SysInfo"));
    s.iPriceDec = dm.QueryInt(QStringLiteral("select F_iPrice from SysInfo"));
    s.iTotalDec = dm.QueryInt(QStringLiteral("select F_iTotal from SysInfo"));
    NumberFormats::BuildNumberFormats();
    s.bLastPrice = true;
}

struct GoodsRow {
    QString code, name, type, spec, unit;
    double price;
};

std::vector<GoodsRow> someGoods(TdmData &dm, int count)
{
    std::vector<GoodsRow> goods;
    QSqlQuery q(dm.db());
    q.exec(QStringLiteral("select F_Code, F_Name, F_Type, F_Spec, F_Unit, F_EnterPrice from t_goods "
                          "where coalesce(F_Flag,0) = 0 order by F_ID limit %1").arg(count));
    while (q.next())
        goods.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                         q.value(4).toString(), q.value(5).toDouble()});
    return goods;
}

// 500 receipts of 6 lines each entered on the busy day (once).
void fillBusyDay(TdmData &dm, const std::vector<GoodsRow> &goods)
{
    const QString day = Sql::date(kBusyDay).toString();
    if (dm.QueryInt(QStringLiteral("select count(*) from depotM where F_date = :d"), {{QStringLiteral("d"), day}}) >= 500)
        return;
    const QString supplier = dm.QueryString(QStringLiteral("select F_Name from t_client where coalesce(F_operFlag,0) = 0 order by F_ID limit 1"));
    DbTransaction tx(dm);
    QSqlQuery line(dm.db());
    line.prepare(QStringLiteral("insert into depotD (F_Code, F_GoodCode, F_GoodName, F_Type, F_Spec, F_Unit, F_Amount, "
                                "F_Price, F_Rate, F_TotalPrice) values (?, ?, ?, ?, ?, ?, ?, ?, 1, ?)"));
    QSqlQuery master(dm.db());
    master.prepare(QStringLiteral("insert into depotM (F_Code, F_Flag, F_OperFlag, F_MakeDate, F_date, F_Client, F_Depot, "
                                  "F_Maker, F_Amount, F_TotalPrice) values (?, 1, 1, ?, ?, ?, '一号仓库', '系统管理员', ?, ?)"));
    for (int r = 0; r < 500; ++r) {
        const QString code = QStringLiteral("CGD%1%2").arg(kBusyDay.toString(QStringLiteral("yyyyMMdd"))).arg(r + 1, 3, 10, QLatin1Char('0'));
        double amount = 0, total = 0;
        for (int i = 0; i < 6; ++i) {
            const GoodsRow &g = goods[size_t((r * 6 + i) % int(goods.size()))];
            const double qty = 1 + (r + i) % 7;
            for (const QVariant &v : {QVariant(code), QVariant(g.code), QVariant(g.name), QVariant(g.type), QVariant(g.spec),
                                      QVariant(g.unit), QVariant(qty), QVariant(g.price), QVariant(Sql::roundMoney(qty * g.price))})
                line.addBindValue(v);
            line.exec();
            amount += qty;
            total += Sql::roundMoney(qty * g.price);
        }
        for (const QVariant &v : {QVariant(code), QVariant(day), QVariant(day), QVariant(supplier), QVariant(amount), QVariant(total)})
            master.addBindValue(v);
        master.exec();
    }
    tx.commit();
}

void removeBenchRows(TdmData &dm, const QStringList &savedCodes)
{
    const QString day = Sql::date(kBusyDay).toString();
    dm.exec(QStringLiteral("delete from depotD where F_Code in (select F_Code from depotM where F_date = :d)"), {{QStringLiteral("d"), day}});
    dm.exec(QStringLiteral("delete from depotM where F_date = :d"), {{QStringLiteral("d"), day}});
    for (const QString &code : savedCodes) {
        dm.exec(QStringLiteral("delete from depotD where F_Code = :c"), {{QStringLiteral("c"), code}});
        dm.exec(QStringLiteral("delete from depotM where F_Code = :c"), {{QStringLiteral("c"), code}});
    }
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
    p.setApplicationDescription(QStringLiteral("Times opening a busy day and saving a long receipt in the receipt window."));
    p.addHelpOption();
    const QCommandLineOption driver(QStringLiteral("driver"), QStringLiteral("sqlite (default) or postgres."), QStringLiteral("name"), QStringLiteral("sqlite"));
    const QCommandLineOption database(QStringLiteral("database"), QStringLiteral("Database file or name (default receipts1.db)."), QStringLiteral("name"), QStringLiteral("receipts1.db"));
    const QCommandLineOption server(QStringLiteral("server"), QStringLiteral("PostgreSQL host (default PM_PGHOST)."), QStringLiteral("host"), qEnvironmentVariable("PM_PGHOST", QStringLiteral("localhost")));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("PostgreSQL port (default PM_PGPORT)."), QStringLiteral("port"), qEnvironmentVariable("PM_PGPORT", QStringLiteral("0")));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("PostgreSQL user (default PM_PGUSER or sa)."), QStringLiteral("name"), qEnvironmentVariable("PM_PGUSER", QStringLiteral("sa")));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("PostgreSQL password (default PM_PGPASSWORD)."), QStringLiteral("text"), qEnvironmentVariable("PM_PGPASSWORD"));
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Timed runs of each step (default 9)."), QStringLiteral("n"), QStringLiteral("9"));
    const QCommandLineOption lines(QStringLiteral("lines"), QStringLiteral("Lines of the saved receipt (default 200)."), QStringLiteral("n"), QStringLiteral("200"));
    p.addOptions({driver, database, server, port, user, password, runs, lines});
    p.process(app);

    ConnectionSettings cs;
    cs.driver = p.value(driver);
    cs.database = p.value(database);
    cs.server = p.value(server);
    cs.port = p.value(port).toInt();
    cs.user = p.value(user);
    cs.password = p.value(password);
    if (cs.backend() == SqlDialect::Backend::SQLite && !QFileInfo::exists(QDir::current().absoluteFilePath(cs.database))) {
        err << "bench_receipt: " << cs.database << " not found; make it with: bench_generate --scale 1 --database receipts1" << Qt::endl;
        return 2;
    }
    TdmData dm;
    QString error;
    if (!dm.open(cs, QDir::currentPath(), &error)) {
        err << "bench_receipt: " << error << Qt::endl;
        return 1;
    }
    loginAsAdministrator(dm);
    const int n = std::max(1, p.value(runs).toInt());
    const int lineCount = std::max(1, p.value(lines).toInt());
    MessageScript messages; // a message box would stop the run: record them instead

    const std::vector<GoodsRow> goods = someGoods(dm, 2000);
    if (goods.empty()) {
        err << "bench_receipt: the database holds no goods" << Qt::endl;
        return 1;
    }
    fillBusyDay(dm, goods);
    out << "database: " << cs.database << "  (" << dm.QueryInt(QStringLiteral("select count(*) from depotD"))
        << " receipt and return lines)" << Qt::endl;

    TFrmInCaiGouDeptGl w;
    w.show();
    QCoreApplication::processEvents();

    // Opening the busy day.
    std::vector<double> openTimes;
    for (int r = 0; r < n; ++r) {
        w.setBrowseDate(kQuietDay);
        QElapsedTimer t;
        t.start();
        w.setBrowseDate(kBusyDay);
        openTimes.push_back(t.nsecsElapsed() / 1e6);
    }
    const int listed = w.dayList()->rowCount();
    const int shownLines = w.lines()->rowCount();

    // Saving a receipt of many lines.
    std::vector<double> saveTimes;
    QStringList saved;
    auto *code = w.findChild<QLineEdit *>(QStringLiteral("edtCode"));
    QString lastSaved;
    QObject::connect(&w, &DocumentWindowBase::documentSaved, &w, [&lastSaved](const QString &c) { lastSaved = c; });
    auto *supplier = w.findChild<QLineEdit *>(QStringLiteral("cbeClient"));
    for (int r = 0; r < n; ++r) {
        w.findChild<QToolButton *>(QStringLiteral("tbNew"))->click();
        supplier->setText(QStringLiteral("基准供应商"));
        for (int i = 0; i < lineCount; ++i) {
            const GoodsRow &g = goods[size_t((r * lineCount + i) % int(goods.size()))];
            w.appendGoodsLine({{QStringLiteral("F_GoodCode"), g.code}, {QStringLiteral("F_GoodName"), g.name},
                               {QStringLiteral("F_Type"), g.type}, {QStringLiteral("F_Spec"), g.spec},
                               {QStringLiteral("F_Unit"), g.unit}, {QStringLiteral("F_Price"), g.price},
                               {QStringLiteral("F_Rate"), 1.0}, {QStringLiteral("F_Amount"), double(1 + i % 5)},
                               {QStringLiteral("F_Code"), code->text()}});
        }
        QElapsedTimer t;
        t.start();
        w.findChild<QToolButton *>(QStringLiteral("tbSave"))->click();
        saveTimes.push_back(t.nsecsElapsed() / 1e6);
        saved << lastSaved;
        if (w.mode() != DocumentWindowBase::Mode::Browse) {
            err << "bench_receipt: the save failed: " << messages.texts().join(QStringLiteral(" | ")) << Qt::endl;
            removeBenchRows(dm, saved);
            return 1;
        }
    }
    const int stored = dm.QueryInt(QStringLiteral("select count(*) from depotD where F_Code = :c"), {{QStringLiteral("c"), saved.last()}});
    w.close();
    removeBenchRows(dm, saved);

    out << "open a day of " << listed << " receipts (last one with " << shownLines << " lines): median "
        << ms(median(openTimes)) << " of " << n << " runs (target 50 ms)" << Qt::endl;
    out << "save a receipt of " << stored << " lines through the window: median " << ms(median(saveTimes)) << " of " << n
        << " runs (target 50 ms)" << Qt::endl;
    return 0;
}
