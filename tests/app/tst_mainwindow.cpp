#include "shellfixture.h"
#include "support/testdatabase.h"

#include "app/commandtable.h"
#include "app/desktopprograms.h"
#include "app/tdlgdblink.h"
#include "app/tfrmbtnimage.h"
#include "app/tfrmmain.h"
#include "data/limitcatalogue.h"
#include "data/session.h"
#include "platform/inifile.h"
#include "platform/mdiwindows.h"
#include "platform/showmess.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

using namespace ShellFixture;

// MDI children for the tests: each records its close and may refuse it.
class ProbeChild : public QWidget
{
    Q_OBJECT
public:
    explicit ProbeChild(const QString &name, QWidget *parent = nullptr) : QWidget(parent)
    {
        setObjectName(name);
        setWindowTitle(name);
        resize(200, 120);
    }
    bool refuse = false;
    static QStringList closeLog;

protected:
    void closeEvent(QCloseEvent *e) override
    {
        closeLog << objectName();
        if (refuse)
            e->ignore();
        else
            e->accept();
    }
};
QStringList ProbeChild::closeLog;

class ProbeA : public ProbeChild
{
    Q_OBJECT
public:
    ProbeA() : ProbeChild("A") {}
};
class ProbeB : public ProbeChild
{
    Q_OBJECT
public:
    ProbeB() : ProbeChild("B") {}
};
class ProbeC : public ProbeChild
{
    Q_OBJECT
public:
    ProbeC() : ProbeChild("C") {}
};

class ProbeDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ProbeDialog(QWidget *parent) : QDialog(parent) { setObjectName("ProbeDialog"); }
};

// Receives the addresses the program asks the desktop to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

