#include "tdmdata.h"

#include "dberror.h"
#include "schema.h"
#include "session.h"

#include "platform/inifile.h"
#include "platform/showmess.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>

const QString TdmData::ConnectionName = QStringLiteral("ADOcnn");
const QString TdmData::MsgOperationFailed = QStringLiteral("操作失败，请检查数据连接... ");
const QString TdmData::MsgOpenFailed = QStringLiteral("打开操作失败，请检查数据连接... ");
const QString TdmData::MsgDeleteFailed = QStringLiteral("删除操作失败，请检查数据连接... ");

namespace {
TdmData *g_instance = nullptr;
int g_serial = 0;
}

TdmData::TdmData(QObject *parent) : QObject(parent), m_previous(g_instance)
{
    // The first data module of the run uses the connection name the program knows; further
    // ones (a second client in a test) get a name of their own.
    m_connName = g_serial++ == 0 ? ConnectionName : QStringLiteral("%1_%2").arg(ConnectionName).arg(g_serial);
    g_instance = this;
}

TdmData::~TdmData()
{
    close();
    if (g_instance == this)
        g_instance = m_previous;
}

TdmData *TdmData::instance() { return g_instance; }

QString TdmData::appDir()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

QSqlDatabase TdmData::db() const { return QSqlDatabase::database(m_connName, false); }

QSqlQuery TdmData::newQuery() const { return QSqlQuery(db()); }

TdmData::CreateResult TdmData::DataModuleCreate(const QString &configDir, const std::function<void(const QString &)> &status)
{
    auto say = [&](const QString &text) {
        if (status)
            status(text);
    };
    Session &s = Session::instance();
    const QString iniPath = QDir(configDir).filePath(QStringLiteral("Config.ini"));
    s.iniFile = std::make_unique<IniFile>(iniPath);
    if (s.iniFile->exists() && !s.iniFile->load())
        return CreateResult::ConfigError;

    const ConnectionSettings settings = ConnectionSettings::fromIni(*s.iniFile);
    s.sDBName = settings.database;
    say(QString());

    close();
    if (settings.database.trimmed().isEmpty())
        return CreateResult::ConnectionFailed;

    say(QStringLiteral("正在连接数据库 ....."));
    if (!open(settings, configDir))
        return CreateResult::ConnectionFailed;
    say(QStringLiteral("连接成功，正在登录 ..."));
    return CreateResult::Connected;
}

bool TdmData::open(const ConnectionSettings &settings, const QString &baseDir, QString *error)
{
    close();
    m_settings = settings;
    m_backend = settings.backend();
    QSqlDatabase db = QSqlDatabase::addDatabase(SqlDialect::driverName(m_backend), m_connName);
    auto fail = [&](const QString &why) {
        m_lastError = why;
        if (error)
            *error = why;
        {
            QSqlDatabase d = QSqlDatabase::database(m_connName, false);
            d.close();
        }
        QSqlDatabase::removeDatabase(m_connName);
        return false;
    };

    if (m_backend == SqlDialect::Backend::SQLite) {
        const QString file = settings.sqliteFile(baseDir);
        // Opening a missing file would create an empty database: a missing file is a failure.
        if (!QFileInfo(file).isFile())
            return fail(QStringLiteral("database file %1 does not exist").arg(file));
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    } else {
        db.setHostName(settings.host());
        if (settings.port > 0)
            db.setPort(settings.port);
        db.setUserName(settings.user.isEmpty() ? QStringLiteral("sa") : settings.user);
        db.setPassword(settings.password);
        db.setDatabaseName(settings.database);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    }
    db.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!db.open())
        return fail(db.lastError().text());

    for (const QString &stmt : SqlDialect::connectionSetup(m_backend)) {
        QSqlQuery q(db);
        if (!q.exec(stmt))
            return fail(q.lastError().text());
    }
    // A database without the program's tables is not a database of this program.
    {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT F_ID FROM SysInfo WHERE 1 = 0")))
            return fail(q.lastError().text());
    }
    m_connected = true;
    resetQueries();
    QString scratchError;
    if (!ensureScratchTables(&scratchError)) {
        m_connected = false;
        m_qryPub.reset();
        m_qryTemp.reset();
        return fail(scratchError);
    }
    m_lastError.clear();
    return true;
}

