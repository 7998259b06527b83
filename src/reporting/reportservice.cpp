#include "reportservice.h"

#include "moneymintobig.h"
#include "reportdesignerdialog.h"
#include "reportengine.h"
#include "reportexporter.h"
#include "reportpreviewdialog.h"
#include "reportquerysource.h"
#include "reportscript.h"
#include "reporttemplateio.h"
#include "reportvalue.h"

#include "data/session.h"
#include "data/tdmdata.h"
#include "platform/showmess.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

ReportService::ReportService(QObject *parent) : QObject(parent), m_handler(defaultValueHandler())
{
    m_functions.add({QStringLiteral("MoneyMinToBig"), QStringLiteral("function MoneyMinToBig(rMoney: real): string;"),
                     QStringLiteral("myTest"), QStringLiteral("金额小写转大写"), [](const QVariantList &args) -> QVariant {
                         return MoneyMinToBig(args.isEmpty() ? 0.0 : ReportValue::toNumber(args.first()));
                     }});
}

ReportService::~ReportService() = default;

ReportService &ReportService::of(TdmData &dm)
{
    const QString name = QStringLiteral("frxReport");
    if (auto *existing = dm.findChild<ReportService *>(name, Qt::FindDirectChildrenOnly))
        return *existing;
    auto *service = new ReportService(&dm);
    service->setObjectName(name);
    return *service;
}

ReportValueHandler ReportService::defaultValueHandler()
{
    return [](const QString &name) -> std::optional<QVariant> {
        const Session &s = Session::instance();
        if (name == QLatin1String("PageMaxRow"))
            return s.iPrintNum;
        if (name == QLatin1String("bsPhone"))
            return s.sCorpPhone;
        if (name == QLatin1String("bsFax"))
            return s.sCorpFax;
        return std::nullopt;
    };
}

QString ReportService::templateDir() const
{
    return m_dir.isEmpty() ? TdmData::appDir() + QStringLiteral("/Qr") : m_dir;
}

QString ReportService::templatePath(const QString &name) const
{
    return QDir(templateDir()).filePath(name + QStringLiteral(".xml"));
}

QWidget *ReportService::dialogParent() const
{
    return m_parent ? m_parent : QApplication::activeWindow();
}

ReportService::LoadResult ReportService::loadTemplate(const QString &name, ReportTemplate *tpl) const
{
    QString error;
    const QString path = templatePath(name);
    switch (ReportTemplateIo::load(path, tpl, &error)) {
    case ReportTemplateIo::LoadStatus::Loaded: return LoadResult::Loaded;
    case ReportTemplateIo::LoadStatus::Missing: return LoadResult::Missing;
    case ReportTemplateIo::LoadStatus::Invalid: break;
    }
    ShowMess(QStringLiteral("报表模板无法读取：%1\n%2").arg(QDir::toNativeSeparators(path), error), MessError, dialogParent());
    return LoadResult::Failed;
}

PreparedReport ReportService::prepare(const ReportTemplate &tpl) const
{
    ReportEngine engine(tpl);
    engine.setDataSource(masterName(), m_master);
    engine.setDataSource(detailName(), m_detail);
    engine.setValueHandler(m_handler);
    engine.setFunctions(&m_functions);
    engine.setTemplateFolder(templateDir());
    return engine.prepare();
}

bool ReportService::prepare(const QString &name, PreparedReport *out, QString *error) const
{
    ReportTemplate tpl;
    QString loadError;
    if (ReportTemplateIo::load(templatePath(name), &tpl, &loadError) == ReportTemplateIo::LoadStatus::Invalid) {
        if (error)
            *error = loadError;
        return false;
    }
    *out = prepare(tpl);
    return true;
}

bool ReportService::exportPdf(const QString &name, const QString &pdfFile, QString *error) const
{
    PreparedReport report;
    if (!prepare(name, &report, error))
        return false;
    return ReportExporter::exportPdf(report, pdfFile, error, name);
}

