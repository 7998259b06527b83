#include "imagekind.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

namespace ImageKind {

Kind ofFile(const QString &fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == QLatin1String("bmp"))
        return Bitmap;
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return Jpeg;
    if (ext == QLatin1String("gif"))
        return Gif;
    if (ext == QLatin1String("png"))
        return Png;
    return Unknown;
}

bool isStored(Kind kind)
{
    return kind == Bitmap || kind == Jpeg || kind == Png;
}

QByteArray formatName(Kind kind)
{
    switch (kind) {
    case Bitmap:
        return "bmp";
    case Jpeg:
        return "jpeg";
    case Gif:
        return "gif";
    case Png:
        return "png";
    case Unknown:
        break;
    }
    return QByteArray();
}

Kind ofData(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return Unknown;
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer).toLower();
    if (format == "bmp" || format == "dib")
        return Bitmap;
    if (format == "jpeg" || format == "jpg")
        return Jpeg;
    if (format == "gif")
        return Gif;
    if (format == "png")
        return Png;
    return Unknown;
}

} // namespace ImageKind
