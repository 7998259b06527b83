#include "desktopprograms.h"

#include "data/tdmdata.h"
#include "platform/showmess.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {
const QString kHomepage = QStringLiteral("select F_Homepage from SysInfo order by F_ID");
}

QStringList DesktopPrograms::calculatorCandidates()
{
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("galculator"),
            QStringLiteral("mate-calc"), QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
}

QStringList DesktopPrograms::editorCandidates()
{
    return {QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"), QStringLiteral("kate"),
            QStringLiteral("kwrite"), QStringLiteral("mousepad"), QStringLiteral("xed"),
            QStringLiteral("pluma"), QStringLiteral("featherpad"), QStringLiteral("leafpad")};
}

QString DesktopPrograms::findProgram(const QStringList &candidates)
{
    for (const QString &name : candidates) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

bool DesktopPrograms::startCalculator(QWidget *parent)
{
    const QString program = findProgram(calculatorCandidates());
    if (program.isEmpty() || !QProcess::startDetached(program, {})) {
        ShowMess(QStringLiteral("本机没有安装计算器程序。"), MessNotice, parent);
        return false;
    }
    return true;
}

bool DesktopPrograms::startEditor(QWidget *parent)
{
    const QString program = findProgram(editorCandidates());
    if (!program.isEmpty() && QProcess::startDetached(program, {}))
        return true;

    // No known editor: a new text file opened with whatever the desktop uses for text.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString path = QDir(folder).filePath(
        QStringLiteral("笔记本 %1.txt").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.close();
        if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            return true;
        QFile::remove(path);
    }
    ShowMess(QStringLiteral("本机没有安装文本编辑程序。"), MessNotice, parent);
    return false;
}

QString DesktopPrograms::helpFile()
{
    return QDir(TdmData::appDir()).filePath(QStringLiteral("docs/help/index.html"));
}

bool DesktopPrograms::openHelp(QWidget *parent)
{
    const QString file = helpFile();
    if (!QFileInfo::exists(file)) {
        ShowMess(QStringLiteral("没有找到帮助文件：") + QDir::toNativeSeparators(file), MessNotice, parent);
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) {
        ShowMess(QStringLiteral("没有可以打开帮助文件的浏览器。"), MessNotice, parent);
        return false;
    }
    return true;
}

QString DesktopPrograms::websiteUrl(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return QString();
    QUrl url = QUrl::fromUserInput(text);
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
        || url.host().isEmpty())
        return QString();
    return url.toString();
}

bool DesktopPrograms::openWebsite(QWidget *parent)
{
    TdmData *dm = TdmData::instance();
    const QString typed = dm ? dm->QueryString(kHomepage) : QString();
    const QString url = websiteUrl(typed);
    if (url.isEmpty()) {
        ShowMess(QStringLiteral("还没有填写网站地址，请在“公司信息资料”中填写网址。"), MessNotice, parent);
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl(url))) {
        ShowMess(QStringLiteral("没有可以打开网址的浏览器。"), MessNotice, parent);
        return false;
    }
    return true;
}
