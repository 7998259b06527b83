#include "inifile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <iconv.h>

IniFile::IniFile(const QString &path) : m_path(path) { load(); }

bool IniFile::exists() const { return QFileInfo::exists(m_path); }

QString IniFile::decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // Not UTF-8: older tools wrote the file in GBK.
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(bytes);
    QByteArray in = bytes;
    QByteArray out(in.size() * 2 + 16, '\0');
    char *inp = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char *outp = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    while (inLeft > 0) {
        if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1)) {
            // Skip a byte that is not GBK and go on.
            ++inp;
            --inLeft;
        }
    }
    iconv_close(cd);
    out.truncate(out.size() - static_cast<qsizetype>(outLeft));
    return QString::fromUtf8(out);
}

bool IniFile::load()
{
    m_lines.clear();
    m_error.clear();
    QFile f(m_path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        m_error = f.errorString();
        return false;
    }
    QString text = decode(f.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QString section;
    const QStringList rows = text.split(QLatin1Char('\n'));
    for (int i = 0; i < rows.size(); ++i) {
        QString raw = rows.at(i);
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        if (i == rows.size() - 1 && raw.isEmpty())
            break;
        Line line{raw, section, QString(), QString()};
        const QString t = raw.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            section = t.mid(1, t.size() - 2).trimmed();
            line.section = section;
        } else if (!t.isEmpty() && !t.startsWith(QLatin1Char(';')) && !t.startsWith(QLatin1Char('#'))) {
            const int eq = t.indexOf(QLatin1Char('='));
            if (eq > 0) {
                line.key = t.left(eq).trimmed();
                // Blanks around a value are not part of it, as with every INI reader.
                line.value = t.mid(eq + 1).trimmed();
            }
        }
        m_lines.append(line);
    }
    return true;
}

bool IniFile::save() const
{
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly)) {
        m_error = f.errorString();
        return false;
    }
    QString text;
    for (const Line &l : m_lines)
        text += l.text + QStringLiteral("\r\n");
    f.write(text.toUtf8());
    if (!f.commit()) {
        m_error = f.errorString();
        return false;
    }
    return true;
}

int IniFile::findKey(const QString &section, const QString &key) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &l = m_lines.at(i);
        if (!l.key.isEmpty() && l.section.compare(section, Qt::CaseInsensitive) == 0
            && l.key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool IniFile::contains(const QString &section, const QString &key) const { return findKey(section, key) >= 0; }

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const int i = findKey(section, key);
    return i < 0 ? def : m_lines.at(i).value;
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const
{
    bool ok = false;
    const int v = readString(section, key).trimmed().toInt(&ok);
    return ok ? v : def;
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    const QString v = readString(section, key).trimmed();
    if (v.isEmpty())
        return def;
    if (v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (v.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n != 0 : def;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const int i = findKey(section, key);
    if (i >= 0) {
        Line &l = m_lines[i];
        l.value = value;
        l.text = l.key + QLatin1Char('=') + value;
        return;
    }
    // Append to the end of an existing section, or open a new one.
    int sectionEnd = -1;
    for (int j = 0; j < m_lines.size(); ++j)
        if (m_lines.at(j).section.compare(section, Qt::CaseInsensitive) == 0)
            sectionEnd = j;
    Line l{key + QLatin1Char('=') + value, section, key, value};
    if (sectionEnd < 0) {
        m_lines.append(Line{QLatin1Char('[') + section + QLatin1Char(']'), section, QString(), QString()});
        m_lines.append(l);
        return;
    }
    // Insert after the last non-blank line of the section.
    int at = sectionEnd;
    while (at > 0 && m_lines.at(at).text.trimmed().isEmpty()
           && m_lines.at(at - 1).section.compare(section, Qt::CaseInsensitive) == 0)
        --at;
    l.section = m_lines.at(at).section;
    m_lines.insert(at + 1, l);
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    setValue(section, key, value);
    return save();
}

bool IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    // Written as 1/0, the way INI files store booleans.
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