namespace {

QStringList actionNames(const QList<QAction *> &actions)
{
    QStringList out;
    for (QAction *a : actions)
        out << (a->isSeparator() ? QString("-") : a->objectName());
    return out;
}

int openCount(TFrmMain &main, const QMetaObject &cls)
{
    int n = 0;
    for (QMdiSubWindow *sub : main.mdiArea()->subWindowList())
        if (sub->isVisible() && sub->widget() && sub->widget()->metaObject() == &cls)
            ++n;
    return n;
}

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

void writeExecutable(const QString &path, const QByteArray &script)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(script);
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

// The main window: menus from the command table, permissions, MDI children, window menu,
// desktop, status bar, exit and the auxiliary programs.
class TestMainWindow : public QObject
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
        ProbeChild::closeLog.clear();
    }

    void commandTableMatchesTheCatalogue()
    {
        TFrmMain main;
        int previous = 0;
        for (const CommandRow &row : commandTable()) {
            QVERIFY2(row.code > previous, "rows in ascending code order");
            previous = row.code;
            const LimitEntry *e = findLimit(QString::number(row.code));
            QVERIFY(e);
            QCOMPARE(row.caption, QString::fromUtf8(e->caption));
            QCOMPARE(row.category, QString::fromUtf8(e->category));
            QAction *a = main.findChild<QAction *>(row.objectName());
            QVERIFY(a);
            QCOMPARE(a, main.command(row.code));
            QCOMPARE(a->text(), row.caption);
        }
        QVERIFY(main.command(102) && main.command(109));
    }

    void menusInTheirOrder()
    {
        TFrmMain main;
        QStringList top;
        for (QAction *a : main.menuBar()->actions())
            top << a->text();
        QCOMPARE(top, (QStringList{"系统管理", "基本资料", "业务管理", "报表中心", "采购分析", "窗体", "辅助", "导航图"}));
        QCOMPARE(main.menuBar()->actions().last()->objectName(), QString("N41"));
        auto *mi100 = main.findChild<QMenu *>("mi100");
        QVERIFY(mi100);
        // Entries of commands that exist, in the menu's order; the fixed entries at the end.
        QStringList names = actionNames(mi100->actions());
        names.removeAll("-");
        QCOMPARE(names, (QStringList{"Action102", "Action109", "", "N43", "N5"}));
        QCOMPARE(mi100->actions().at(mi100->actions().size() - 3)->isSeparator(), true);
        QCOMPARE(main.findChild<QAction *>("N43")->text(), QString("重新登录"));
        QCOMPARE(main.findChild<QAction *>("N5")->text(), QString("退出系统"));
        QStringList windowMenu;
        for (QAction *a : main.findChild<QMenu *>("vWindows")->actions())
            windowMenu << (a->isSeparator() ? QString("-") : a->text());
        QCOMPARE(windowMenu, (QStringList{"重叠", "横向重排", "纵向重排", "-", "切换", "关闭", "全部关闭"}));
        QStringList aux;
        for (QAction *a : main.findChild<QMenu *>("nFz")->actions())
            aux << (a->isSeparator() ? QString("-") : a->text());
        QCOMPARE(aux, (QStringList{"计算器", "笔记本", "-", "帮助文件", "关于我们", "访问我们的网站"}));
    }

    void roleWithoutRowsShowsNoCommandMenus()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QVERIFY(addRole(t.dm(), "R0", {}));
        QVERIFY(addOperator(t.dm(), {"zs", "张三", "", "R0"}));
        TFrmMain main;
        QVERIFY(loginDirect(t.dm(), "zs", &main));
        main.show();
        for (int g = 1; g <= 5; ++g)
            QVERIFY2(!main.isGroupVisible(g), qPrintable(QString::number(g)));
        for (const CommandRow &row : commandTable())
            QVERIFY(!main.command(row.code)->isVisible());
        QVERIFY(main.findChild<QMenu *>("vWindows")->menuAction()->isVisible());
        QVERIFY(main.findChild<QMenu *>("nFz")->menuAction()->isVisible());
        QVERIFY(main.findChild<QAction *>("N41")->isVisible());
        auto *desktop = main.findChild<TFrmBtnImage *>();
        QVERIFY(desktop);
        for (int i = 0; i < desktop->pageControl()->count(); ++i)
            QVERIFY(!desktop->pageControl()->isTabVisible(i));
    }

    void roleGrantsItsCommands()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        // A granted code without a command of its own changes nothing.
        QVERIFY(addRole(t.dm(), "R1", {"102", "999"}));
        QVERIFY(addOperator(t.dm(), {"zs", "张三", "", "R1"}));
        TFrmMain main;
        QVERIFY(loginDirect(t.dm(), "zs", &main));
        main.show();
        QVERIFY(main.command(102)->isVisible());
        QVERIFY(!main.command(109)->isVisible());
        QVERIFY(main.isGroupVisible(1));
        for (int g = 2; g <= 5; ++g)
            QVERIFY(!main.isGroupVisible(g));
        auto *desktop = main.findChild<TFrmBtnImage *>();
        QTabWidget *pages = desktop->pageControl();
        QVERIFY(pages->isTabVisible(pages->indexOf(desktop->page(1))));
        QVERIFY(!pages->isTabVisible(pages->indexOf(desktop->page(3))));
        QCOMPARE(pages->currentWidget(), desktop->page(1));
        auto *button = desktop->findChild<QWidget *>("btnAction102");
        QVERIFY(button);
        QVERIFY(button->isVisibleTo(desktop->page(1)));
        QCOMPARE(qobject_cast<QToolButton *>(button)->text(), QString("更改用户密码"));
    }

    void adminHoldsEveryCommandWithoutRoleRows()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QCOMPARE(t.dm().QueryInt("select count(*) from PartLimit"), 0);
        TFrmMain main;
        QVERIFY(loginDirect(t.dm(), "000", &main));
        for (const CommandRow &row : commandTable())
            QVERIFY(main.command(row.code)->isVisible());
        QVERIFY(main.isGroupVisible(1));
    }

    void reloginWithFewerRightsHidesCommandsAndPages()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QVERIFY(addRole(t.dm(), "R0", {}));
        QVERIFY(addOperator(t.dm(), {"zs", "张三", "", "R0"}));
        TFrmMain main;
        QVERIFY(loginDirect(t.dm(), "000", &main));
        main.show();
        auto *desktop = main.findChild<TFrmBtnImage *>();
        QTabWidget *pages = desktop->pageControl();
        auto *button = desktop->findChild<QWidget *>("btnAction102");
        QVERIFY(button->isVisibleTo(desktop->page(1)));
        QVERIFY(pages->isTabVisible(pages->indexOf(desktop->page(1))));
        QVERIFY(loginDirect(t.dm(), "zs", &main));
        QVERIFY(!button->isVisibleTo(desktop->page(1)));
        QVERIFY(!pages->isTabVisible(pages->indexOf(desktop->page(1))));
        QVERIFY(!main.isGroupVisible(1));
    }

    void hiddenCommandDoesNotRun()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QVERIFY(addRole(t.dm(), "R0", {}));
        QVERIFY(addOperator(t.dm(), {"zs", "张三", "", "R0"}));
        TFrmMain main;
        QVERIFY(loginDirect(t.dm(), "zs", &main));
        QWidget *opened = nullptr;
        whenModal([&](QWidget *w) {
            opened = w;
            if (auto *d = qobject_cast<QDialog *>(w))
                d->reject();
        });
        main.command(102)->trigger();
        QTest::qWait(20);
        QVERIFY(!opened);
    }

    void openingTwiceLeavesOneWindow()
    {
        TFrmMain main;
        main.show();
        const CommandRow row = Commands::mdi<ProbeA>(901, "x", "y");
        row.execute(main);
        auto *first = qobject_cast<ProbeA *>(Mdi::findOpen(ProbeA::staticMetaObject, main.mdiArea()));
        QVERIFY(first);
        row.execute(main);
        QCOMPARE(openCount(main, ProbeA::staticMetaObject), 1);
        // A minimised window comes back restored.
        auto *sub = qobject_cast<QMdiSubWindow *>(first->parentWidget());
        sub->showMinimized();
        QVERIFY(sub->isMinimized());
        row.execute(main);
        QCOMPARE(openCount(main, ProbeA::staticMetaObject), 1);
        QVERIFY(!sub->isMinimized());
        QCOMPARE(main.mdiArea()->currentSubWindow(), sub);
        // Once closed, the next call makes a new one.
        sub->close();
        flushDeletes();
        row.execute(main);
        QCOMPARE(openCount(main, ProbeA::staticMetaObject), 1);
        QVERIFY(Mdi::findOpen(ProbeA::staticMetaObject, main.mdiArea()) != nullptr);
        // Other windows reach the commands through the MDI helper.
        QCOMPARE(Mdi::command(102), main.command(102));
        QCOMPARE(Mdi::command(999), nullptr);
        QCOMPARE(Mdi::mainArea(), main.mdiArea());
        // The desktop follows the same rule.
        main.findChild<QAction *>("N41")->trigger();
        main.findChild<QAction *>("N41")->trigger();
        QCOMPARE(openCount(main, TFrmBtnImage::staticMetaObject), 1);
    }

    void modalCommandsRunAndReport()
    {
        TFrmMain main;
        int result = -1;
        const CommandRow row = Commands::modal<ProbeDialog>(902, "x", "y", {},
                                                            [&](ProbeDialog &, int r, TFrmMain &) { result = r; });
        whenModal([](QWidget *w) {
            QCOMPARE(w->objectName(), QString("ProbeDialog"));
            qobject_cast<QDialog *>(w)->accept();
        });
        row.execute(main);
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(!main.findChild<ProbeDialog *>());
    }

    void closeAllAsksEveryChildFromTheLast()
    {
        TFrmMain main;
        main.show();
        main.closeAllChildren(); // the desktop
        flushDeletes();
        Mdi::openOrActivate<ProbeA>(main.mdiArea());
        auto *b = Mdi::openOrActivate<ProbeB>(main.mdiArea());
        Mdi::openOrActivate<ProbeC>(main.mdiArea());
        b->refuse = true;
        main.findChild<QAction *>("miCloseAll")->trigger();
        flushDeletes();
        QCOMPARE(ProbeChild::closeLog, (QStringList{"C", "B", "A"}));
        QCOMPARE(openCount(main, ProbeA::staticMetaObject), 0);
        QCOMPARE(openCount(main, ProbeB::staticMetaObject), 1);
        QCOMPARE(openCount(main, ProbeC::staticMetaObject), 0);
        // "关闭" closes the current child.
        b->refuse = false;
        main.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(b->parentWidget()));
        main.findChild<QAction *>("miClose")->trigger();
        flushDeletes();
        QCOMPARE(openCount(main, ProbeB::staticMetaObject), 0);
    }

    void exitAsksAndChildrenMayRefuse()
    {
        TFrmMain main;
        main.show();
        MessageScript msgs;
        auto *a = Mdi::openOrActivate<ProbeA>(main.mdiArea());
        msgs.answer(2);
        QVERIFY(!main.close());
        QVERIFY(main.isVisible());
        QCOMPARE(openCount(main, ProbeA::staticMetaObject), 1);
        QCOMPARE(msgs.texts(), QStringList{"真的要退出“Quenvar采购管理软件 ”软件吗？"});
        QVERIFY(ProbeChild::closeLog.isEmpty());

        a->refuse = true;
        msgs.answer(1);
        QVERIFY(!main.close());
        QVERIFY(main.isVisible());
        QCOMPARE(openCount(main, ProbeA::staticMetaObject), 1);
        QCOMPARE(openCount(main, TFrmBtnImage::staticMetaObject), 0);

        a->refuse = false;
        msgs.clear();
        msgs.answer(1);
        QVERIFY(main.close());
        QVERIFY(!main.isVisible());
    }

    void endingByRequestDoesNotAsk()
    {
        TFrmMain main;
        main.show();
        MessageScript msgs;
        main.endProgram();
        QVERIFY(!main.isVisible());
        QVERIFY(main.endRequested());
        QVERIFY(msgs.shown().isEmpty());
    }

    void tileAndCascade()
    {
        TFrmMain main;
        main.resize(1000, 700);
        main.show();
        main.closeAllChildren();
        flushDeletes();
        auto *a = qobject_cast<QMdiSubWindow *>(Mdi::openOrActivate<ProbeA>(main.mdiArea())->parentWidget());
        auto *b = qobject_cast<QMdiSubWindow *>(Mdi::openOrActivate<ProbeB>(main.mdiArea())->parentWidget());
        const QRect area = main.mdiArea()->viewport()->rect();
        main.findChild<QAction *>("miTileHorizontal")->trigger();
        QCOMPARE(a->width(), area.width());
        QCOMPARE(b->width(), area.width());
        QVERIFY(a->geometry().bottom() < b->geometry().top());
        main.findChild<QAction *>("miTileVertical")->trigger();
        QCOMPARE(a->height(), area.height());
        QCOMPARE(b->height(), area.height());
        QVERIFY(a->geometry().right() < b->geometry().left());
        main.findChild<QAction *>("miCascade")->trigger();
        QVERIFY(a->geometry().topLeft() != b->geometry().topLeft());
        // The window list names the open children and switches to them.
        auto *menu = main.findChild<QMenu *>("vWindows");
        QMetaObject::invokeMethod(menu, "aboutToShow");
        QAction *toA = nullptr;
        for (QAction *act : menu->actions())
            if (act->text() == "&1 A")
                toA = act;
        QVERIFY(toA);
        toA->trigger();
        QCOMPARE(main.mdiArea()->currentSubWindow(), a);
        main.findChild<QAction *>("miNext")->trigger();
        QCOMPARE(main.mdiArea()->currentSubWindow(), b);
    }

    void showReadsSettingsAndFillsTheStatusBar()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        IniFile &ini = *Session::instance().iniFile;
        ini.setValue("CONFIG", "ibak", "2");
        ini.setValue("config", "iPrintNum", "8");
        ini.setValue("config", "bTM", "1");
        QVERIFY(ini.save());
        QVERIFY(t.dm().ExecCommand("update SysInfo set F_iAmount = 3, F_iPrice = 4, F_iTotal = 1, F_b2 = 1, F_b3 = 0, F_b4 = 1"));
        TFrmMain main;
        QVERIFY(loginDirect(t.dm(), "000", &main));
        main.show();
        const Session &s = Session::instance();
        QCOMPARE(s.iBakMode, 2);
        QCOMPARE(s.iPrintNum, 8);
        QVERIFY(s.bBarcode);
        QCOMPARE(s.iAmountDec, 3);
        QCOMPARE(s.iPriceDec, 4);
        QCOMPARE(s.iTotalDec, 1);
        QVERIFY(s.bAutoGoodCode && !s.bLastPrice && s.bLastClientPrice);
        QCOMPARE(s.sAmountFmt, QString("0.###"));
        QCOMPARE(s.sPriceFmt, QString("￥,0.00##"));
        QCOMPARE(s.sTotalFmt, QString("￥,0.0"));
        QCOMPARE(main.windowTitle(), QString("Quenvar采购管理软件 v2.63(网络版)"));
        QCOMPARE(main.statusText(0), QString(" 当前用户"));
        QCOMPARE(main.statusText(1), QString(" 系统管理员"));
        QCOMPARE(main.statusText(2), QString(" 当前日期时间"));
        QVERIFY(QRegularExpression("^ \\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}$").match(main.statusText(3)).hasMatch());
        auto *timer = main.findChild<QTimer *>("Timer1");
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QVERIFY(msgs.shown().isEmpty());
    }

    void missingConfigGivesDefaults()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        Session::instance().iBakMode = 9;
        TFrmMain main;
        QVERIFY(loginDirect(t.dm(), "000", &main));
        main.show();
        QCOMPARE(Session::instance().iBakMode, 0);
        QCOMPARE(Session::instance().iPrintNum, 5);
        QVERIFY(!Session::instance().bBarcode);
    }

    void calculatorAndEditor()
    {
        MessageScript msgs;
        QTemporaryDir bin;
        const QString marker = bin.filePath("started");
        const QByteArray oldPath = qgetenv("PATH");
        writeExecutable(bin.filePath("kcalc"), "#!/bin/sh\necho calc >> '" + marker.toUtf8() + "'\n");
        writeExecutable(bin.filePath("mousepad"), "#!/bin/sh\necho editor >> '" + marker.toUtf8() + "'\n");
        qputenv("PATH", bin.path().toUtf8());
        QVERIFY(DesktopPrograms::startCalculator(nullptr));
        QVERIFY(DesktopPrograms::startEditor(nullptr));
        auto started = [&marker] {
            QFile f(marker);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        QTRY_VERIFY(started().contains("calc") && started().contains("editor"));

        // Nothing installed: a calm notice, and the editor falls back to a new text file.
        QTemporaryDir empty;
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("PATH", empty.path().toUtf8());
        qputenv("HOME", home.path().toUtf8());
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        QVERIFY(!DesktopPrograms::startCalculator(nullptr));
        QCOMPARE(msgs.shown().last().kind, int(MessNotice));
        QVERIFY(DesktopPrograms::startEditor(nullptr));
        QCOMPARE(catcher.urls.size(), 1);
        QVERIFY(catcher.urls.first().toLocalFile().endsWith(".txt"));
        QVERIFY(QFile::exists(catcher.urls.first().toLocalFile()));
        QDesktopServices::unsetUrlHandler("file");
        qputenv("PATH", oldPath);
        qputenv("HOME", oldHome);
    }

    void helpAndWebsite()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        QDesktopServices::setUrlHandler("http", &catcher, "open");
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        TFrmMain main;
        QVERIFY(QFile::exists(DesktopPrograms::helpFile()));
        main.findChild<QAction *>("miHelp")->trigger();
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls.first().toLocalFile(), DesktopPrograms::helpFile());

        // No address yet: a notice.
        main.findChild<QAction *>("miWebsite")->trigger();
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(msgs.shown().size(), 1);
        QCOMPARE(msgs.shown().first().kind, int(MessNotice));
        QVERIFY(t.dm().ExecCommand("update SysInfo set F_Homepage = :h", {{"h", "www.example.org/buy"}}));
        main.findChild<QAction *>("miWebsite")->trigger();
        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls.last().toString(), QString("http://www.example.org/buy"));
        QDesktopServices::unsetUrlHandler("file");
        QDesktopServices::unsetUrlHandler("http");
        QDesktopServices::unsetUrlHandler("https");
    }

    void websiteAddresses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("url");
        QTest::newRow("plain host") << "www.example.org" << "http://www.example.org";
        QTest::newRow("https") << " https://example.org/a " << "https://example.org/a";
        QTest::newRow("empty") << "  " << "";
        QTest::newRow("file") << "file:///etc/passwd" << "";
        QTest::newRow("script") << "javascript:alert(1)" << "";
    }
    void websiteAddresses()
    {
        QFETCH(QString, typed);
        QFETCH(QString, url);
        QCOMPARE(DesktopPrograms::websiteUrl(typed), url);
    }

    void aboutBox()
    {
        TFrmMain main;
        whenModal([](QWidget *w) {
            QCOMPARE(w->objectName(), QString("frmAboutInfo"));
            QCOMPARE(w->windowTitle(), QString("关于我们"));
            w->findChild<QPushButton *>("btnOk")->click();
        });
        main.findChild<QAction *>("miAbout")->trigger();
    }

    void linkToAnotherDatabaseEndsTheProgram()
    {
        REQUIRE_TEST_DB(t);
        MessageScript msgs;
        QVERIFY(QFileInfo(TDlgDbLink::toolPath()).isExecutable());
        IniFile &ini = *Session::instance().iniFile;
        ini.setValue("DBconn", "Database", "old.db");
        ini.setValue("Config", "CurOperCode", "000");
        QVERIFY(ini.save());
        TFrmMain main;
        QVERIFY(loginDirect(t.dm(), "000", &main));
        main.show();

        // A database that does not exist: reported, Config.ini unchanged, the program goes on.
        whenModal([](QWidget *w) {
            QCOMPARE(w->objectName(), QString("DlgDbLink"));
            w->findChild<QComboBox *>("cbbDriver")->setCurrentIndex(0);
            w->findChild<QLineEdit *>("edtDatabase")->setText("/nonexistent/folder/none.db");
            w->findChild<QPushButton *>("btnOk")->click();
            auto *poll = new QTimer(w);
            QObject::connect(poll, &QTimer::timeout, w, [w, poll] {
                if (!qobject_cast<TDlgDbLink *>(w)->running()) {
                    poll->stop();
                    w->findChild<QPushButton *>("btnCancel")->click();
                }
            });
            poll->start(20);
        });
        main.command(109)->trigger();
        QVERIFY(main.isVisible());
        QVERIFY(msgs.contains("数据连接失败，配置文件没有改变。"));
        {
            IniFile onDisk(ini.path());
            onDisk.load();
            QCOMPARE(onDisk.readString("DBconn", "Database"), QString("old.db"));
        }

        // The test database: written, and the program ends without the exit question.
        msgs.clear();
        const ConnectionSettings target = t.settings();
        const QString database = target.backend() == SqlDialect::Backend::SQLite
            ? QDir(t.dir()).filePath(target.database)
            : target.database;
        whenModal([&](QWidget *w) {
            const bool pg = target.backend() == SqlDialect::Backend::PostgreSQL;
            w->findChild<QComboBox *>("cbbDriver")->setCurrentIndex(pg ? 1 : 0);
            w->findChild<QLineEdit *>("edtDatabase")->setText(database);
            if (pg) {
                w->findChild<QLineEdit *>("edtServer")->setText(target.server);
                w->findChild<QSpinBox *>("edtPort")->setValue(target.port);
                w->findChild<QLineEdit *>("edtUser")->setText(target.user);
                w->findChild<QLineEdit *>("edtPassword")->setText(target.password);
            }
            w->findChild<QPushButton *>("btnOk")->click();
        });
        main.command(109)->trigger();
        QVERIFY(main.endRequested());
        QVERIFY(!main.isVisible());
        QCOMPARE(msgs.texts(), QStringList{"连接成功！程序现在退出，下次启动时使用新的数据连接。"});
        IniFile onDisk(ini.path());
        onDisk.load();
        QCOMPARE(onDisk.readString("DBconn", "Database"), database);
        QCOMPARE(onDisk.readString("Config", "CurOperCode"), QString("000"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
