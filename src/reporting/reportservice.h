#pragma once

#include "preparedreport.h"
#include "reportdatasource.h"
#include "reportfunctionregistry.h"
#include "reporttemplate.h"
#include "reportvaluehandler.h"

#include <QObject>
#include <QString>

#include <memory>

class QSqlQuery;
class QWidget;
class TdmData;

// The report services of the data module: printing and designing the templates in Qr/ with
// the named data sources "frxDM" (main rows) and "frxDD" (a document's lines), the report
// variables answered by the printing window's value handler and the user function
// MoneyMinToBig.
//
// A window prints like this:
//   ReportService &rep = ReportService::of(*TdmData::instance());
//   rep.setValueHandler([this](const QString &name) -> std::optional<QVariant> {
//       if (name == "PageMaxRow") return Session::instance().iPrintNum;
//       return std::nullopt;   // not known here: the template's value stays
//   });
//   rep.PrintDocumentReport("frCaigouInDept", std::make_shared<ReportModelSource>(masterModel, row),
//                           std::make_shared<ReportModelSource>(lineModel));
class ReportService : public QObject
{
    Q_OBJECT
public:
    static QString masterName() { return QStringLiteral("frxDM"); }
    static QString detailName() { return QStringLiteral("frxDD"); }
    // The variable category of the program's variables (it begins with a blank).
    static QString variableCategory() { return QStringLiteral(" 自定义变量"); }

    explicit ReportService(QObject *parent = nullptr);
    ~ReportService() override;

    // The data module's report: a child of the data module, made on first use.
    static ReportService &of(TdmData &dm);

    // Templates are "<dir>/<name>.xml"; the folder is Qr beside the program unless set.
    QString templateDir() const;
    void setTemplateDir(const QString &dir) { m_dir = dir; }
    QString templatePath(const QString &name) const;

    // The installed value handler stays until the next one replaces it. The report starts with
    // a handler that answers PageMaxRow, bsPhone and bsFax from the session.
    void setValueHandler(const ReportValueHandler &handler) { m_handler = handler; }
    const ReportValueHandler &valueHandler() const { return m_handler; }
    static ReportValueHandler defaultValueHandler();

    ReportFunctionRegistry &functions() { return m_functions; }
    const ReportFunctionRegistry &functions() const { return m_functions; }

    // The bindings keep their sources until rebound.
    void bindMaster(std::shared_ptr<const ReportDataSource> source) { m_master = std::move(source); }
    void bindDetail(std::shared_ptr<const ReportDataSource> source) { m_detail = std::move(source); }
    std::shared_ptr<const ReportDataSource> master() const { return m_master; }
    std::shared_ptr<const ReportDataSource> detail() const { return m_detail; }

    // Prints a document: nothing happens when the master has no row; otherwise the template is
    // laid out with frxDM = master and frxDD = detail and shown in the preview (a missing
    // template gives an empty preview, without a message).
    void PrintDocumentReport(const QString &name, std::shared_ptr<const ReportDataSource> master,
                             std::shared_ptr<const ReportDataSource> detail);
    void PrintDocumentReport(const QString &name, QSqlQuery &master, QSqlQuery &detail);
    // Opens a document template in the designer (modal) with its variables redefined:
    // PageMaxRow = 5, sCurKHname, bsPhone, bsFax, sLinkMan, sPhone, sFax, sAddress empty.
    void DesignDocumentReport(const QString &name, std::shared_ptr<const ReportDataSource> master,
                              std::shared_ptr<const ReportDataSource> detail);
    void DesignDocumentReport(const QString &name, QSqlQuery &master, QSqlQuery &detail);
    // Prints a report window's result (frxDM only); nothing happens when it has no row.
    void PrintListReport(const QString &name, std::shared_ptr<const ReportDataSource> data);
    void PrintListReport(const QString &name, QSqlQuery &query);
    // Opens a list template in the designer with sCurKHname, memoDate and memoCaption redefined
    // empty; frxDM is bound even when it is empty.
    void DesignListReport(const QString &name, std::shared_ptr<const ReportDataSource> data);
    void DesignListReport(const QString &name, QSqlQuery &query);

    // Lays the named template out with the current bindings, handler and functions. False
    // (with the reason) only for a template file that cannot be read; a missing one gives no
    // pages.
    bool prepare(const QString &name, PreparedReport *out, QString *error = nullptr) const;
    PreparedReport prepare(const ReportTemplate &tpl) const;
    // prepare() and write the pages to a PDF file.
    bool exportPdf(const QString &name, const QString &pdfFile, QString *error = nullptr) const;

    // The dialogs' parent (default: the active window).
    void setDialogParent(QWidget *parent) { m_parent = parent; }

private:
    enum class LoadResult { Loaded, Missing, Failed };
    LoadResult loadTemplate(const QString &name, ReportTemplate *tpl) const;
    void preview(const QString &name);
    void design(const QString &name, const QStringList &textVariables, bool withPageMaxRow);
    QWidget *dialogParent() const;

    QString m_dir;
    ReportValueHandler m_handler;
    ReportFunctionRegistry m_functions;
    std::shared_ptr<const ReportDataSource> m_master;
    std::shared_ptr<const ReportDataSource> m_detail;
    QWidget *m_parent = nullptr;
};