void TdmData::close()
{
    m_qryPub.reset();
    m_qryTemp.reset();
    if (QSqlDatabase::contains(m_connName)) {
        {
            QSqlDatabase d = QSqlDatabase::database(m_connName, false);
            d.close();
        }
        QSqlDatabase::removeDatabase(m_connName);
    }
    m_connected = false;
}

void TdmData::resetQueries()
{
    m_qryPub = std::make_unique<QSqlQuery>(db());
    m_qryTemp = std::make_unique<QSqlQuery>(db());
}

bool TdmData::ensureScratchTables(QString *error)
{
    for (const QString &stmt : Schema::scratchStatements(m_backend)) {
        QSqlQuery q(db());
        if (!q.exec(stmt)) {
            if (error)
                *error = q.lastError().text();
            return false;
        }
    }
    return true;
}

bool TdmData::run(QSqlQuery &query, const QString &statement, const SqlParams &params)
{
    query.finish();
    query.clear();
    if (!m_connected) {
        m_lastError = QStringLiteral("not connected");
        return false;
    }
    query = QSqlQuery(db());
    QString error;
    if (!Sql::execute(query, statement, params, &error)) {
        m_lastError = error;
        qWarning("SQL: %s\n  in: %s", qPrintable(error), qPrintable(statement));
        return false;
    }
    m_lastError.clear();
    return true;
}

void TdmData::exec(QSqlQuery &query, const QString &statement, const SqlParams &params)
{
    if (!run(query, statement, params))
        throw DbError(m_lastError);
}

void TdmData::exec(const QString &statement, const SqlParams &params)
{
    QSqlQuery q(db());
    exec(q, statement, params);
}

bool TdmData::DeleteByID(const QString &table, qint64 id)
{
    // The table name is an identifier chosen by the program, never user text.
    static const QRegularExpression ident(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!ident.match(table).hasMatch() || !run(*m_qryPub, QStringLiteral("delete from %1 where F_ID = :id").arg(table), {{QStringLiteral("id"), id}})) {
        if (m_lastError.isEmpty())
            m_lastError = QStringLiteral("invalid table name");
        emit databaseError(m_lastError);
        ShowMess(MsgDeleteFailed, MessError);
        return false;
    }
    return true;
}

bool TdmData::ExecCommand(const QString &statement, const SqlParams &params)
{
    if (!m_qryPub)
        resetQueries();
    if (!run(*m_qryPub, statement, params)) {
        emit databaseError(m_lastError);
        ShowMess(MsgOperationFailed, MessError);
        return false;
    }
    return true;
}

QVariant TdmData::firstValue(const QString &select, const SqlParams &params, bool *ok)
{
    if (!m_qryTemp)
        resetQueries();
    *ok = run(*m_qryTemp, select, params);
    if (!*ok) {
        emit databaseError(m_lastError);
        ShowMess(MsgOperationFailed, MessError);
        return QVariant();
    }
    QVariant v;
    if (m_qryTemp->next())
        v = m_qryTemp->value(0);
    m_qryTemp->finish();
    return v;
}

QString TdmData::QueryString(const QString &select, const SqlParams &params)
{
    bool ok = false;
    const QVariant v = firstValue(select, params, &ok);
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return v.toString();
}

int TdmData::QueryInt(const QString &select, const SqlParams &params)
{
    bool ok = false;
    const QVariant v = firstValue(select, params, &ok);
    bool isNum = false;
    const double d = v.toDouble(&isNum);
    return isNum ? static_cast<int>(d) : 0;
}

double TdmData::QueryFloat(const QString &select, const SqlParams &params)
{
    bool ok = false;
    const QVariant v = firstValue(select, params, &ok);
    bool isNum = false;
    const double d = v.toDouble(&isNum);
    return isNum ? d : 0.0;
}

