#pragma once

#include <QByteArray>
#include <QString>

// The kind of a picture file, told by its file name's extension without regard to case.
namespace ImageKind {

enum Kind { Unknown = 0, Bitmap = 1, Jpeg = 2, Gif = 3, Png = 4 };

// ".bmp" 1, ".jpg"/".jpeg" 2, ".gif" 3, ".png" 4, anything else 0.
Kind ofFile(const QString &fileName);

// Whether photographs of this kind are kept in the database (bitmaps, JPEG and PNG pictures).
bool isStored(Kind kind);

// The image format name Qt reads and writes for a kind ("bmp", "jpeg", "gif", "png"), empty
// for Unknown.
QByteArray formatName(Kind kind);

// The kind of encoded picture bytes, told by their content.
Kind ofData(const QByteArray &bytes);

} // namespace ImageKind
