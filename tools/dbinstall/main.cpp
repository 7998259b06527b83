// dbinstall: creates a database of the program (schema and the rows it expects), optionally
// fills a demo company, and writes the [DBconn] keys of Config.ini beside the program.
// With --gui it shows a dialog for the same (the program offers it when it cannot connect);
// otherwise it works on the command line and needs no display.

#include "installrun.h"
#include "tdlgdbinstall.h"

#include "data/demodata.h"
#include "data/tdmdata.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstring>
#include <memory>

namespace {

struct Options {
    QCommandLineOption gui{QStringLiteral("gui"), QStringLiteral("Show the installation dialog.")};
    QCommandLineOption driver{QStringLiteral("driver"), QStringLiteral("sqlite (default) or postgres."), QStringLiteral("name"), QStringLiteral("sqlite")};
    QCommandLineOption database{QStringLiteral("database"), QStringLiteral("Database file or name (default doRIZuv)."), QStringLiteral("name"), QStringLiteral("doRIZuv")};
    QCommandLineOption server{QStringLiteral("server"), QStringLiteral("PostgreSQL host (default localhost)."), QStringLiteral("host"), QStringLiteral("(Local)")};
    QCommandLineOption port{QStringLiteral("port"), QStringLiteral("PostgreSQL port."), QStringLiteral("port"), QStringLiteral("0")};
    QCommandLineOption user{QStringLiteral("user"), QStringLiteral("PostgreSQL user (default sa)."), QStringLiteral("name"), QStringLiteral("sa")};
    QCommandLineOption password{QStringLiteral("password"), QStringLiteral("PostgreSQL password."), QStringLiteral("text")};
    QCommandLineOption company{QStringLiteral("company"), QStringLiteral("Company name."), QStringLiteral("name")};
    QCommandLineOption demo{QStringLiteral("demo"), QStringLiteral("Fill a demo company: master data and a few months of documents.")};
    QCommandLineOption force{QStringLiteral("force"), QStringLiteral("Replace an existing database.")};
    QCommandLineOption config{QStringLiteral("config"), QStringLiteral("Config.ini to write (default: beside the program)."), QStringLiteral("file")};
    QCommandLineOption noConfig{QStringLiteral("no-config"), QStringLiteral("Do not write Config.ini.")};
};

bool wantsGui(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gui") == 0 || std::strcmp(argv[i], "-gui") == 0)
            return true;
    return false;
}

InstallRun::Request requestFrom(const QCommandLineParser &p, const Options &o)
{
    InstallRun::Request r;
    DatabaseInstaller::Options &i = r.install;
    i.settings.driver = p.value(o.driver);
    i.settings.database = p.value(o.database);
    i.settings.server = p.value(o.server);
    i.settings.port = p.value(o.port).toInt();
    i.settings.user = p.value(o.user);
    i.settings.password = p.value(o.password);
    i.baseDir = TdmData::appDir();
    i.overwrite = p.isSet(o.force);
    r.demo = p.isSet(o.demo);
    if (p.isSet(o.company))
        i.companyName = p.value(o.company);
    else if (r.demo)
        i.companyName = DemoData::companyName();
    // A SQLite file named on the command line is taken from the current folder; the default
    // one lives beside the program.
    if (SqlDialect::isFileDatabase(i.settings.backend()))
        i.settings.database = InstallRun::sqliteFile(i.settings.database,
                                                     p.isSet(o.database) ? QDir::currentPath() : i.baseDir);
    if (!p.isSet(o.noConfig))
        r.configPath = p.isSet(o.config) ? p.value(o.config) : QDir(i.baseDir).filePath(QStringLiteral("Config.ini"));
    return r;
}

void describe(QCommandLineParser &p, const Options &o)
{
    p.setApplicationDescription(QStringLiteral(
        "Creates a new purchase-management database and points Config.ini at it.\n"
        "SQLite (default): --database names the file (relative to the current folder, .db added).\n"
        "PostgreSQL: --driver postgres with --server, --port, --user, --password, --database.\n"
        "--gui shows a dialog instead; the other options then fill in its fields."));
    p.addHelpOption();
    p.addOptions({o.gui, o.driver, o.database, o.server, o.port, o.user, o.password, o.company, o.demo, o.force,
                  o.config, o.noConfig});
}

int runDialog(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dbinstall"));
    Options o;
    QCommandLineParser p;
    describe(p, o);
    p.process(app);
    InstallRun::Request r = requestFrom(p, o);
    // The dialog keeps a relative SQLite name relative to the program, as Config.ini does.
    if (!p.isSet(o.database))
        r.install.settings.database = p.value(o.database);
    TDlgDbInstall dialog(r);
    dialog.show();
    return app.exec();
}

int runCommandLine(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dbinstall"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    Options o;
    QCommandLineParser p;
    describe(p, o);
    p.process(app);
    const InstallRun::Request request = requestFrom(p, o);

    const InstallRun::Result r = InstallRun::run(request);
    switch (r.failedStep) {
    case InstallRun::Step::None:
        break;
    case InstallRun::Step::Install:
        err << "dbinstall: " << r.error << Qt::endl;
        return 1;
    case InstallRun::Step::Demo:
        err << "dbinstall: created " << r.database << ", but the demo data failed: " << r.error << Qt::endl;
        return 1;
    case InstallRun::Step::Config:
        err << "dbinstall: created " << r.database << ", but " << r.error << Qt::endl;
        return 1;
    }
    out << "Created database " << r.database << Qt::endl;
    if (request.demo)
        out << "Demo company: " << r.demoSummary << Qt::endl;
    if (!r.configPath.isEmpty())
        out << "Wrote " << r.configPath << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    return wantsGui(argc, argv) ? runDialog(argc, argv) : runCommandLine(argc, argv);
}
