#pragma once

#include "data/databaseinstaller.h"
#include "data/demodata.h"

#include <QString>

#include <functional>

// One installation as asked for on the command line or in the dialog: create the database,
// fill the demo company when wanted, and point Config.ini at the new database. Config.ini is
// written only when everything before it succeeded.
class InstallRun
{
public:
    struct Request {
        DatabaseInstaller::Options install;
        bool demo = false;
        QString configPath; // empty: leave Config.ini alone
    };

    enum class Step { None, Install, Demo, Config };

    struct Result {
        bool ok = false;
        Step failedStep = Step::None;
        QString error;       // why it failed
        QString database;    // the database made: a file, or a name on a server
        QString demoSummary; // what the demo company holds
        DemoData::Counts demoCounts;
        QString configPath;  // the Config.ini written
    };

    static Result run(const Request &request, const std::function<void(const QString &)> &progress = {});

    // A SQLite database name as a clean absolute file path: ".db" added when it has no
    // extension, a relative name taken from the given folder.
    static QString sqliteFile(const QString &name, const QString &folder);

    // The database a request names, for messages: the file, or "name on host".
    static QString describe(const DatabaseInstaller::Options &options);
};
