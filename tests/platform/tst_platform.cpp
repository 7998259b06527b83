#include "platform/inifile.h"
#include "platform/password.h"
#include "platform/showmess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPlatform : public QObject
{
    Q_OBJECT
private slots:
    void iniKeysIgnoreCase()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Config.ini");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("; comment\r\n[DBconn]\r\npassword= sec ret \r\nDATABASE=shop\r\n\r\n[config]\r\nibak=3\r\nbTM=1\r\n");
        f.close();
        IniFile ini(path);
        QCOMPARE(ini.readString("dbconn", "Password"), QString("sec ret")); // blanks around values are not part of them
        QCOMPARE(ini.readString("DBconn", "Database"), QString("shop"));
        QCOMPARE(ini.readString("DBconn", "server", "(Local)"), QString("(Local)"));
        QCOMPARE(ini.readInteger("Config", "IBAK", 0), 3);
        QCOMPARE(ini.readBool("config", "btm", false), true);
        QCOMPARE(ini.readInteger("config", "iPrintNum", 5), 5);
        // Writing keeps the rest of the file and reuses the existing section whatever its case.
        QVERIFY(ini.writeString("Config", "CurOperCode", "007"));
        QVERIFY(ini.writeInteger("CONFIG", "ibak", 1));
        IniFile again(path);
        QCOMPARE(again.readString("config", "curopercode"), QString("007"));
        QCOMPARE(again.readInteger("config", "ibak", 0), 1);
        QCOMPARE(again.readString("DBconn", "password"), QString("sec ret"));
        QFile g(path);
        QVERIFY(g.open(QIODevice::ReadOnly));
        const QByteArray text = g.readAll();
        QCOMPARE(text.count("[config]"), 1);
        QVERIFY(text.startsWith("; comment"));
    }

    void iniReadsGbk()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Config.ini");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        // "[DBconn]\nDatabase=采购" with the name in GBK.
        f.write("[DBconn]\nDatabase=\xB2\xC9\xB9\xBA\n");
        f.close();
        IniFile ini(path);
        QCOMPARE(ini.readString("DBconn", "Database"), QString("采购"));
    }

    void missingIniGivesDefaults()
    {
        QTemporaryDir dir;
        IniFile ini(dir.filePath("Config.ini"));
        QVERIFY(!ini.exists());
        QVERIFY(ini.load());
        QCOMPARE(ini.readString("DBconn", "Database", "doRIZuv"), QString("doRIZuv"));
    }

    void passwords()
    {
        QVERIFY(Password::verify(QString(), QString()));
        QVERIFY(!Password::verify(QString(), "x"));
        const QString stored = Password::hash("秘密 word");
        QVERIFY(stored.startsWith("$argon2id$"));
        QVERIFY(Password::verify(stored, "秘密 word"));
        QVERIFY(!Password::verify(stored, "秘密 word "));
        QVERIFY(!Password::verify(stored, QString()));
        QVERIFY(Password::hash("a") != Password::hash("a")); // salted
        QVERIFY(Password::hash(QString()).isEmpty());
    }

    void scriptedMessages()
    {
        MessageScript script;
        script.answer(2);
        QCOMPARE(ShowMess("删除吗？", MessQuestion), 2);
        QCOMPARE(ShowMess("再删除吗？", MessQuestion), 1); // no answer queued: confirm
        QCOMPARE(ShowMess("出错", MessError), 0);
        QCOMPARE(script.texts(), (QStringList{"删除吗？", "再删除吗？", "出错"}));
        QCOMPARE(script.shown().at(2).kind, int(MessError));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
