#pragma once

#include "connectionsettings.h"

#include <QString>

class QSqlDatabase;

// Creates a new database of the program: the database itself (a SQLite file or a PostgreSQL
// database), every table and index, and the rows the program expects from the start.
class DatabaseInstaller
{
public:
    struct Options {
        ConnectionSettings settings;
        QString baseDir;           // resolves a relative SQLite file name
        bool overwrite = false;    // replace an existing database
        QString companyName = QStringLiteral("我的公司");
        QString backupPath;        // empty: a "backup" folder beside the database
    };

    // Whether the database named by the settings exists.
    static bool exists(const Options &options, bool *exists, QString *error);

    // Creates the database. Refuses an existing one unless options.overwrite is set.
    static bool install(const Options &options, QString *error);

    // Creates tables, indexes and seed rows on an open, empty database (one transaction).
    static bool createContent(QSqlDatabase &db, const Options &options, QString *error);

private:
    static bool createPostgresDatabase(const Options &options, QString *error);
};
