#pragma once

#include <QList>
#include <QString>

// An INI file whose section and key names compare without regard to letter case.
// Reading keeps the file's order and comments; writing changes only the keys written.
// A file in GBK (as older tools wrote it) is read correctly; the file is written in UTF-8.
class IniFile
{
public:
    explicit IniFile(const QString &path);

    const QString &path() const { return m_path; }
    bool exists() const;
    // False when the file exists but cannot be read.
    bool load();
    bool save() const;
    QString errorString() const { return m_error; }

    bool contains(const QString &section, const QString &key) const;
    QString readString(const QString &section, const QString &key, const QString &def = QString()) const;
    int readInteger(const QString &section, const QString &key, int def) const;
    bool readBool(const QString &section, const QString &key, bool def) const;

    // Writes the value and saves the file at once, as INI files do.
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool writeInteger(const QString &section, const QString &key, int value);
    bool writeBool(const QString &section, const QString &key, bool value);

    // Sets a value in memory without saving.
    void setValue(const QString &section, const QString &key, const QString &value);

    static QString decode(const QByteArray &bytes);

private:
    struct Line {
        QString text;     // the line as read (comments, blanks, section headers)
        QString section;  // section the line belongs to
        QString key;      // key name as written, empty for non-key lines
        QString value;
    };
    int findKey(const QString &section, const QString &key) const;

    QString m_path;
    QList<Line> m_lines;
    mutable QString m_error;
};
