#include "installrun.h"

#include "data/demodata.h"
#include "data/tdmdata.h"
#include "platform/inifile.h"

#include <QDir>
#include <QFileInfo>

QString InstallRun::sqliteFile(const QString &name, const QString &folder)
{
    QString file = name.trimmed();
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".db");
    if (QDir::isRelativePath(file))
        file = QDir(folder).absoluteFilePath(file);
    return QDir::cleanPath(file);
}

QString InstallRun::describe(const DatabaseInstaller::Options &options)
{
    const ConnectionSettings &s = options.settings;
    if (SqlDialect::isFileDatabase(s.backend()))
        return s.sqliteFile(options.baseDir);
    return QStringLiteral("%1 on %2%3")
        .arg(s.database, s.host(), s.port > 0 ? QStringLiteral(":%1").arg(s.port) : QString());
}

InstallRun::Result InstallRun::run(const Request &request, const std::function<void(const QString &)> &progress)
{
    auto say = [&](const QString &text) {
        if (progress)
            progress(text);
    };
    Result r;
    r.database = describe(request.install);

    say(QStringLiteral("正在创建数据库 ..."));
    QString error;
    if (!DatabaseInstaller::install(request.install, &error)) {
        r.failedStep = Step::Install;
        r.error = error.trimmed();
        return r;
    }

    if (request.demo) {
        say(QStringLiteral("正在生成演示数据 ..."));
        TdmData dm;
        DemoData::Counts counts;
        if (!dm.open(request.install.settings, request.install.baseDir, &error)
            || !DemoData::fill(dm, DemoData::demoProfile(), &counts, &error, progress)) {
            r.failedStep = Step::Demo;
            r.error = error.trimmed();
            return r;
        }
        r.demoSummary = counts.summary();
        r.demoCounts = counts;
    }

    if (!request.configPath.isEmpty()) {
        say(QStringLiteral("正在写入配置文件 ..."));
        IniFile ini(request.configPath);
        // Keys of other sections stay; an unreadable file is not replaced by a new one.
        if (ini.exists() && !ini.load()) {
            r.failedStep = Step::Config;
            r.error = QStringLiteral("cannot read %1: %2").arg(request.configPath, ini.errorString());
            return r;
        }
        request.install.settings.writeTo(ini);
        if (!ini.save()) {
            r.failedStep = Step::Config;
            r.error = QStringLiteral("cannot write %1: %2").arg(request.configPath, ini.errorString());
            return r;
        }
        r.configPath = request.configPath;
    }
    r.ok = true;
    return r;
}
