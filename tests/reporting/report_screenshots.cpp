// Renders the preview and the designer of the demonstration template to PNG files, so that
// anyone can look at them without a display: report_screenshots [output folder]
#include "reportfixtures.h"

#include "reporting/reportdesignerdialog.h"
#include "reporting/reportengine.h"
#include "reporting/reportpreviewdialog.h"
#include "reporting/reportservice.h"
#include "reporting/reporttemplateio.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <QThread>

using namespace ReportFixtures;

namespace {
void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
}

bool saveGrab(QWidget &w, const QString &file)
{
    settle();
    if (!w.grab().save(file, "PNG")) {
        QTextStream(stderr) << "cannot write " << file << "\n";
        return false;
    }
    QTextStream(stdout) << file << "\n";
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);

    ReportTemplate tpl;
    QString error;
    if (ReportTemplateIo::load(fixturePath("demo.xml"), &tpl, &error) != ReportTemplateIo::LoadStatus::Loaded) {
        QTextStream(stderr) << "demo.xml: " << error << "\n";
        return 1;
    }
    ReportService service;
    ReportEngine engine(tpl);
    engine.setDataSource(ReportService::masterName(), demoMaster());
    engine.setDataSource(ReportService::detailName(), demoDetail());
    engine.setValueHandler(demoHandler());
    engine.setFunctions(&service.functions());
    engine.setTemplateFolder(QFileInfo(fixturePath("demo.xml")).absolutePath());

    bool ok = true;
    {
        ReportPreviewDialog preview(engine.prepare(), QStringLiteral("demo"));
        preview.resize(1280, 1000);
        preview.show();
        settle();
        preview.fitWidth();
        ok &= saveGrab(preview, QDir(out).filePath(QStringLiteral("report-preview.png")));
        preview.nextPage();
        ok &= saveGrab(preview, QDir(out).filePath(QStringLiteral("report-preview-page2.png")));
    }
    {
        ReportDesignerDialog designer(tpl, fixturePath("demo.xml"));
        designer.setDataSources({{ReportService::masterName(), demoMaster()}, {ReportService::detailName(), demoDetail()}});
        designer.setFunctions(&service.functions());
        designer.resize(1500, 1000);
        designer.show();
        designer.selectObject(QStringLiteral("DocTotal"));
        ok &= saveGrab(designer, QDir(out).filePath(QStringLiteral("report-designer.png")));
        designer.selectBand(QStringLiteral("DetailData1"));
        ok &= saveGrab(designer, QDir(out).filePath(QStringLiteral("report-designer-band.png")));
    }
    return ok ? 0 : 1;
}
