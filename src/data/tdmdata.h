#pragma once

#include "connectionsettings.h"
#include "sqldialect.h"
#include "sqlparams.h"

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <functional>
#include <memory>

class QComboBox;

// The data module: owns the one connection of the run ("ADOcnn"), the two shared queries and
// the query helpers every window uses. Exactly one exists while the program runs.
class TdmData : public QObject
{
    Q_OBJECT
public:
    static const QString ConnectionName;

    // Failure texts the helpers show (kind 3).
    static const QString MsgOperationFailed;
    static const QString MsgOpenFailed;
    static const QString MsgDeleteFailed;

    enum class CreateResult { Connected, ConfigError, ConnectionFailed };

    explicit TdmData(QObject *parent = nullptr);
    ~TdmData() override;

    // The data module of the run (the one most recently created and still alive).
    static TdmData *instance();

    // Reads Config.ini in the given folder and opens the connection. The callback receives the
    // texts of the start-up steps. Shows nothing itself.
    CreateResult DataModuleCreate(const QString &configDir, const std::function<void(const QString &)> &status = {});

    // Opens the connection with explicit settings; baseDir resolves a relative SQLite file.
    // The database must already exist and hold the schema.
    bool open(const ConnectionSettings &settings, const QString &baseDir, QString *error = nullptr);
    void close();

    bool connected() const { return m_connected; }
    QSqlDatabase db() const;
    SqlDialect::Backend backend() const { return m_backend; }
    const ConnectionSettings &settings() const { return m_settings; }

    QSqlQuery &QryPub() { return *m_qryPub; }
    QSqlQuery &QryTemp() { return *m_qryTemp; }

    // A fresh query on the shared connection, for windows that keep their own.
    QSqlQuery newQuery() const;

    // ---- Query helpers. Each reports its own failure with ShowMess and returns the failure value.
    bool DeleteByID(const QString &table, qint64 id);
    bool ExecCommand(const QString &statement, const SqlParams &params = {});
    QString QueryString(const QString &select, const SqlParams &params = {});
    int QueryInt(const QString &select, const SqlParams &params = {});
    double QueryFloat(const QString &select, const SqlParams &params = {});
    bool OpenQuery(const QString &select, QSqlQuery &query, const SqlParams &params = {});
    void FillComboList(const QString &select, QComboBox *box, const SqlParams &params = {});
    void WriteLog(const QString &operation);

    // Next code of a series ending in `width` digits; throw DbError on failure or when the
    // series is used up (never hands out a used code).
    QString NextDateCode(const QString &select, const QString &prefix, int width, const SqlParams &params = {});
    QString NextCode(const QString &select, int width, const SqlParams &params = {});

    // The text of the last database error a helper met (empty after a success).
    QString lastError() const { return m_lastError; }

    // Runs a statement on the given query without showing anything; throws DbError on failure.
    // For saves inside a transaction whose caller reports the failure.
    void exec(QSqlQuery &query, const QString &statement, const SqlParams &params = {});
    void exec(const QString &statement, const SqlParams &params = {});

    // Creates the per-connection scratch tables (once per connection).
    bool ensureScratchTables(QString *error = nullptr);

    // The folder of the running program (where Config.ini, Qr/ and the tools live).
    static QString appDir();

signals:
    void databaseError(const QString &text);

private:
    bool run(QSqlQuery &query, const QString &statement, const SqlParams &params);
    QVariant firstValue(const QString &select, const SqlParams &params, bool *ok);
    QString nextInSeries(const QString &select, const QString &emptyHead, int width, const SqlParams &params);
    void resetQueries();

    QString m_connName;
    bool m_connected = false;
    SqlDialect::Backend m_backend = SqlDialect::Backend::SQLite;
    ConnectionSettings m_settings;
    std::unique_ptr<QSqlQuery> m_qryPub;
    std::unique_ptr<QSqlQuery> m_qryTemp;
    QString m_lastError;
    TdmData *m_previous = nullptr;
};

// Rolls back unless commit() is called: every save that touches several rows uses one.
class DbTransaction
{
public:
    explicit DbTransaction(TdmData &dm);
    ~DbTransaction();
    DbTransaction(const DbTransaction &) = delete;
    DbTransaction &operator=(const DbTransaction &) = delete;

    bool active() const { return m_active; }
    // Throws DbError when the commit fails (the transaction is then rolled back).
    void commit();

private:
    TdmData &m_dm;
    bool m_active = false;
};
