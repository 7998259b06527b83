#include "compoundfilewriter.h"

#include <QIODevice>
#include <QtEndian>

#include <vector>

namespace {

constexpr quint32 FreeSect = 0xFFFFFFFF;
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FatSect = 0xFFFFFFFD;
constexpr quint32 DifSect = 0xFFFFFFFC;
constexpr quint32 NoStream = 0xFFFFFFFF;
constexpr int SectorSize = 512;
constexpr int IdsPerSector = SectorSize / 4;
constexpr int HeaderDifat = 109;
// Streams below this size would belong in the mini stream; the workbook is padded instead.
constexpr int MiniStreamCutoff = 4096;

void put16(QByteArray &b, int at, quint16 v) { qToLittleEndian<quint16>(v, b.data() + at); }
void put32(QByteArray &b, int at, quint32 v) { qToLittleEndian<quint32>(v, b.data() + at); }

QByteArray dirEntry(const QString &name, quint8 type, quint32 child, quint32 start, quint32 size)
{
    QByteArray e(128, '\0');
    if (type != 0) {
        const int n = std::min<int>(name.size(), 31);
        for (int i = 0; i < n; ++i)
            put16(e, i * 2, name.at(i).unicode());
        put16(e, 64, quint16((n + 1) * 2));
    }
    e[66] = char(type);
    e[67] = char(type == 0 ? 0 : 1); // black
    put32(e, 68, NoStream);
    put32(e, 72, NoStream);
    put32(e, 76, child);
    put32(e, 116, start);
    put32(e, 120, size);
    return e;
}

} // namespace

bool CompoundFileWriter::write(QIODevice &out, const QString &streamName, const QByteArray &input, QString *error)
{
    QByteArray stream = input;
    if (stream.size() < MiniStreamCutoff)
        stream.append(QByteArray(MiniStreamCutoff - stream.size(), '\0'));
    if (qint64(stream.size()) >= (qint64(1) << 32)) {
        if (error)
            *error = QStringLiteral("workbook too large");
        return false;
    }
    const quint32 streamSectors = quint32((stream.size() + SectorSize - 1) / SectorSize);

    // Sectors: stream, one directory sector, FAT sectors, DIFAT sectors.
    quint32 fat = 1, difat = 0;
    for (;;) {
        difat = fat > HeaderDifat ? (fat - HeaderDifat + IdsPerSector - 2) / (IdsPerSector - 1) : 0;
        const quint64 total = quint64(streamSectors) + 1 + fat + difat;
        if (quint64(fat) * IdsPerSector >= total)
            break;
        ++fat;
    }
    const quint32 dirSector = streamSectors;
    const quint32 firstFat = dirSector + 1;
    const quint32 firstDifat = firstFat + fat;

    std::vector<quint32> table(size_t(fat) * IdsPerSector, FreeSect);
    for (quint32 i = 0; i < streamSectors; ++i)
        table[i] = i + 1 < streamSectors ? i + 1 : EndOfChain;
    table[dirSector] = EndOfChain;
    for (quint32 i = 0; i < fat; ++i)
        table[firstFat + i] = FatSect;
    for (quint32 i = 0; i < difat; ++i)
        table[firstDifat + i] = DifSect;

    QByteArray header(SectorSize, '\0');
    static const unsigned char sig[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    for (int i = 0; i < 8; ++i)
        header[i] = char(sig[i]);
    put16(header, 24, 0x003E);
    put16(header, 26, 0x0003);
    put16(header, 28, 0xFFFE);
    put16(header, 30, 9);
    put16(header, 32, 6);
    put32(header, 44, fat);
    put32(header, 48, dirSector);
    put32(header, 56, MiniStreamCutoff);
    put32(header, 60, EndOfChain);
    put32(header, 64, 0);
    put32(header, 68, difat ? firstDifat : EndOfChain);
    put32(header, 72, difat);
    for (int i = 0; i < HeaderDifat; ++i)
        put32(header, 76 + i * 4, quint32(i) < fat ? firstFat + quint32(i) : FreeSect);

    auto fail = [&](const QString &what) {
        if (error)
            *error = what + QStringLiteral(": ") + out.errorString();
        return false;
    };
    if (out.write(header) != header.size())
        return fail(QStringLiteral("write failed"));
    const qint64 padded = qint64(streamSectors) * SectorSize;
    if (out.write(stream) != stream.size())
        return fail(QStringLiteral("write failed"));
    if (padded > stream.size() && out.write(QByteArray(int(padded - stream.size()), '\0')) != padded - stream.size())
        return fail(QStringLiteral("write failed"));

    QByteArray dir;
    dir += dirEntry(QStringLiteral("Root Entry"), 5, 1, EndOfChain, 0);
    dir += dirEntry(streamName, 2, NoStream, 0, quint32(stream.size()));
    dir += dirEntry(QString(), 0, NoStream, 0, 0);
    dir += dirEntry(QString(), 0, NoStream, 0, 0);
    if (out.write(dir) != dir.size())
        return fail(QStringLiteral("write failed"));

    QByteArray fatBytes(int(table.size() * 4), '\0');
    for (size_t i = 0; i < table.size(); ++i)
        put32(fatBytes, int(i * 4), table[i]);
    if (out.write(fatBytes) != fatBytes.size())
        return fail(QStringLiteral("write failed"));

    // FAT sectors beyond the 109 the header lists.
    quint32 next = HeaderDifat;
    for (quint32 d = 0; d < difat; ++d) {
        QByteArray s(SectorSize, '\0');
        for (int i = 0; i < IdsPerSector - 1; ++i, ++next)
            put32(s, i * 4, next < fat ? firstFat + next : FreeSect);
        put32(s, (IdsPerSector - 1) * 4, d + 1 < difat ? firstDifat + d + 1 : EndOfChain);
        if (out.write(s) != s.size())
            return fail(QStringLiteral("write failed"));
    }
    return true;
}
