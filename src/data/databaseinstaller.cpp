#include "databaseinstaller.h"

#include "gridlayoutseed.h"
#include "limitcatalogue.h"
#include "schema.h"
#include "sqlparams.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

using SqlDialect::Backend;

namespace {

// Runs one statement with bound values; false with the error text on failure.
bool run(QSqlDatabase &db, const QString &sql, const SqlParams &params, QString *error)
{
    QSqlQuery q(db);
    if (!Sql::execute(q, sql, params, error)) {
        if (error)
            *error += QStringLiteral(" [") + sql + QLatin1Char(']');
        return false;
    }
    return true;
}

QString quoteIdent(const QString &name)
{
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

// A short-lived connection to the server's maintenance database.
class AdminConnection
{
public:
    explicit AdminConnection(const ConnectionSettings &s)
        : m_name(QStringLiteral("install_") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        db.setHostName(s.host());
        if (s.port > 0)
            db.setPort(s.port);
        db.setUserName(s.user.isEmpty() ? QStringLiteral("sa") : s.user);
        db.setPassword(s.password);
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
        m_ok = db.open();
        if (!m_ok)
            m_error = db.lastError().text();
    }
    ~AdminConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    bool ok() const { return m_ok; }
    QString error() const { return m_error; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
    bool m_ok = false;
    QString m_error;
};

struct ImportMapping {
    const char *table;
    const char *field;
    const char *caption;
    const char *column;
};

// The default mapping of the Excel import: target column, its caption and the workbook column
// of the sample workbooks that fills it.
const ImportMapping kImportMappings[] = {
    {"t_client", "F_Code", "供应商编号", "编号"},
    {"t_client", "F_Name", "供应商名称", "名称"},
    {"t_client", "F_type", "单位类型", "类型"},
    {"t_client", "F_LinkMan", "联系人", "联系人"},
    {"t_client", "F_Phone", "电话", "电话"},
    {"t_client", "F_HandPhone", "手机", "手机"},
    {"t_client", "F_Fax", "传真", "传真"},
    {"t_client", "F_Address", "地址", "地址"},
    {"t_client", "F_PostCode", "邮编", "邮编"},
    {"t_client", "F_Bank", "开户银行", "开户银行"},
    {"t_client", "F_Account", "银行帐号", "银行帐号"},
    {"t_client", "F_Ratecode", "纳税号", "纳税号"},
    {"t_client", "F_Homepage", "网址", "网址"},
    {"t_client", "F_Email", "电子邮件", "电子邮件"},
    {"t_client", "F_Enrol", "公司法人", "公司法人"},
    {"t_client", "F_EmpName", "业务员", "业务员"},
    {"t_client", "F_BegPrice", "期初欠款", "期初欠款"},
    {"t_client", "F_Mem", "备注", "备注"},
    {"t_goods", "F_Code", "货品编号", "编号"},
    {"t_goods", "F_Name", "货品名称", "名称"},
    {"t_goods", "F_Type", "货品类型", "类型"},
    {"t_goods", "F_Spec", "规格", "规格"},
    {"t_goods", "F_Unit", "单位", "单位"},
    {"t_goods", "F_Address", "产地", "产地"},
    {"t_goods", "F_BarCode", "条码", "条码"},
    {"t_goods", "F_EnterPrice", "成本单价", "成本单价"},
    {"t_goods", "F_SalePrice", "销售单价", "销售单价"},
    {"t_goods", "F_BegAmount", "期初总量", "期初总量"},
    {"t_goods", "F_DeptUp", "库存上限", "库存上限"},
    {"t_goods", "F_DeptDown", "库存下限", "库存下限"},
    {"t_goods", "F_Mem", "备注", "备注"},
    {"depotD", "F_GoodCode", "货品编号", "编号"},
    {"depotD", "F_GoodName", "货品名称", "名称"},
    {"depotD", "F_Type", "货品类型", "类型"},
    {"depotD", "F_Spec", "规格", "规格"},
    {"depotD", "F_Unit", "单位", "单位"},
    {"depotD", "F_Address", "产地", "产地"},
    {"depotD", "F_Amount", "数量", "数量"},
    {"depotD", "F_Price", "单价", "单价"},
    {"depotD", "F_Rate", "折扣", "折扣"},
    {"depotD", "F_TotalPrice", "金额", "金额"},
};

const char *const kCustomCaptions[] = {"字符项一", "字符项二", "字符项三", "字符项四", "字符项五", "数值项一",
                                       "数值项二", "数值项三", "日期项一", "日期项二", "日期项三"};

QString s(const char *utf8) { return QString::fromUtf8(utf8); }

} // namespace

bool DatabaseInstaller::exists(const Options &options, bool *exists, QString *error)
{
    const ConnectionSettings &cs = options.settings;
    if (cs.backend() == Backend::SQLite) {
        *exists = QFileInfo::exists(cs.sqliteFile(options.baseDir));
        return true;
    }
    AdminConnection admin(cs);
    if (!admin.ok()) {
        if (error)
            *error = admin.error();
        return false;
    }
    QSqlDatabase db = admin.db();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT 1 FROM pg_database WHERE datname = :name"));
    q.bindValue(QStringLiteral(":name"), cs.database);
    if (!q.exec()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    *exists = q.next();
    return true;
}

bool DatabaseInstaller::createPostgresDatabase(const Options &options, QString *error)
{
    AdminConnection admin(options.settings);
    if (!admin.ok()) {
        if (error)
            *error = admin.error();
        return false;
    }
    QSqlDatabase db = admin.db();
    const QString name = quoteIdent(options.settings.database);
    QSqlQuery q(db);
    if (options.overwrite && !q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name))) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    if (!q.exec(QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0").arg(name))) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    return true;
}

bool DatabaseInstaller::install(const Options &options, QString *error)
{
    const ConnectionSettings &cs = options.settings;
    if (cs.database.trimmed().isEmpty()) {
        if (error)
            *error = QStringLiteral("no database name given");
        return false;
    }
    bool present = false;
    if (!exists(options, &present, error))
        return false;
    if (present && !options.overwrite) {
        if (error)
            *error = QStringLiteral("the database %1 already exists (use --force to replace it)")
                         .arg(cs.backend() == Backend::SQLite ? cs.sqliteFile(options.baseDir) : cs.database);
        return false;
    }

    const QString connName = QStringLiteral("install_db_") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(SqlDialect::driverName(cs.backend()), connName);
        if (cs.backend() == Backend::SQLite) {
            const QString file = cs.sqliteFile(options.baseDir);
            QDir().mkpath(QFileInfo(file).absolutePath());
            if (present) {
                QFile::remove(file);
                QFile::remove(file + QStringLiteral("-wal"));
                QFile::remove(file + QStringLiteral("-shm"));
            }
            db.setDatabaseName(file);
        } else {
            if (!createPostgresDatabase(options, error)) {
                db = QSqlDatabase();
                QSqlDatabase::removeDatabase(connName);
                return false;
            }
            db.setHostName(cs.host());
            if (cs.port > 0)
                db.setPort(cs.port);
            db.setUserName(cs.user.isEmpty() ? QStringLiteral("sa") : cs.user);
            db.setPassword(cs.password);
            db.setDatabaseName(cs.database);
        }
        if (!db.open()) {
            if (error)
                *error = db.lastError().text();
        } else {
            ok = createContent(db, options, error);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connName);
    return ok;
}

bool DatabaseInstaller::createContent(QSqlDatabase &db, const Options &options, QString *error)
{
    const Backend b = SqlDialect::backend(db);
    const QStringList ddl = Schema::createStatements(b);
    // Preamble statements (extensions, journal mode) cannot run inside a transaction on every
    // backend; run them first.
    const QStringList preamble = SqlDialect::databasePreamble(b);
    for (const QString &stmt : preamble)
        if (!run(db, stmt, {}, error))
            return false;
    if (!db.transaction()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    auto fail = [&]() {
        db.rollback();
        return false;
    };
    for (const QString &stmt : ddl.mid(preamble.size()))
        if (!run(db, stmt, {}, error))
            return fail();

    // The built-in administrator, with an empty password.
    if (!run(db,
             QStringLiteral("INSERT INTO OperList (F_Code, F_Name, F_PassWord, F_PartCode, F_Flag, F_new, F_edit, "
                            "F_del, F_check, F_set, F_YGedit, F_HPedit, F_KHedit, F_price, F_CKflag, F_depot) "
                            "VALUES ('000', :name, '', '', 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, '')"),
             {{QStringLiteral("name"), s("系统管理员")}}, error))
        return fail();

    QString backup = options.backupPath;
    if (backup.isEmpty())
        backup = b == Backend::SQLite
            ? QFileInfo(options.settings.sqliteFile(options.baseDir)).absolutePath() + QStringLiteral("/backup")
            : QDir(options.baseDir).filePath(QStringLiteral("backup"));
    if (!run(db,
             QStringLiteral("INSERT INTO SysInfo (F_Code, F_Name, F_BakPath, F_iAmount, F_iPrice, F_iTotal, F_b2, "
                            "F_b3, F_b4) VALUES (:corp, '', :bak, 2, 2, 2, 0, 1, 0)"),
             {{QStringLiteral("corp"), options.companyName}, {QStringLiteral("bak"), backup}}, error))
        return fail();

    for (const char *caption : kCustomCaptions)
        if (!run(db, QStringLiteral("INSERT INTO KeyValue (F_Value, F_Flag) VALUES (:v, 0)"),
                 {{QStringLiteral("v"), s(caption)}}, error))
            return fail();

    for (const LimitEntry &e : limitCatalogue())
        if (!run(db, QStringLiteral("INSERT INTO Limits (F_Code, F_Name, F_Flag) VALUES (:c, :n, 1)"),
                 {{QStringLiteral("c"), s(e.code)}, {QStringLiteral("n"), s(e.caption)}}, error))
            return fail();

    for (const ImportMapping &m : kImportMappings)
        if (!run(db,
                 QStringLiteral("INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) "
                                "VALUES (:t, 1, :f, :c, :x)"),
                 {{QStringLiteral("t"), s(m.table)},
                  {QStringLiteral("f"), s(m.field)},
                  {QStringLiteral("c"), s(m.caption)},
                  {QStringLiteral("x"), s(m.column)}},
                 error))
            return fail();

    QString lastLayout;
    int order = 0;
    for (const GridSeedColumn &g : gridLayoutSeeds()) {
        if (lastLayout != QLatin1String(g.layout)) {
            lastLayout = QLatin1String(g.layout);
            order = 0;
        }
        if (!run(db,
                 QStringLiteral("INSERT INTO cfg_Grid (F_name, F_fieldname, F_caption, F_width, F_visible, "
                                "F_readonly, F_order, F_alignment, F_displayFormat, F_footerValue, F_footerType) "
                                "VALUES (:n, :f, :c, :w, :v, :r, :o, :a, :d, :fv, :ft)"),
                 {{QStringLiteral("n"), s(g.layout)},
                  {QStringLiteral("f"), s(g.field)},
                  {QStringLiteral("c"), s(g.caption)},
                  {QStringLiteral("w"), g.width},
                  {QStringLiteral("v"), g.visible ? 1 : 0},
                  {QStringLiteral("r"), g.readOnly ? 1 : 0},
                  {QStringLiteral("o"), order++},
                  {QStringLiteral("a"), g.alignment},
                  {QStringLiteral("d"), s(g.displayFormat ? g.displayFormat : "")},
                  {QStringLiteral("fv"), s(g.footerValue ? g.footerValue : "")},
                  {QStringLiteral("ft"), g.footerType}},
                 error))
            return fail();
    }

    if (!db.commit()) {
        if (error)
            *error = db.lastError().text();
        return fail();
    }
    return true;
}