bool TdmData::OpenQuery(const QString &select, QSqlQuery &query, const SqlParams &params)
{
    if (!run(query, select, params)) {
        emit databaseError(m_lastError);
        ShowMess(MsgOpenFailed, MessError);
        return false;
    }
    return true;
}

void TdmData::FillComboList(const QString &select, QComboBox *box, const SqlParams &params)
{
    if (box)
        box->clear();
    if (!m_qryTemp)
        resetQueries();
    if (!run(*m_qryTemp, select, params)) {
        emit databaseError(m_lastError);
        ShowMess(MsgOperationFailed, MessError);
        return;
    }
    QStringList items;
    while (m_qryTemp->next()) {
        const QString v = m_qryTemp->value(0).toString();
        if (!v.trimmed().isEmpty())
            items << v;
    }
    m_qryTemp->finish();
    if (box)
        box->addItems(items);
}

void TdmData::WriteLog(const QString &operation)
{
    if (!m_qryTemp)
        resetQueries();
    const QDateTime now = QDateTime::currentDateTime();
    // A failed log write is not reported: the log only records failed logins.
    run(*m_qryTemp,
        QStringLiteral("insert into LogRec(F_EmpName,F_OperType,F_OperDate,F_OperTime) "
                       "values(:EmpName,:OperType,:OperDate,:OperTime)"),
        {{QStringLiteral("EmpName"), Session::instance().sOperName},
         {QStringLiteral("OperType"), operation},
         {QStringLiteral("OperDate"), now.date().toString(QStringLiteral("yyyy-MM-dd"))},
         {QStringLiteral("OperTime"), now.time().toString(QStringLiteral("HH:mm:ss"))}});
}

QString TdmData::nextInSeries(const QString &select, const QString &emptyHead, int width, const SqlParams &params)
{
    if (!m_qryTemp)
        resetQueries();
    if (!run(*m_qryTemp, select, params))
        throw DbError(m_lastError);
    QString s;
    if (m_qryTemp->next() && !m_qryTemp->value(0).isNull())
        s = m_qryTemp->value(0).toString();
    m_qryTemp->finish();

    QString head;
    QString tail;
    if (!s.isEmpty()) {
        head = s.left(qMax(0, s.size() - width));
        tail = s.right(width);
    } else {
        head = emptyHead;
        tail = QString(width, QLatin1Char('0'));
    }
    bool ok = false;
    const qlonglong n = (QLatin1Char('1') + tail).toLongLong(&ok);
    if (!ok || tail.size() != width)
        throw DbError(QStringLiteral("编号“%1”的末尾不是%2位数字，无法生成新的编号！").arg(s).arg(width));
    const QString next = QString::number(n + 1);
    if (next.size() != width + 1 || next.at(0) != QLatin1Char('1'))
        throw DbError(QStringLiteral("编号已用完（%1），无法生成新的编号！").arg(head + QString(width, QLatin1Char('9'))));
    return head + next.mid(1);
}

QString TdmData::NextDateCode(const QString &select, const QString &prefix, int width, const SqlParams &params)
{
    const QString head = prefix + QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    return nextInSeries(select, head, width, params);
}

QString TdmData::NextCode(const QString &select, int width, const SqlParams &params)
{
    return nextInSeries(select, QString(), width, params);
}

DbTransaction::DbTransaction(TdmData &dm) : m_dm(dm)
{
    QSqlDatabase db = m_dm.db();
    m_active = db.transaction();
    if (!m_active)
        throw DbError(db.lastError().text());
}

DbTransaction::~DbTransaction()
{
    if (m_active) {
        QSqlDatabase db = m_dm.db();
        db.rollback();
    }
}

void DbTransaction::commit()
{
    QSqlDatabase db = m_dm.db();
    if (!db.commit()) {
        const QString why = db.lastError().text();
        db.rollback();
        m_active = false;
        throw DbError(why);
    }
    m_active = false;
}
