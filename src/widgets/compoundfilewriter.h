#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Writes a compound document (the container of Excel 97-2003 workbooks) holding one stream.
class CompoundFileWriter
{
public:
    // Writes a document with a root entry and the named stream (for example "Workbook").
    static bool write(QIODevice &out, const QString &streamName, const QByteArray &stream, QString *error);
};
