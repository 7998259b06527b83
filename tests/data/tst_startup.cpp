#include "support/testdatabase.h"

#include "data/session.h"
#include "platform/inifile.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>

#include <unistd.h>

// The data module's part of start-up: reading Config.ini and opening the one connection.
class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void missingConfigUsesDefaults()
    {
        QTemporaryDir dir;
        TdmData dm;
        QStringList steps;
        QCOMPARE(dm.DataModuleCreate(dir.path(), [&](const QString &s) { steps << s; }), TdmData::CreateResult::ConnectionFailed);
        QCOMPARE(Session::instance().sDBName, QString("doRIZuv"));
        QCOMPARE(dm.settings().backend(), SqlDialect::Backend::SQLite);
        QVERIFY(steps.contains("正在连接数据库 ....."));
        // Opening must not have created an empty database file.
        QVERIFY(!QFile::exists(dir.filePath("doRIZuv.db")));
        QVERIFY(!dm.connected());
    }

    void blankDatabaseIsNotTried()
    {
        QTemporaryDir dir;
        IniFile ini(dir.filePath("Config.ini"));
        QVERIFY(ini.writeString("DBconn", "Database", "   "));
        TdmData dm;
        QStringList steps;
        QCOMPARE(dm.DataModuleCreate(dir.path(), [&](const QString &s) { steps << s; }), TdmData::CreateResult::ConnectionFailed);
        QVERIFY(!steps.contains("正在连接数据库 ....."));
        QVERIFY(!QSqlDatabase::contains(TdmData::ConnectionName));
    }

    void connectsWithConfigOnEachBackend_data() { TestDatabase::addBackendRows(); }
    void connectsWithConfigOnEachBackend()
    {
        QFETCH(QString, backend);
        if (backend == "postgres" && !TestDatabase::postgresAvailable())
            QSKIP("no PostgreSQL test server");
        TestDatabase t(backend);
        QVERIFY2(t.ok(), qPrintable(t.error()));
        QTemporaryDir dir;
        t.writeConfig(dir.path());
        TdmData dm;
        QCOMPARE(dm.DataModuleCreate(dir.path()), TdmData::CreateResult::Connected);
        QVERIFY(dm.connected());
        QCOMPARE(dm.QueryInt("select count(*) from Limits"), 39);
    }

    void wrongPostgresPasswordFails()
    {
        if (!TestDatabase::postgresAvailable())
            QSKIP("no PostgreSQL test server");
        QTemporaryDir dir;
        ConnectionSettings s = TestDatabase::postgresServer();
        s.password = "not-the-password";
        s.database = "postgres";
        IniFile ini(dir.filePath("Config.ini"));
        s.writeTo(ini);
        QVERIFY(ini.save());
        TdmData dm;
        QCOMPARE(dm.DataModuleCreate(dir.path()), TdmData::CreateResult::ConnectionFailed);
        QVERIFY(!dm.connected());
    }

    void unreadableConfigIsAConfigError()
    {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        QTemporaryDir dir;
        QFile f(dir.filePath("Config.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[DBconn]\nDatabase=x\n");
        f.close();
        f.setPermissions(QFileDevice::Permissions());
        TdmData dm;
        QCOMPARE(dm.DataModuleCreate(dir.path()), TdmData::CreateResult::ConfigError);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
