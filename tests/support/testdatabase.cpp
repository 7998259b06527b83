#include "testdatabase.h"

#include "data/databaseinstaller.h"
#include "platform/inifile.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

ConnectionSettings TestDatabase::postgresServer()
{
    ConnectionSettings s;
    s.driver = QStringLiteral("postgres");
    s.server = qEnvironmentVariable("PM_PGHOST", QStringLiteral("127.0.0.1"));
    s.port = qEnvironmentVariableIntValue("PM_PGPORT");
    s.user = qEnvironmentVariable("PM_PGUSER", QStringLiteral("sa"));
    s.password = qEnvironmentVariable("PM_PGPASSWORD");
    return s;
}

bool TestDatabase::postgresAvailable()
{
    const bool have = qEnvironmentVariableIsSet("PM_PGPORT");
    if (!have && qEnvironmentVariableIsSet("PM_REQUIRE_PG"))
        qFatal("PM_REQUIRE_PG is set but no PostgreSQL test server is given (PM_PGPORT)");
    return have;
}

void TestDatabase::addBackendRows()
{
    QTest::addColumn<QString>("backend");
    QTest::newRow("sqlite") << QStringLiteral("sqlite");
    QTest::newRow("postgres") << QStringLiteral("postgres");
}

TestDatabase::TestDatabase(const QString &backend)
{
    m_dirPath = m_tmp.path();
    DatabaseInstaller::Options o;
    o.baseDir = m_dirPath;
    if (backend == QLatin1String("postgres")) {
        m_settings = postgresServer();
        m_settings.database = QStringLiteral("pmtest_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
    } else {
        m_settings.driver = QStringLiteral("sqlite");
        m_settings.database = QStringLiteral("test.db");
    }
    o.settings = m_settings;
    o.companyName = QStringLiteral("测试公司");
    if (!DatabaseInstaller::install(o, &m_error))
        return;
    m_dm = std::make_unique<TdmData>();
    m_ok = m_dm->open(m_settings, m_dirPath, &m_error);
}

TestDatabase::~TestDatabase()
{
    m_dm.reset();
    if (m_settings.backend() == SqlDialect::Backend::PostgreSQL && m_ok) {
        // Drop the throwaway database.
        const QString name = QStringLiteral("drop_") + QUuid::createUuid().toString(QUuid::Id128);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            db.setHostName(m_settings.host());
            db.setPort(m_settings.port);
            db.setUserName(m_settings.user);
            db.setPassword(m_settings.password);
            db.setDatabaseName(QStringLiteral("postgres"));
            if (db.open()) {
                QSqlQuery q(db);
                q.exec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(m_settings.database));
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
}

std::unique_ptr<TdmData> TestDatabase::secondClient()
{
    auto dm = std::make_unique<TdmData>();
    QString error;
    if (!dm->open(m_settings, m_dirPath, &error))
        qWarning("second client: %s", qPrintable(error));
    return dm;
}

void TestDatabase::writeConfig(const QString &folder) const
{
    IniFile ini(QDir(folder).filePath(QStringLiteral("Config.ini")));
    ConnectionSettings s = m_settings;
    if (s.backend() == SqlDialect::Backend::SQLite)
        s.database = QDir(m_dirPath).filePath(m_settings.database);
    s.writeTo(ini);
    ini.save();
}
