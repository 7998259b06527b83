#include "textexportwriter.h"

#include "exporttable.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

class Output
{
public:
    explicit Output(QSaveFile &file) : m_file(file) {}
    void add(const QString &s)
    {
        m_buffer += s.toUtf8();
        if (m_buffer.size() > (1 << 16))
            flush();
    }
    void addBytes(const QByteArray &b) { m_buffer += b; }
    bool flush()
    {
        if (m_ok && !m_buffer.isEmpty() && m_file.write(m_buffer) != m_buffer.size())
            m_ok = false;
        m_buffer.clear();
        return m_ok;
    }
    bool ok() const { return m_ok; }

private:
    QSaveFile &m_file;
    QByteArray m_buffer;
    bool m_ok = true;
};

const char *const Bom = "\xEF\xBB\xBF";
const QString Eol = QStringLiteral("\r\n");

QString plainField(QString s)
{
    s.replace(QLatin1Char('\t'), QLatin1Char(' '));
    s.replace(QLatin1String("\r\n"), QLatin1String(" "));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

QString htmlEscape(const QString &s)
{
    QString out = s.toHtmlEscaped();
    out.replace(QLatin1String("\r\n"), QLatin1String("<br/>"));
    out.replace(QLatin1Char('\n'), QLatin1String("<br/>"));
    return out;
}

QString rtfEscape(const QString &s)
{
    QString out;
    out.reserve(s.size() * 2);
    for (QChar c : s) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1String("\\line ");
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\t')) {
            out += QLatin1Char(' ');
        } else if (u < 0x80) {
            out += c;
        } else {
            // Unicode escape with "?" as the fallback character for old readers.
            out += QStringLiteral("\\u%1?").arg(int(qint16(u)));
        }
    }
    return out;
}

const char *htmlAlign(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return "center";
    if (a & Qt::AlignRight)
        return "right";
    return "left";
}

const char *rtfAlign(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return "\\qc";
    if (a & Qt::AlignRight)
        return "\\qr";
    return "\\ql";
}

void writeDelimited(const ExportTable &t, Output &out, QChar sep, bool csv)
{
    out.addBytes(Bom);
    const int cols = t.columnCount();
    auto field = [csv](const QString &s) { return csv ? TextExportWriter::csvField(s) : plainField(s); };
    QStringList line;
    for (int c = 0; c < cols; ++c)
        line << field(t.title(c));
    out.add(line.join(sep) + Eol);
    for (int r = 0; r < t.rowCount() && out.ok(); ++r) {
        line.clear();
        for (int c = 0; c < cols; ++c)
            line << field(t.text(r, c));
        out.add(line.join(sep) + Eol);
    }
}

void writeHtml(const ExportTable &t, Output &out, const QString &title)
{
    const int cols = t.columnCount();
    out.add(QStringLiteral("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\"/>\r\n<title>%1</title>\r\n"
                           "</head>\r\n<body>\r\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\r\n<thead>\r\n<tr>")
                .arg(htmlEscape(title)));
    for (int c = 0; c < cols; ++c)
        out.add(QStringLiteral("<th width=\"%1\">%2</th>").arg(t.width(c)).arg(htmlEscape(t.title(c))));
    out.add(QStringLiteral("</tr>\r\n</thead>\r\n<tbody>\r\n"));
    for (int r = 0; r < t.rowCount() && out.ok(); ++r) {
        out.add(QStringLiteral("<tr>"));
        for (int c = 0; c < cols; ++c) {
            // Texts are marked as text so that spreadsheets keep codes such as "00012" as typed.
            const bool text = t.value(r, c).typeId() == QMetaType::QString;
            out.add(QStringLiteral("<td align=\"%1\"%2>%3</td>")
                        .arg(QLatin1String(htmlAlign(t.alignment(c))),
                             text ? QLatin1String(" style=\"mso-number-format:'\\@'\" sdnum=\"2052;0;@\"") : QLatin1String(""),
                             htmlEscape(t.text(r, c))));
        }
        out.add(QStringLiteral("</tr>\r\n"));
    }
    out.add(QStringLiteral("</tbody>\r\n</table>\r\n</body>\r\n</html>\r\n"));
}

void writeRtf(const ExportTable &t, Output &out)
{
    const int cols = t.columnCount();
    out.add(QStringLiteral("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\uc1\\f0\\fs18\r\n"));
    QString rowHead = QStringLiteral("\\trowd\\trgaph60\\trleft0");
    int right = 0;
    for (int c = 0; c < cols; ++c) {
        right += std::max(1, t.width(c)) * 15; // pixels to twips
        rowHead += QStringLiteral("\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
                                  "\\clbrdrr\\brdrs\\brdrw10\\cellx%1")
                       .arg(right);
    }
    rowHead += QStringLiteral("\r\n");
    auto row = [&](auto cellText, bool bold) {
        out.add(rowHead);
        for (int c = 0; c < cols; ++c)
            out.add(QStringLiteral("\\pard\\intbl%1 %2%3%4\\cell\r\n")
                        .arg(QLatin1String(bold ? "\\qc" : rtfAlign(t.alignment(c))), QLatin1String(bold ? "{\\b " : "{"),
                             rtfEscape(cellText(c)), QStringLiteral("}")));
        out.add(QStringLiteral("\\row\r\n"));
    };
    row([&](int c) { return t.title(c); }, true);
    for (int r = 0; r < t.rowCount() && out.ok(); ++r)
        row([&](int c) { return t.text(r, c); }, false);
    out.add(QStringLiteral("\\pard\r\n}\r\n"));
}

} // namespace

QString TextExportWriter::csvField(const QString &text)
{
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n'))
                       || text.contains(QLatin1Char('\r')) || text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
    if (!quote)
        return text;
    QString q = text;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

bool TextExportWriter::write(const ExportTable &table, Kind kind, const QString &fileName, QString *error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    Output out(file);
    switch (kind) {
    case Kind::Txt:
        writeDelimited(table, out, QLatin1Char('\t'), false);
        break;
    case Kind::Csv:
        writeDelimited(table, out, QLatin1Char(','), true);
        break;
    case Kind::Html:
        writeHtml(table, out, QFileInfo(fileName).completeBaseName());
        break;
    case Kind::Rtf:
        writeRtf(table, out);
        break;
    }
    if (!out.flush() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
