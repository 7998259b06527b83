#include "support/testdatabase.h"

#include "installrun.h"
#include "tdlgdbinstall.h"

#include "data/demodata.h"
#include "data/tdmdata.h"
#include "platform/inifile.h"
#include "platform/showmess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

// dbinstall and dblink as the user runs them (the built programs beside the tests), and the
// installation dialog that the program offers when it cannot connect.
class TestDbInstall : public QObject
{
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QString out;
        QString err;
    };

    static Run runTool(const QString &name, const QStringList &args)
    {
        QProcess p;
        p.setProgram(QDir::current().filePath(name));
        p.setArguments(args);
        p.start();
        Run r;
        if (!p.waitForFinished(120000)) {
            r.err = QStringLiteral("%1 did not finish: %2").arg(name, p.errorString());
            return r;
        }
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    static QByteArray digest(const QString &path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }

    static ConnectionSettings sqliteAt(const QString &file)
    {
        ConnectionSettings s;
        s.driver = QStringLiteral("sqlite");
        s.database = file;
        return s;
    }

    template <typename T> static T *child(QWidget &w, const char *name)
    {
        T *c = w.findChild<T *>(QLatin1String(name));
        if (!c)
            qFatal("no %s", name);
        return c;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(QDir::current().filePath("dbinstall")).isExecutable(), "dbinstall is not built beside the tests");
        QVERIFY2(QFileInfo(QDir::current().filePath("dblink")).isExecutable(), "dblink is not built beside the tests");
    }

    void createsEmptyDatabaseAndRefusesToReplaceIt()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath("sub/company.db");
        const QString ini = dir.filePath("Config.ini");
        const Run first = runTool("dbinstall", {"--database", db, "--config", ini});
        QVERIFY2(first.exitCode == 0, qPrintable(first.err));
        QVERIFY(first.out.contains(db));
        QVERIFY(QFileInfo(db).isFile());

        IniFile config(ini);
        QVERIFY(config.exists());
        QCOMPARE(config.readString("DBconn", "driver"), QString("sqlite"));
        QCOMPARE(config.readString("DBconn", "Database"), db);

        {
            TdmData dm;
            QString error;
            QVERIFY2(dm.open(ConnectionSettings::fromIni(config), dir.path(), &error), qPrintable(error));
            QCOMPARE(dm.QueryInt("select count(*) from SysInfo"), 1);
            QCOMPARE(dm.QueryInt("select count(*) from OperList where F_Code = '000'"), 1);
            // Without --demo the company is empty.
            QCOMPARE(dm.QueryInt("select count(*) from t_goods"), 0);
            QCOMPARE(dm.QueryInt("select count(*) from depotM"), 0);
            dm.exec("insert into t_code (F_type, F_name) values ('depot', 'X')");
        }

        // A second run without --force changes neither the database nor Config.ini.
        const QByteArray dbBefore = digest(db);
        const QByteArray iniBefore = digest(ini);
        const QDateTime modified = QFileInfo(db).lastModified();
        const Run second = runTool("dbinstall", {"--database", db, "--config", ini});
        QCOMPARE(second.exitCode, 1);
        QVERIFY2(second.err.contains("already exists"), qPrintable(second.err));
        QCOMPARE(digest(db), dbBefore);
        QCOMPARE(QFileInfo(db).lastModified(), modified);
        QCOMPARE(digest(ini), iniBefore);

        // --force replaces it with a new, empty database.
        const Run forced = runTool("dbinstall", {"--database", db, "--config", ini, "--force"});
        QVERIFY2(forced.exitCode == 0, qPrintable(forced.err));
        TdmData dm;
        QVERIFY(dm.open(sqliteAt(db), dir.path()));
        QCOMPARE(dm.QueryInt("select count(*) from t_code"), 0);
    }

    void demoCompanyOnTheCommandLine()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath("demo.db");
        const Run r = runTool("dbinstall", {"--database", db, "--demo", "--no-config"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QVERIFY(r.out.contains("Demo company: 30 suppliers, 300 goods"));
        QVERIFY(!QFile::exists(dir.filePath("Config.ini")));
        TdmData dm;
        QVERIFY(dm.open(sqliteAt(db), dir.path()));
        QCOMPARE(dm.QueryString("select F_Code from SysInfo"), DemoData::companyName());
        QCOMPARE(dm.QueryInt("select count(*) from t_goods"), 300);
        QVERIFY(dm.QueryInt("select count(*) from depotM") > 0);
    }

    void dblinkWritesConfigForAWorkingDatabase()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath("linked.db");
        QCOMPARE(runTool("dbinstall", {"--database", db, "--no-config"}).exitCode, 0);
        const QString ini = dir.filePath("Config.ini");
        {
            IniFile keep(ini);
            QVERIFY(keep.writeString("config", "iPrintNum", "7"));
        }
        const Run r = runTool("dblink", {"--database", db, "--config", ini});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        IniFile config(ini);
        QCOMPARE(config.readString("DBconn", "Database"), db);
        QCOMPARE(config.readString("DBconn", "driver"), QString("sqlite"));
        // Other sections stay.
        QCOMPARE(config.readString("config", "iPrintNum"), QString("7"));
    }

    void dblinkLeavesConfigAloneWhenTheConnectionFails_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing file") << QStringList{"--database", "no-such-folder/missing.db"} << "does not exist";
        if (TestDatabase::postgresAvailable()) {
            const ConnectionSettings pg = TestDatabase::postgresServer();
            QTest::newRow("wrong password")
                << QStringList{"--driver", "postgres", "--server", pg.server, "--port", QString::number(pg.port),
                               "--user", pg.user, "--password", pg.password + "-wrong", "--database", "postgres"}
                << "password authentication failed";
        }
    }

    void dblinkLeavesConfigAloneWhenTheConnectionFails()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString ini = dir.filePath("Config.ini");
        {
            IniFile before(ini);
            QVERIFY(before.writeString("DBconn", "Database", "old.db"));
        }
        const QByteArray iniBefore = digest(ini);
        const Run r = runTool("dblink", args << "--config" << ini);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("cannot connect"), qPrintable(r.err));
        QVERIFY2(r.err.contains(reason), qPrintable(r.err));
        QVERIFY2(r.err.contains("Config.ini was not changed"), qPrintable(r.err));
        QCOMPARE(digest(ini), iniBefore);
        QVERIFY(!QFile::exists(dir.filePath("no-such-folder/missing.db")));
    }

    void dialogInstallsAndWritesConfig()
    {
        QTemporaryDir dir;
        InstallRun::Request initial;
        initial.install.settings.driver = "sqlite";
        initial.install.settings.database = "doRIZuv";
        initial.install.baseDir = dir.path();
        initial.configPath = dir.filePath("Config.ini");
        TDlgDbInstall dlg(initial);
        dlg.show();

        child<QLineEdit>(dlg, "edtDatabase")->setText("shop");
        // SQLite needs no server fields.
        QVERIFY(!child<QLineEdit>(dlg, "edtServer")->isEnabled());
        child<QComboBox>(dlg, "cbbDriver")->setCurrentIndex(1);
        QVERIFY(child<QLineEdit>(dlg, "edtServer")->isEnabled());
        child<QComboBox>(dlg, "cbbDriver")->setCurrentIndex(0);

        // Ticking the demo company brings its name, unless another one was typed.
        QLineEdit *company = child<QLineEdit>(dlg, "edtCompany");
        QCOMPARE(company->text(), QString("我的公司"));
        child<QCheckBox>(dlg, "chkDemo")->setChecked(true);
        QCOMPARE(company->text(), DemoData::companyName());
        child<QCheckBox>(dlg, "chkDemo")->setChecked(false);
        QCOMPARE(company->text(), QString("我的公司"));
        company->setText("东方贸易有限公司");

        MessageScript script;
        QTest::mouseClick(child<QPushButton>(dlg, "btnInstall"), Qt::LeftButton);
        QLabel *status = child<QLabel>(dlg, "lblStatus");
        QVERIFY2(status->text().startsWith("安装成功"), qPrintable(status->text()));
        QVERIFY(dlg.succeeded());
        QVERIFY(script.shown().isEmpty());
        const QString file = dir.filePath("shop.db");
        QVERIFY(QFileInfo(file).isFile());
        QVERIFY(status->text().contains(file));
        IniFile config(dir.filePath("Config.ini"));
        QCOMPARE(config.readString("DBconn", "Database"), file);
        TdmData dm;
        QVERIFY(dm.open(sqliteAt(file), dir.path()));
        QCOMPARE(dm.QueryString("select F_Code from SysInfo"), QString("东方贸易有限公司"));
    }

    void dialogProtectsAnExistingDatabase()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("keep.db");
        QCOMPARE(runTool("dbinstall", {"--database", file, "--no-config"}).exitCode, 0);
        const QByteArray before = digest(file);

        InstallRun::Request initial;
        initial.install.settings.driver = "sqlite";
        initial.install.settings.database = file;
        initial.install.baseDir = dir.path();
        initial.configPath = dir.filePath("Config.ini");
        TDlgDbInstall dlg(initial);
        QLabel *status = child<QLabel>(dlg, "lblStatus");
        QPushButton *install = child<QPushButton>(dlg, "btnInstall");
        MessageScript script;

        // Not allowed to overwrite: refused, nothing asked, nothing changed.
        QTest::mouseClick(install, Qt::LeftButton);
        QVERIFY2(status->text().startsWith("安装失败") && status->text().contains("已经存在"), qPrintable(status->text()));
        QVERIFY(script.shown().isEmpty());

        // Allowed, but the question is declined.
        child<QCheckBox>(dlg, "chkOverwrite")->setChecked(true);
        script.answer(2);
        QTest::mouseClick(install, Qt::LeftButton);
        QCOMPARE(script.shown().size(), 1);
        QCOMPARE(script.shown().first().kind, int(MessQuestion));
        QVERIFY(status->text().startsWith("已取消"));
        QCOMPARE(digest(file), before);
        QVERIFY(!QFile::exists(dir.filePath("Config.ini")));
        QVERIFY(!dlg.succeeded());

        // Confirmed: replaced.
        script.answer(1);
        QTest::mouseClick(install, Qt::LeftButton);
        QVERIFY2(status->text().startsWith("安装成功"), qPrintable(status->text()));
        QVERIFY(QFile::exists(dir.filePath("Config.ini")));
    }

    void dialogReportsAServerItCannotReach()
    {
        if (!TestDatabase::postgresAvailable())
            QSKIP("no PostgreSQL test server");
        QTemporaryDir dir;
        const ConnectionSettings pg = TestDatabase::postgresServer();
        InstallRun::Request initial;
        initial.install.settings = pg;
        initial.install.settings.password = pg.password + "-wrong";
        initial.install.settings.database = "pm_never_made";
        initial.install.baseDir = dir.path();
        initial.configPath = dir.filePath("Config.ini");
        TDlgDbInstall dlg(initial);
        MessageScript script;
        QTest::mouseClick(child<QPushButton>(dlg, "btnInstall"), Qt::LeftButton);
        const QString text = child<QLabel>(dlg, "lblStatus")->text();
        QVERIFY2(text.startsWith("安装失败") && text.contains("password authentication failed"), qPrintable(text));
        QCOMPARE(script.shown().size(), 1);
        QCOMPARE(script.shown().first().kind, int(MessError));
        QVERIFY(!QFile::exists(dir.filePath("Config.ini")));
    }
};

QTEST_MAIN(TestDbInstall)
#include "tst_dbinstall.moc"
