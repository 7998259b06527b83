// bench_generate: creates a database and fills it with the generated company of a scale
// (scale 1: 1,000 suppliers, 20,000 goods, three years of documents with about a million
// receipt and return lines), then prints how many rows went in and how fast.

#include "data/databaseinstaller.h"
#include "data/demodata.h"
#include "data/tdmdata.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("bench_generate"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Creates a database and fills it with generated data of a scale."));
    p.addHelpOption();
    const QCommandLineOption scale(QStringLiteral("scale"), QStringLiteral("Data scale (default 1)."), QStringLiteral("factor"), QStringLiteral("1"));
    const QCommandLineOption driver(QStringLiteral("driver"), QStringLiteral("sqlite (default) or postgres."), QStringLiteral("name"), QStringLiteral("sqlite"));
    const QCommandLineOption database(QStringLiteral("database"), QStringLiteral("Database file or name (default bench_generate)."), QStringLiteral("name"), QStringLiteral("bench_generate"));
    const QCommandLineOption server(QStringLiteral("server"), QStringLiteral("PostgreSQL host (default PM_PGHOST or localhost)."), QStringLiteral("host"), qEnvironmentVariable("PM_PGHOST", QStringLiteral("localhost")));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("PostgreSQL port (default PM_PGPORT)."), QStringLiteral("port"), qEnvironmentVariable("PM_PGPORT", QStringLiteral("0")));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("PostgreSQL user (default PM_PGUSER or sa)."), QStringLiteral("name"), qEnvironmentVariable("PM_PGUSER", QStringLiteral("sa")));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("PostgreSQL password (default PM_PGPASSWORD)."), QStringLiteral("text"), qEnvironmentVariable("PM_PGPASSWORD"));
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Replace an existing database."));
    const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("Do not print progress."));
    p.addOptions({scale, driver, database, server, port, user, password, force, quiet});
    p.process(app);

    bool scaleOk = false;
    const double factor = p.value(scale).toDouble(&scaleOk);
    if (!scaleOk || factor <= 0) {
        err << "bench_generate: --scale needs a positive number" << Qt::endl;
        return 2;
    }

    DatabaseInstaller::Options o;
    o.settings.driver = p.value(driver);
    o.settings.database = p.value(database);
    o.settings.server = p.value(server);
    o.settings.port = p.value(port).toInt();
    o.settings.user = p.value(user);
    o.settings.password = p.value(password);
    o.baseDir = QDir::currentPath();
    o.overwrite = p.isSet(force);
    o.companyName = DemoData::companyName();

    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!DatabaseInstaller::install(o, &error)) {
        err << "bench_generate: " << error << Qt::endl;
        return 1;
    }
    const double installSeconds = timer.elapsed() / 1000.0;

    TdmData dm;
    if (!dm.open(o.settings, o.baseDir, &error)) {
        err << "bench_generate: " << error << Qt::endl;
        return 1;
    }
    DemoData::Profile profile = DemoData::scaleProfile(factor);
    profile.bulkLoad = true;
    DemoData::Counts counts;
    const bool showProgress = !p.isSet(quiet);
    timer.restart();
    QString lastStep;
    const bool ok = DemoData::fill(dm, profile, &counts, &error, [&](const QString &text) {
        if (!showProgress)
            return;
        // Steps on lines of their own with the time they began; months overwrite each other.
        const QString step = text.section(QLatin1Char(':'), 0, 0).section(QStringLiteral("："), 0, 0);
        if (step != lastStep && !lastStep.isEmpty())
            err << Qt::endl;
        lastStep = step;
        err << QStringLiteral("[%1 s] ").arg(timer.elapsed() / 1000.0, 6, 'f', 2) << text << '\r' << Qt::flush;
    });
    const double seconds = timer.elapsed() / 1000.0;
    if (showProgress)
        err << Qt::endl;
    if (!ok) {
        err << "bench_generate: " << error << Qt::endl;
        return 1;
    }
    out << "database:     " << o.settings.driver << " " << o.settings.database << Qt::endl;
    out << "scale:        " << factor << Qt::endl;
    out << "created in:   " << QString::number(installSeconds, 'f', 2) << " s" << Qt::endl;
    out << "generated:    " << counts.summary() << Qt::endl;
    out << "rows:         " << counts.totalRows << Qt::endl;
    out << "seconds:      " << QString::number(seconds, 'f', 2) << Qt::endl;
    out << "rows/second:  " << QString::number(seconds > 0 ? counts.totalRows / seconds : 0.0, 'f', 0) << Qt::endl;
    return 0;
}
