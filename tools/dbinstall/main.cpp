// dbinstall: creates a database of the program (schema and the rows it expects), optionally
// fills a demo company, and writes the [DBconn] keys of Config.ini beside the program.

#include "data/databaseinstaller.h"
#include "data/demodata.h"
#include "data/tdmdata.h"
#include "platform/inifile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dbinstall"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Creates a new purchase-management database and points Config.ini at it.\n"
        "SQLite (default): --database names the file (relative to the program's folder, .db added).\n"
        "PostgreSQL: --driver postgres with --server, --port, --user, --password, --database."));
    p.addHelpOption();
    const QCommandLineOption driver(QStringLiteral("driver"), QStringLiteral("sqlite (default) or postgres."), QStringLiteral("name"), QStringLiteral("sqlite"));
    const QCommandLineOption database(QStringLiteral("database"), QStringLiteral("Database file or name (default doRIZuv)."), QStringLiteral("name"), QStringLiteral("doRIZuv"));
    const QCommandLineOption server(QStringLiteral("server"), QStringLiteral("PostgreSQL host (default localhost)."), QStringLiteral("host"), QStringLiteral("(Local)"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("PostgreSQL port."), QStringLiteral("port"), QStringLiteral("0"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("PostgreSQL user (default sa)."), QStringLiteral("name"), QStringLiteral("sa"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("PostgreSQL password."), QStringLiteral("text"));
    const QCommandLineOption company(QStringLiteral("company"), QStringLiteral("Company name."), QStringLiteral("name"));
    const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Fill a demo company: master data and a few months of documents."));
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Replace an existing database."));
    const QCommandLineOption config(QStringLiteral("config"), QStringLiteral("Config.ini to write (default: beside the program)."), QStringLiteral("file"));
    const QCommandLineOption noConfig(QStringLiteral("no-config"), QStringLiteral("Do not write Config.ini."));
    p.addOptions({driver, database, server, port, user, password, company, demo, force, config, noConfig});
    p.process(app);

    DatabaseInstaller::Options o;
    o.settings.driver = p.value(driver);
    o.settings.database = p.value(database);
    o.settings.server = p.value(server);
    o.settings.port = p.value(port).toInt();
    o.settings.user = p.value(user);
    o.settings.password = p.value(password);
    o.baseDir = TdmData::appDir();
    o.overwrite = p.isSet(force);
    if (p.isSet(company))
        o.companyName = p.value(company);
    else if (p.isSet(demo))
        o.companyName = DemoData::companyName();

    // A SQLite path given on the command line is taken from the current folder.
    if (o.settings.backend() == SqlDialect::Backend::SQLite) {
        QString file = o.settings.database;
        if (QFileInfo(file).suffix().isEmpty())
            file += QStringLiteral(".db");
        if (p.isSet(database) && QDir::isRelativePath(file))
            file = QDir::current().absoluteFilePath(file);
        else if (QDir::isRelativePath(file))
            file = QDir(o.baseDir).absoluteFilePath(file);
        o.settings.database = QDir::cleanPath(file);
    }

    QString error;
    if (!DatabaseInstaller::install(o, &error)) {
        err << "dbinstall: " << error << Qt::endl;
        return 1;
    }
    const QString where = o.settings.backend() == SqlDialect::Backend::SQLite
        ? o.settings.database
        : QStringLiteral("%1 on %2").arg(o.settings.database, o.settings.host());
    out << "Created database " << where << Qt::endl;

    if (p.isSet(demo)) {
        TdmData dm;
        if (!dm.open(o.settings, o.baseDir, &error)) {
            err << "dbinstall: " << error << Qt::endl;
            return 1;
        }
        DemoData::Counts counts;
        if (!DemoData::fill(dm, DemoData::demoProfile(), &counts, &error)) {
            err << "dbinstall: demo data: " << error << Qt::endl;
            return 1;
        }
        out << "Demo company: " << counts.summary() << Qt::endl;
    }

    if (!p.isSet(noConfig)) {
        const QString iniPath = p.isSet(config) ? p.value(config) : QDir(o.baseDir).filePath(QStringLiteral("Config.ini"));
        IniFile ini(iniPath);
        o.settings.writeTo(ini);
        if (!ini.save()) {
            err << "dbinstall: cannot write " << iniPath << ": " << ini.errorString() << Qt::endl;
            return 1;
        }
        out << "Wrote " << iniPath << Qt::endl;
    }
    return 0;
}