void ReportService::preview(const QString &name)
{
    ReportTemplate tpl;
    if (loadTemplate(name, &tpl) == LoadResult::Failed)
        return;
    PreparedReport report = prepare(tpl);
    if (ReportScript *script = ReportScript::current()) {
        script->record({ReportScript::Entry::Kind::Preview, name, templatePath(name), report, {}});
        if (script->previewHandler()) {
            ReportPreviewDialog dialog(std::move(report), name, dialogParent());
            dialog.setData(m_master);
            script->previewHandler()(dialog);
        }
        return;
    }
    ReportPreviewDialog dialog(std::move(report), name, dialogParent());
    dialog.setData(m_master);
    dialog.exec();
}

void ReportService::design(const QString &name, const QStringList &textVariables, bool withPageMaxRow)
{
    ReportTemplate tpl;
    if (loadTemplate(name, &tpl) == LoadResult::Failed)
        return;
    tpl.variables.clear();
    if (withPageMaxRow)
        tpl.variables.push_back({variableCategory(), QStringLiteral("PageMaxRow"), qlonglong(5)});
    for (const QString &v : textVariables)
        tpl.variables.push_back({variableCategory(), v, QString()});

    const QString path = templatePath(name);
    auto setUp = [&](ReportDesignerDialog &dialog) {
        dialog.setDataSources({{masterName(), m_master}, {detailName(), m_detail}});
        dialog.setValueHandler(m_handler);
        dialog.setFunctions(&m_functions);
    };
    if (ReportScript *script = ReportScript::current()) {
        script->record({ReportScript::Entry::Kind::Designer, name, path, {}, tpl});
        if (script->designerHandler()) {
            ReportDesignerDialog dialog(tpl, path, dialogParent());
            setUp(dialog);
            script->designerHandler()(dialog);
        }
        return;
    }
    ReportDesignerDialog dialog(tpl, path, dialogParent());
    setUp(dialog);
    dialog.exec();
}

void ReportService::PrintDocumentReport(const QString &name, std::shared_ptr<const ReportDataSource> master,
                                        std::shared_ptr<const ReportDataSource> detail)
{
    if (!master || master->rowCount() == 0)
        return;
    bindMaster(std::move(master));
    bindDetail(std::move(detail));
    preview(name);
}

void ReportService::PrintDocumentReport(const QString &name, QSqlQuery &master, QSqlQuery &detail)
{
    PrintDocumentReport(name, std::make_shared<ReportQuerySource>(master), std::make_shared<ReportQuerySource>(detail));
}

void ReportService::DesignDocumentReport(const QString &name, std::shared_ptr<const ReportDataSource> master,
                                         std::shared_ptr<const ReportDataSource> detail)
{
    bindMaster(std::move(master));
    bindDetail(std::move(detail));
    design(name,
           {QStringLiteral("sCurKHname"), QStringLiteral("bsPhone"), QStringLiteral("bsFax"), QStringLiteral("sLinkMan"),
            QStringLiteral("sPhone"), QStringLiteral("sFax"), QStringLiteral("sAddress")},
           true);
}

void ReportService::DesignDocumentReport(const QString &name, QSqlQuery &master, QSqlQuery &detail)
{
    DesignDocumentReport(name, std::make_shared<ReportQuerySource>(master), std::make_shared<ReportQuerySource>(detail));
}

void ReportService::PrintListReport(const QString &name, std::shared_ptr<const ReportDataSource> data)
{
    if (!data || data->rowCount() == 0)
        return;
    bindMaster(std::move(data));
    preview(name);
}

void ReportService::PrintListReport(const QString &name, QSqlQuery &query)
{
    PrintListReport(name, std::make_shared<ReportQuerySource>(query));
}

void ReportService::DesignListReport(const QString &name, std::shared_ptr<const ReportDataSource> data)
{
    bindMaster(std::move(data));
    design(name, {QStringLiteral("sCurKHname"), QStringLiteral("memoDate"), QStringLiteral("memoCaption")}, false);
}

void ReportService::DesignListReport(const QString &name, QSqlQuery &query)
{
    DesignListReport(name, std::make_shared<ReportQuerySource>(query));
}
