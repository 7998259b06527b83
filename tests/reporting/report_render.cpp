// Lays a report template out and writes the pages as PDF or PNG files.
//
//   report_render TEMPLATE.xml OUTPUT.pdf [--master rows.csv] [--detail rows.csv]
//                 [--current N] [--var NAME=VALUE]... [--png DPI]
//
// The CSV files (UTF-8, first line the field names) become frxDM and frxDD; texts that read as
// numbers become numbers. --current picks the master's current row (0-based), --var answers a
// variable as the printing window would. With --png the output names the base of
// OUTPUT-001.png, OUTPUT-002.png, ...
#include "reporting/reportengine.h"
#include "reporting/reportexporter.h"
#include "reporting/reportservice.h"
#include "reporting/reporttablesource.h"
#include "reporting/reporttemplateio.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QTextStream>

namespace {
QList<QStringList> readCsv(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = f.errorString();
        return {};
    }
    const QString text = QString::fromUtf8(f.readAll());
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            row << field;
            field.clear();
            if (!(row.size() == 1 && row.first().isEmpty()))
                rows << row;
            row.clear();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty()) {
        row << field;
        rows << row;
    }
    return rows;
}

std::shared_ptr<ReportTableSource> tableFrom(const QList<QStringList> &rows)
{
    auto t = std::make_shared<ReportTableSource>(rows.value(0));
    for (int r = 1; r < rows.size(); ++r) {
        QVariantList values;
        for (const QString &s : rows[r]) {
            bool ok = false;
            const double d = s.trimmed().toDouble(&ok);
            values << (ok && !s.trimmed().isEmpty() ? QVariant(d) : QVariant(s));
        }
        t->addRow(values);
    }
    return t;
}
} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        err << "usage: report_render TEMPLATE.xml OUTPUT.pdf [--master rows.csv] [--detail rows.csv] [--current N]"
               " [--var NAME=VALUE]... [--png DPI]\n";
        return 2;
    }
    const QString templatePath = args[0];
    const QString output = args[1];
    QString masterCsv, detailCsv;
    int current = 0;
    double pngDpi = 0;
    QHash<QString, QString> vars;
    for (int i = 2; i < args.size(); ++i) {
        const QString a = args[i];
        const QString next = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QLatin1String("--master")) {
            masterCsv = next;
            ++i;
        } else if (a == QLatin1String("--detail")) {
            detailCsv = next;
            ++i;
        } else if (a == QLatin1String("--current")) {
            current = next.toInt();
            ++i;
        } else if (a == QLatin1String("--png")) {
            pngDpi = next.toDouble();
            ++i;
        } else if (a == QLatin1String("--var")) {
            const int eq = int(next.indexOf(QLatin1Char('=')));
            if (eq > 0)
                vars.insert(next.left(eq), next.mid(eq + 1));
            ++i;
        } else {
            err << "unknown option " << a << "\n";
            return 2;
        }
    }

    ReportTemplate tpl;
    QString error;
    if (ReportTemplateIo::load(templatePath, &tpl, &error) == ReportTemplateIo::LoadStatus::Invalid) {
        err << templatePath << ": " << error << "\n";
        return 1;
    }
    ReportService service;  // for its functions
    ReportEngine engine(tpl);
    for (const auto &[name, path] : {std::pair{ReportService::masterName(), masterCsv}, std::pair{ReportService::detailName(), detailCsv}}) {
        if (path.isEmpty())
            continue;
        const QList<QStringList> rows = readCsv(path, &error);
        if (!error.isEmpty()) {
            err << path << ": " << error << "\n";
            return 1;
        }
        auto table = tableFrom(rows);
        if (name == ReportService::masterName())
            table->setCurrentRow(current);
        engine.setDataSource(name, table);
    }
    engine.setValueHandler([vars](const QString &name) -> std::optional<QVariant> {
        auto it = vars.constFind(name);
        return it == vars.constEnd() ? std::nullopt : std::optional<QVariant>(*it);
    });
    engine.setFunctions(&service.functions());
    engine.setTemplateFolder(QFileInfo(templatePath).absolutePath());
    const PreparedReport report = engine.prepare();
    for (const QString &w : report.warnings)
        err << "warning: " << w << "\n";

    const bool ok = pngDpi > 0 ? ReportExporter::exportPng(report, output, pngDpi, nullptr, &error)
                               : ReportExporter::exportPdf(report, output, &error, QFileInfo(templatePath).completeBaseName());
    if (!ok) {
        err << error << "\n";
        return 1;
    }
    QTextStream(stdout) << report.pageCount() << " pages\n";
    return 0;
}
