#pragma once

#include "data/connectionsettings.h"
#include "data/tdmdata.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A fresh, seeded database for one test on the backend named by the current test data row
// ("sqlite" or "postgres"), with a data module connected to it.
//
// PostgreSQL tests use the server that test.sh starts; its address comes from PM_PGHOST,
// PM_PGPORT, PM_PGUSER and PM_PGPASSWORD. Without them the PostgreSQL rows are skipped,
// unless PM_REQUIRE_PG is set, when they fail.
class TestDatabase
{
public:
    explicit TestDatabase(const QString &backend);
    ~TestDatabase();

    bool ok() const { return m_ok; }
    QString error() const { return m_error; }
    TdmData &dm() { return *m_dm; }
    const ConnectionSettings &settings() const { return m_settings; }
    const QString &dir() const { return m_dirPath; }

    // Another data module connected to the same database (a second client).
    std::unique_ptr<TdmData> secondClient();

    // Adds the rows "sqlite" and "postgres" for initTestCase_data().
    static void addBackendRows();
    static bool postgresAvailable();
    static ConnectionSettings postgresServer();

    // Writes Config.ini for this database into the given folder.
    void writeConfig(const QString &folder) const;

private:
    QTemporaryDir m_tmp;
    QString m_dirPath;
    ConnectionSettings m_settings;
    std::unique_ptr<TdmData> m_dm;
    bool m_ok = false;
    QString m_error;
};

// Skips the current test (data row) when its backend is not available; fails when the
// database cannot be made.
#define REQUIRE_TEST_DB(var)                                                                \
    QFETCH_GLOBAL(QString, backend);                                                        \
    if (backend == QLatin1String("postgres") && !TestDatabase::postgresAvailable())         \
        QSKIP("no PostgreSQL test server");                                                 \
    TestDatabase var(backend);                                                              \
    QVERIFY2(var.ok(), qPrintable(var.error()))
