#include "shellfixture.h"
#include "support/testdatabase.h"

#include "app/startup.h"
#include "app/tfrmmain.h"
#include "app/tfrmmodpass.h"
#include "app/tfrmoperlogin.h"
#include "data/session.h"
#include "platform/inifile.h"
#include "platform/password.h"
#include "platform/showmess.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace ShellFixture;

namespace {

void fill(QWidget *dlg, const QString &code, const QString &password)
{
    auto *c = dlg->findChild<QLineEdit *>("edtOperCode");
    auto *p = dlg->findChild<QLineEdit *>("edtPassWord");
    QVERIFY(c && p);
    c->setText(code);
    p->setText(password);
}

void clickOk(QWidget *dlg) { dlg->findChild<QPushButton *>("btnOk")->click(); }

QString savedOperCode()
{
    IniFile ini(Session::instance().iniFile->path());
    ini.load();
    return ini.readString("Config", "CurOperCode");
}

int logRows(TdmData &dm, const QString &type)
{
    return dm.QueryInt("select count(*) from LogRec where F_OperType = :t", {{"t", type}});
}

} // namespace

// The operator login at start-up and for "重新登录", and the password change.
class TestLogin : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init()
    {
        QFile::remove(m_dir.filePath("Config.ini"));
        resetSession(m_dir.path());
    }

    void adminWithEmptyPasswordLogsIn()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        TFrmMain main;
        TfrmOperLogin dlg(TfrmOperLogin::StartUp, &main);
        dlg.show();
        QCOMPARE(dlg.findChild<QLineEdit *>("edtOperCode")->text(), QString());
        fill(&dlg, "000", "");
        // Leaving the code field shows the operator's name.
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.findChild<QLineEdit *>("edtOperCode")->setFocus();
        dlg.findChild<QLineEdit *>("edtPassWord")->setFocus();
        QCOMPARE(dlg.findChild<QLineEdit *>("edtOperName")->text(), QString("系统管理员"));
        clickOk(&dlg);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(msgs.shown().isEmpty());
        const Session &s = Session::instance();
        QCOMPARE(s.sOperCode, QString("000"));
        QCOMPARE(s.sOperName, QString("系统管理员"));
        QVERIFY(s.bNew && s.bEdit && s.bDel && s.bCheck && s.bSet && s.bYGedit && s.bHPedit && s.bKHedit && s.bPrice);
        QCOMPARE(s.iCKflag, 0);
        QCOMPARE(s.sNoPrice, QString());
        QCOMPARE(s.sCorpName, QString("测试公司"));
        QVERIFY(!s.KeyValueText[1].isEmpty());
        QCOMPARE(savedOperCode(), QString("000"));
        QCOMPARE(main.statusText(1), QString("系统管理员"));
        QVERIFY(main.command(102)->isVisible());
    }

    void lastOperatorIsOffered()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QVERIFY(addOperator(t.dm(), {"zs", "张三", "abc", ""}));
        QVERIFY(Session::instance().iniFile->writeString("Config", "CurOperCode", "zs"));
        TfrmOperLogin dlg(TfrmOperLogin::StartUp, nullptr);
        QCOMPARE(dlg.findChild<QLineEdit *>("edtOperCode")->text(), QString("zs"));
        QCOMPARE(dlg.findChild<QLineEdit *>("edtOperName")->text(), QString("张三"));
        // An unknown code empties the name when the field is left.
        dlg.show();
        auto *code = dlg.findChild<QLineEdit *>("edtOperCode");
        code->setText("nobody");
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        code->setFocus();
        dlg.findChild<QLineEdit *>("edtPassWord")->setFocus();
        QCOMPARE(dlg.findChild<QLineEdit *>("edtOperName")->text(), QString());
    }

    void keysOfTheLoginWindow()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        TfrmOperLogin dlg(TfrmOperLogin::StartUp, nullptr);
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto *code = dlg.findChild<QLineEdit *>("edtOperCode");
        code->setFocus();
        QTest::keyClicks(code, "000");
        // Enter moves on through the fields; the name is filled on the way.
        QTest::keyClick(code, Qt::Key_Return);
        QCOMPARE(dlg.focusWidget(), dlg.findChild<QLineEdit *>("edtOperName"));
        QCOMPARE(dlg.findChild<QLineEdit *>("edtOperName")->text(), QString("系统管理员"));
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
        QCOMPARE(dlg.focusWidget(), dlg.findChild<QLineEdit *>("edtPassWord"));
        QVERIFY(dlg.isVisible());
        // The window cannot be closed from the title bar or with Alt+F4.
        QVERIFY(!dlg.close());
        QVERIFY(dlg.isVisible());
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
        QCOMPARE(dlg.focusWidget(), dlg.findChild<QPushButton *>("btnOk"));
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(Session::instance().sOperCode, QString("000"));
    }

    void passwordChecks_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("right") << "abc" << "abc" << true;
        QTest::newRow("blanks around typed") << "abc" << "  abc " << true;
        QTest::newRow("wrong") << "abc" << "abd" << false;
        QTest::newRow("case matters") << "abc" << "ABC" << false;
        QTest::newRow("empty stored, blanks typed") << "" << "   " << true;
        QTest::newRow("empty stored, text typed") << "" << "x" << false;
        QTest::newRow("empty typed") << "abc" << "" << false;
    }
    void passwordChecks()
    {
        REQUIRE_TEST_DB(t);
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        MessageScript msgs;
        QVERIFY(addOperator(t.dm(), {"zs", "张三", stored, ""}));
        TfrmOperLogin dlg(TfrmOperLogin::StartUp, nullptr);
        dlg.show();
        fill(&dlg, " zs ", typed);
        clickOk(&dlg);
        QCOMPARE(dlg.result() == QDialog::Accepted, accepted);
        QCOMPARE(Session::instance().sOperCode, accepted ? QString("zs") : QString());
        if (!accepted)
            QCOMPARE(msgs.texts(), QStringList{"用户名或密码不正确，请重新输入！"});
    }

    void missingCodeOrUnknownOperator()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        TfrmOperLogin dlg(TfrmOperLogin::StartUp, nullptr);
        dlg.show();
        fill(&dlg, "  ", "");
        clickOk(&dlg);
        fill(&dlg, "nobody", "");
        clickOk(&dlg);
        // A quote in the code is just a character of the code.
        fill(&dlg, "000' or '1'='1", "");
        clickOk(&dlg);
        QCOMPARE(msgs.texts(), (QStringList{"请选择用户！", "此操作员并不存在，请重新选择操作员！",
                                            "此操作员并不存在，请重新选择操作员！"}));
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.failures(), 0);
        QCOMPARE(Session::instance().sOperCode, QString());
    }

    void fourthWrongPasswordAtStartUpEndsTheProgram()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QVERIFY(addOperator(t.dm(), {"zs", "张三", "abc", ""}));
        QVERIFY(Session::instance().iniFile->writeString("Config", "CurOperCode", "000"));
        TFrmMain main;
        int attempts = 0;
        bool stillOpenAfterThree = false;
        whenModal([&](QWidget *dlg) {
            QVERIFY(dlg && dlg->objectName() == "frmOperLogin");
            for (int i = 0; i < 4; ++i) {
                if (i == 3)
                    stillOpenAfterThree = dlg->isVisible();
                fill(dlg, "zs", "wrong");
                clickOk(dlg);
                ++attempts;
            }
        });
        QCOMPARE(runSession(main), 1);
        QCOMPARE(attempts, 4);
        QVERIFY(stillOpenAfterThree);
        QVERIFY(!main.isVisible());
        QCOMPARE(msgs.texts(), (QStringList{"用户名或密码不正确，请重新输入！", "用户名或密码不正确，请重新输入！",
                                            "用户名或密码不正确，请重新输入！", "非法操作员!"}));
        QCOMPARE(msgs.shown().last().kind, int(MessError));
        QCOMPARE(logRows(t.dm(), "登录失败！"), 1);
        QCOMPARE(t.dm().QueryString("select F_OperDate from LogRec"), QDate::currentDate().toString("yyyy-MM-dd"));
        // A failed login leaves the remembered operator alone.
        QCOMPARE(savedOperCode(), QString("000"));
    }

    void rightPasswordAtTheFourthTry()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QVERIFY(addOperator(t.dm(), {"zs", "张三", "abc", ""}));
        TfrmOperLogin dlg(TfrmOperLogin::StartUp, nullptr);
        dlg.show();
        for (int i = 0; i < 3; ++i) {
            fill(&dlg, "zs", "no");
            clickOk(&dlg);
        }
        QVERIFY(dlg.isVisible());
        fill(&dlg, "zs", "abc");
        clickOk(&dlg);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(Session::instance().sOperCode, QString("zs"));
        QCOMPARE(logRows(t.dm(), "登录失败！"), 0);
    }

    void cancelAtStartUpEndsTheProgram()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        TFrmMain main;
        whenModal([](QWidget *dlg) { dlg->findChild<QPushButton *>("btnCancel")->click(); });
        QCOMPARE(runSession(main), 1);
        QVERIFY(!main.isVisible());
        QCOMPARE(Session::instance().sOperCode, QString());
    }

    void startUpLoginShowsTheMainWindow()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        TFrmMain main;
        bool desktopShown = false;
        whenModal([&](QWidget *dlg) {
            fill(dlg, "000", "");
            clickOk(dlg);
            // Once the event loop runs: look at the main window, then leave.
            QTimer::singleShot(0, [&] {
                desktopShown = main.isVisible() && main.findChild<QWidget *>("FrmBtnImage")
                    && main.findChild<QWidget *>("FrmBtnImage")->isVisible();
                main.close();
            });
        });
        QCOMPARE(runSession(main), 0);
        QVERIFY(desktopShown);
        QCOMPARE(msgs.texts(), QStringList{"真的要退出“Quenvar采购管理软件 ”软件吗？"});
        QCOMPARE(main.windowTitle(), QString("Quenvar采购管理软件 v2.63(网络版)"));
    }

    void disabledOperatorIsRefused()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        Operator op{"ls", "李四", "pw", ""};
        op.disabled = true;
        QVERIFY(addOperator(t.dm(), op));
        TfrmOperLogin dlg(TfrmOperLogin::StartUp, nullptr);
        dlg.show();
        fill(&dlg, "ls", "pw");
        clickOk(&dlg);
        QVERIFY(dlg.isVisible());
        QCOMPARE(msgs.texts(), QStringList{"此操作员已被禁用，不能登录！"});
        QCOMPARE(msgs.shown().first().kind, int(MessWarning));
        QCOMPARE(Session::instance().sOperCode, QString());
        QCOMPARE(savedOperCode(), QString());
        // A wrong password of a disabled operator counts as any wrong password.
        msgs.clear();
        fill(&dlg, "ls", "nope");
        clickOk(&dlg);
        QCOMPARE(msgs.texts(), QStringList{"用户名或密码不正确，请重新输入！"});
    }

    void cancelledReloginKeepsTheOperator()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QVERIFY(addRole(t.dm(), "R1", {}));
        QVERIFY(addOperator(t.dm(), {"zs", "张三", "abc", "R1"}));
        TFrmMain main;
        QVERIFY(loginDirect(t.dm(), "000", &main));
        QVERIFY(Session::instance().iniFile->writeString("Config", "CurOperCode", "000"));
        whenModal([](QWidget *dlg) {
            fill(dlg, "zs", "abc");
            dlg->findChild<QPushButton *>("btnCancel")->click();
        });
        main.N43Click();
        const Session &s = Session::instance();
        QCOMPARE(s.sOperCode, QString("000"));
        QVERIFY(s.bNew);
        QCOMPARE(main.statusText(1), QString("系统管理员"));
        QVERIFY(main.command(102)->isVisible());
        QCOMPARE(savedOperCode(), QString("000"));
        QVERIFY(msgs.shown().isEmpty());
    }

    void failedReloginKeepsTheOperator()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QVERIFY(addOperator(t.dm(), {"zs", "张三", "abc", ""}));
        TFrmMain main;
        QVERIFY(loginDirect(t.dm(), "000", &main));
        whenModal([](QWidget *dlg) {
            for (int i = 0; i < 4; ++i) {
                fill(dlg, "zs", "x");
                clickOk(dlg);
            }
        });
        main.N43Click();
        QCOMPARE(Session::instance().sOperCode, QString("000"));
        QCOMPARE(msgs.texts().last(), QString("更换操作员失败!"));
        QCOMPARE(logRows(t.dm(), "更换操作员失败！"), 1);
        // The log names the operator who was logged in.
        QCOMPARE(t.dm().QueryString("select F_EmpName from LogRec"), QString("系统管理员"));
        QVERIFY(main.command(102)->isVisible());
    }

    void reloginReplacesTheSession()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QVERIFY(addRole(t.dm(), "R1", {"109"}));
        Operator op{"zs", "张三", "abc", "R1"};
        op.price = false;
        QVERIFY(addOperator(t.dm(), op));
        TFrmMain main;
        QVERIFY(loginDirect(t.dm(), "000", &main));
        whenModal([](QWidget *dlg) {
            fill(dlg, "ZS", "abc");
            clickOk(dlg);
        });
        main.N43Click();
        const Session &s = Session::instance();
        // The code as stored, whatever the letter case typed.
        QCOMPARE(s.sOperCode, QString("zs"));
        QCOMPARE(s.sPartCode, QString("R1"));
        QVERIFY(s.bNew && !s.bEdit && s.bDel && !s.bCheck && !s.bPrice);
        QCOMPARE(s.sNoPrice, QString("1"));
        QCOMPARE(savedOperCode(), QString("zs"));
        QCOMPARE(main.statusText(1), QString("张三"));
        QVERIFY(!main.command(102)->isVisible());
        QVERIFY(main.command(109)->isVisible());
    }

    void customFieldSlotsStopAtTwelve()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        for (const char *v : {"十二", "十三"})
            QVERIFY(t.dm().ExecCommand("insert into KeyValue (F_Value,F_Flag) values (:v,1)", {{"v", QString::fromUtf8(v)}}));
        QVERIFY(t.dm().ExecCommand("update KeyValue set F_Flag = 1 where F_ID = (select min(F_ID) from KeyValue)"));
        QVERIFY(loginDirect(t.dm(), "000", nullptr));
        const Session &s = Session::instance();
        QVERIFY(s.KeyValueFlag[1]);
        QVERIFY(!s.KeyValueFlag[2]);
        QCOMPARE(s.KeyValueText[12], QString("十二"));
        QVERIFY(s.KeyValueFlag[12]);
    }

    void changePassword()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QVERIFY(addOperator(t.dm(), {"zs", "张三", "old", ""}));
        QVERIFY(loginDirect(t.dm(), "zs", nullptr));
        TfrmModPass dlg;
        dlg.show();
        QCOMPARE(dlg.findChild<QLabel *>("Label1")->text(), QString("当前操作员：张三"));
        auto *oldPass = dlg.findChild<QLineEdit *>("edtOldPass");
        auto *newPass = dlg.findChild<QLineEdit *>("edtNewPass");
        auto *again = dlg.findChild<QLineEdit *>("edtAdjustPass");
        auto *ok = dlg.findChild<QPushButton *>("BitBtn1");

        // Blanks around the old password count here.
        oldPass->setText(" old");
        newPass->setText("new");
        again->setText("new");
        ok->click();
        QCOMPARE(msgs.shown().last().text, QString("旧口令输入错误，不能更改！"));
        QCOMPARE(msgs.shown().last().kind, int(MessWarning));

        oldPass->setText("old");
        newPass->setText("new");
        again->setText("nwe");
        ok->click();
        QCOMPARE(msgs.shown().last().text, QString("新口令错误，不能更改！"));
        QVERIFY(newPass->text().isEmpty() && again->text().isEmpty());
        QVERIFY(dlg.isVisible());

        newPass->setText("new ");
        again->setText(" new");
        ok->click();
        QCOMPARE(msgs.shown().last().text, QString("更改口令成功！"));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        const QString stored = t.dm().QueryString("select F_PassWord from OperList where F_Code = 'zs'");
        QVERIFY(stored != "new");
        QVERIFY(Password::verify(stored, "new"));
        QVERIFY(!Password::verify(stored, "old"));

        // And the next login takes the new password.
        TfrmOperLogin login(TfrmOperLogin::ReLogin, nullptr);
        login.show();
        fill(&login, "zs", "new");
        clickOk(&login);
        QCOMPARE(login.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
