#pragma once

#include "imagekind.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// An employee's photograph as the editor holds it: the file path it came from (for a stored
// photograph only the file name), the decoded picture and the encoded bytes it was read from.
class EmployeePhoto
{
public:
    EmployeePhoto() = default;

    // The photograph kept in the database: read only when the stored file name says bitmap,
    // JPEG or PNG and the bytes decode; otherwise an empty photograph (no path either).
    static EmployeePhoto fromStored(const QString &fileName, const QByteArray &bytes);

    // Reads a picture file; false (the photograph unchanged) when it cannot be decoded.
    bool loadFile(const QString &file);
    // A picture shown elsewhere (the picture window's) with its path; bytes unknown.
    void setPicture(const QImage &image, const QString &path);
    void clear();

    bool isNull() const { return m_image.isNull(); }
    const QString &path() const { return m_path; }
    const QImage &image() const { return m_image; }
    const QByteArray &sourceBytes() const { return m_bytes; }

    // The file name without its folder (F_imagePath).
    QString fileName() const;
    // The bytes written into F_EmpImage: the picture in the format its path names (bitmap, JPEG
    // or PNG; bytes already in that format are kept as they are, so a JPEG is not re-encoded
    // on every save); empty for any other kind or no picture.
    QByteArray storedBytes() const;

private:
    QString m_path;
    QImage m_image;
    QByteArray m_bytes;
};
