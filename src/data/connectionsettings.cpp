#include "connectionsettings.h"

#include "platform/inifile.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kSection = QStringLiteral("DBconn");
}

ConnectionSettings ConnectionSettings::fromIni(const IniFile &ini)
{
    ConnectionSettings s;
    s.driver = ini.readString(kSection, QStringLiteral("driver"), QStringLiteral("sqlite"));
    s.password = ini.readString(kSection, QStringLiteral("password"));
    s.database = ini.readString(kSection, QStringLiteral("Database"), QStringLiteral("doRIZuv"));
    s.server = ini.readString(kSection, QStringLiteral("server"), QStringLiteral("(Local)"));
    s.user = ini.readString(kSection, QStringLiteral("user"), QStringLiteral("sa"));
    s.port = ini.readInteger(kSection, QStringLiteral("port"), 0);
    return s;
}

void ConnectionSettings::writeTo(IniFile &ini) const
{
    ini.setValue(kSection, QStringLiteral("driver"), driver.isEmpty() ? QStringLiteral("sqlite") : driver);
    ini.setValue(kSection, QStringLiteral("server"), server);
    ini.setValue(kSection, QStringLiteral("port"), port > 0 ? QString::number(port) : QString());
    ini.setValue(kSection, QStringLiteral("user"), user);
    ini.setValue(kSection, QStringLiteral("password"), password);
    ini.setValue(kSection, QStringLiteral("Database"), database);
}

QString ConnectionSettings::sqliteFile(const QString &baseDir) const
{
    QString name = database;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".db");
    if (QDir::isRelativePath(name))
        name = QDir(baseDir).filePath(name);
    return QDir::cleanPath(name);
}

QString ConnectionSettings::host() const
{
    const QString s = server.trimmed();
    if (s.isEmpty() || s.compare(QLatin1String("(Local)"), Qt::CaseInsensitive) == 0 || s == QLatin1String("."))
        return QStringLiteral("localhost");
    return s;
}
