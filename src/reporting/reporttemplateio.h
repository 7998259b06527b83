#pragma once

#include "reporttemplate.h"

#include <QByteArray>
#include <QString>

// Reads and writes the XML file format of report templates (described in
// docs/report-templates.md).
class ReportTemplateIo
{
public:
    enum class LoadStatus { Loaded, Missing, Invalid };

    // A missing file gives Missing and an empty template; a file that cannot be read or parsed
    // gives Invalid with the reason (and line) in *error.
    static LoadStatus load(const QString &path, ReportTemplate *out, QString *error = nullptr);
    static bool fromXml(const QByteArray &xml, ReportTemplate *out, QString *error = nullptr);

    static QByteArray toXml(const ReportTemplate &tpl);
    // Writes atomically (a failed write leaves the old file); creates the folder when needed.
    static bool save(const QString &path, const ReportTemplate &tpl, QString *error = nullptr);
};
