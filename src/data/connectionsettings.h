#pragma once

#include "sqldialect.h"

#include <QString>

class IniFile;

// The [DBconn] keys of Config.ini.
struct ConnectionSettings {
    QString driver;          // "sqlite" (default) or "postgres"
    QString server;          // host name; "(Local)" means this machine
    int port = 0;            // 0: the driver's default
    QString user;            // default "sa"
    QString password;
    QString database;        // SQLite: file name or path; PostgreSQL: database name

    SqlDialect::Backend backend() const { return SqlDialect::backendFromConfig(driver); }

    static ConnectionSettings fromIni(const IniFile &ini);
    void writeTo(IniFile &ini) const;

    // SQLite: the database file, relative paths taken from the given folder, ".db" added when
    // the name has no extension.
    QString sqliteFile(const QString &baseDir) const;
    // PostgreSQL: the host to connect to.
    QString host() const;
};
