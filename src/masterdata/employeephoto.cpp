#include "employeephoto.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

EmployeePhoto EmployeePhoto::fromStored(const QString &fileName, const QByteArray &bytes)
{
    EmployeePhoto p;
    const ImageKind::Kind kind = ImageKind::ofFile(fileName);
    if (!ImageKind::isStored(kind) || bytes.isEmpty())
        return p;
    QImage image;
    if (!image.loadFromData(bytes, ImageKind::formatName(kind).constData()) && !image.loadFromData(bytes))
        return p;
    p.m_path = fileName;
    p.m_image = image;
    p.m_bytes = bytes;
    return p;
}

bool EmployeePhoto::loadFile(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    QImage image;
    if (!image.loadFromData(bytes))
        return false;
    m_path = file;
    m_image = image;
    m_bytes = bytes;
    return true;
}

void EmployeePhoto::setPicture(const QImage &image, const QString &path)
{
    m_image = image;
    m_path = path;
    m_bytes.clear();
}

void EmployeePhoto::clear()
{
    m_path.clear();
    m_image = QImage();
    m_bytes.clear();
}

QString EmployeePhoto::fileName() const
{
    return QFileInfo(m_path).fileName();
}

QByteArray EmployeePhoto::storedBytes() const
{
    const ImageKind::Kind kind = ImageKind::ofFile(m_path);
    if (m_image.isNull() || !ImageKind::isStored(kind))
        return QByteArray();
    if (ImageKind::ofData(m_bytes) == kind)
        return m_bytes;
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!m_image.save(&buffer, ImageKind::formatName(kind).constData()))
        return QByteArray();
    return out;
}
