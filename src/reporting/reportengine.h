#pragma once

#include "preparedreport.h"
#include "reportdatasource.h"
#include "reporttemplate.h"
#include "reportvaluehandler.h"

#include <QDateTime>
#include <QHash>

#include <memory>

class ReportFunctionRegistry;

// Lays out a template with its data into pages.
//
// Page: report title (first page), page header, column header on top; the page footer at
// the bottom. Body: for each row of the master band's source the group headers whose
// condition changed (after the footers of the groups that ended), the master band, the detail
// band once per detail row (only the rows matching the master row when the detail band has a
// link) and the detail footer; after the last row the open group footers and the master
// footer; then the report summary. A band that does not fit starts a new page. A data band
// with fillRows N shows at most N rows per page and pads the last page with empty rows to N.
class ReportEngine
{
public:
    explicit ReportEngine(const ReportTemplate &tpl);
    ~ReportEngine();

    void setDataSource(const QString &name, std::shared_ptr<const ReportDataSource> source);
    void setValueHandler(const ReportValueHandler &handler) { m_handler = handler; }
    void setFunctions(const ReportFunctionRegistry *functions) { m_functions = functions; }
    // Folder against which picture file names are resolved.
    void setTemplateFolder(const QString &folder) { m_folder = folder; }
    // The moment of printing shown by Date, Time and Now (default: when prepare() runs).
    void setPrintTime(const QDateTime &when) { m_printTime = when; }

    // A template without bands gives no pages.
    PreparedReport prepare() const;

private:
    friend class ReportLayout;
    const ReportTemplate &m_tpl;
    QList<QPair<QString, std::shared_ptr<const ReportDataSource>>> m_sources;
    ReportValueHandler m_handler;
    const ReportFunctionRegistry *m_functions = nullptr;
    QString m_folder;
    QDateTime m_printTime;
};
