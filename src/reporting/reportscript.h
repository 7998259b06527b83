#pragma once

#include "preparedreport.h"
#include "reporttemplate.h"

#include <QList>
#include <QString>

#include <functional>

class ReportPreviewDialog;
class ReportDesignerDialog;

// Lets tests run the report services without modal windows. While a script is installed the
// preview and the designer are not shown modally: each request is recorded (template name and
// path, the prepared pages or the template handed to the designer) and, when a handler is set,
// the dialog is built and handed to it, then closed.
class ReportScript
{
public:
    struct Entry {
        enum class Kind { Preview, Designer };
        Kind kind;
        QString name;  // template name
        QString path;  // template file
        PreparedReport report;    // preview: the pages
        ReportTemplate tpl;       // designer: the template it opened with
    };

    ReportScript();
    ~ReportScript();
    ReportScript(const ReportScript &) = delete;
    ReportScript &operator=(const ReportScript &) = delete;

    const QList<Entry> &entries() const { return m_entries; }
    void clear() { m_entries.clear(); }

    void setPreviewHandler(std::function<void(ReportPreviewDialog &)> handler) { m_preview = std::move(handler); }
    void setDesignerHandler(std::function<void(ReportDesignerDialog &)> handler) { m_designer = std::move(handler); }

    static ReportScript *current();

    // Used by the report service.
    void record(const Entry &entry) { m_entries.append(entry); }
    const std::function<void(ReportPreviewDialog &)> &previewHandler() const { return m_preview; }
    const std::function<void(ReportDesignerDialog &)> &designerHandler() const { return m_designer; }

private:
    QList<Entry> m_entries;
    std::function<void(ReportPreviewDialog &)> m_preview;
    std::function<void(ReportDesignerDialog &)> m_designer;
    ReportScript *m_previous = nullptr;
};
