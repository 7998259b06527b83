// dblink: points Config.ini at an existing database after testing the connection.

#include "data/connectionsettings.h"
#include "data/tdmdata.h"
#include "platform/inifile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dblink"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Tests the connection to an existing purchase-management database and writes the\n"
        "[DBconn] keys of Config.ini so that the program uses it at its next start."));
    p.addHelpOption();
    const QCommandLineOption driver(QStringLiteral("driver"), QStringLiteral("sqlite (default) or postgres."), QStringLiteral("name"), QStringLiteral("sqlite"));
    const QCommandLineOption database(QStringLiteral("database"), QStringLiteral("Database file or name."), QStringLiteral("name"));
    const QCommandLineOption server(QStringLiteral("server"), QStringLiteral("PostgreSQL host."), QStringLiteral("host"), QStringLiteral("(Local)"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("PostgreSQL port."), QStringLiteral("port"), QStringLiteral("0"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("PostgreSQL user (default sa)."), QStringLiteral("name"), QStringLiteral("sa"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("PostgreSQL password."), QStringLiteral("text"));
    const QCommandLineOption config(QStringLiteral("config"), QStringLiteral("Config.ini to write (default: beside the program)."), QStringLiteral("file"));
    p.addOptions({driver, database, server, port, user, password, config});
    p.process(app);

    if (!p.isSet(database)) {
        err << "dblink: --database is required" << Qt::endl;
        return 2;
    }
    ConnectionSettings s;
    s.driver = p.value(driver);
    s.database = p.value(database);
    s.server = p.value(server);
    s.port = p.value(port).toInt();
    s.user = p.value(user);
    s.password = p.value(password);
    if (s.backend() == SqlDialect::Backend::SQLite && QDir::isRelativePath(s.database))
        s.database = QDir::current().absoluteFilePath(s.database);

    TdmData dm;
    QString error;
    if (!dm.open(s, TdmData::appDir(), &error)) {
        err << "dblink: cannot connect to " << s.database;
        if (s.backend() == SqlDialect::Backend::PostgreSQL)
            err << " on " << s.host() << (s.port > 0 ? QStringLiteral(":%1").arg(s.port) : QString());
        err << ": " << error.trimmed() << Qt::endl;
        err << "Config.ini was not changed." << Qt::endl;
        return 1;
    }
    dm.close();
    const QString iniPath = p.isSet(config) ? p.value(config) : QDir(TdmData::appDir()).filePath(QStringLiteral("Config.ini"));
    IniFile ini(iniPath);
    s.writeTo(ini);
    if (!ini.save()) {
        err << "dblink: cannot write " << iniPath << ": " << ini.errorString() << Qt::endl;
        return 1;
    }
    out << "Connection works; wrote " << iniPath << Qt::endl;
    return 0;
}
