#include "startup.h"

#include "tfrmmain.h"
#include "tfrmoperlogin.h"
#include "tfrmsplash.h"

#include "data/tdmdata.h"
#include "platform/showmess.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

namespace {

// Starts a tool that lives beside the program, without waiting for it.
bool startTool(const QString &name, const QStringList &args = {})
{
    const QString path = QDir(TdmData::appDir()).filePath(name);
    if (!QFileInfo(path).isExecutable())
        return false;
    return QProcess::startDetached(path, args, TdmData::appDir());
}

} // namespace

int runProgram(TdmData &dm)
{
    auto splash = std::make_unique<TfrmSplash>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    QApplication::setApplicationDisplayName(QStringLiteral("Quenvar采购管理软件(网络版)"));

    const TdmData::CreateResult r = dm.DataModuleCreate(TdmData::appDir(), [&](const QString &text) {
        if (!text.isEmpty())
            splash->setStatus(text);
        else
            splash->repaint();
    });
    if (r == TdmData::CreateResult::ConfigError) {
        ShowMess(QStringLiteral("配置文件不存在或出错，请先配置系统！"), MessWarning);
        return 1;
    }
    if (r == TdmData::CreateResult::ConnectionFailed) {
        splash.reset();
        if (ShowMess(QStringLiteral("数据连接失败，是否要安装配置数据库？"), MessQuestion) == 1)
            startTool(QStringLiteral("dbinstall"), {QStringLiteral("--gui")});
        return 1;
    }

    splash->setStatus(QStringLiteral("连接成功，正在登录 ....."));
    // The main window exists before the login; it is shown after it.
    TFrmMain main;
    splash->setStatus(QStringLiteral("连接成功，正在登录 ..."));
    QThread::msleep(20);
    splash->setStatus(QStringLiteral("连接成功，正在登录 ....."));
    splash.reset();
    return runSession(main);
}

int runSession(TFrmMain &main)
{
    if (!TfrmOperLogin::RunLogin(TfrmOperLogin::StartUp, &main))
        return 1;
    main.show();
    return QApplication::exec();
}
