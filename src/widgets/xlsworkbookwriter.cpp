#include "xlsworkbookwriter.h"

#include "compoundfilewriter.h"
#include "exporttable.h"
#include "spreadsheetcell.h"

#include <QHash>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>

namespace {

constexpr int MaxRecordData = 8224;
constexpr int DefaultCellXf = 15;
constexpr int FirstCustomFormat = 164;
constexpr int TextFormat = 49; // the built-in "@" format

// A growing byte buffer of BIFF records.
class Biff
{
public:
    QByteArray data;

    void u8(QByteArray &b, quint8 v) { b.append(char(v)); }
    static void u16(QByteArray &b, quint16 v)
    {
        char x[2];
        qToLittleEndian<quint16>(v, x);
        b.append(x, 2);
    }
    static void u32(QByteArray &b, quint32 v)
    {
        char x[4];
        qToLittleEndian<quint32>(v, x);
        b.append(x, 4);
    }
    static void f64(QByteArray &b, double v)
    {
        char x[8];
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        qToLittleEndian<quint64>(bits, x);
        b.append(x, 8);
    }
    void record(quint16 id, const QByteArray &body)
    {
        u16(data, id);
        u16(data, quint16(body.size()));
        data.append(body);
    }
};

void utf16(QByteArray &b, const QString &s)
{
    for (QChar c : s)
        Biff::u16(b, c.unicode());
}

// Strings with an 8-bit length (sheet and font names).
QByteArray shortString(const QString &s)
{
    QByteArray b;
    b.append(char(quint8(s.size())));
    b.append(char(1));
    utf16(b, s);
    return b;
}

// Strings with a 16-bit length (formats).
QByteArray longString(const QString &s)
{
    QByteArray b;
    Biff::u16(b, quint16(s.size()));
    b.append(char(1));
    utf16(b, s);
    return b;
}

QByteArray xf(quint16 font, quint16 format, bool style, quint8 align, quint8 used)
{
    QByteArray b;
    Biff::u16(b, font);
    Biff::u16(b, format);
    Biff::u16(b, style ? 0xFFF5 : 0x0001);
    b.append(char(align));
    b.append(char(0));
    b.append(char(0));
    b.append(char(used));
    Biff::u32(b, 0);
    Biff::u32(b, 0);
    Biff::u16(b, 0x20C0);
    return b;
}

QByteArray font(bool bold)
{
    QByteArray b;
    Biff::u16(b, 200);        // 10 points
    Biff::u16(b, 0);
    Biff::u16(b, 0x7FFF);     // automatic colour
    Biff::u16(b, bold ? 700 : 400);
    Biff::u16(b, 0);
    b.append(char(0));        // underline
    b.append(char(0));        // family
    b.append(char(134));      // GB2312 character set
    b.append(char(0));
    b.append(shortString(QStringLiteral("宋体")));
    return b;
}

// Shared strings with the CONTINUE splitting the format requires.
class StringTable
{
public:
    int add(const QString &s)
    {
        ++m_total;
        auto it = m_index.constFind(s);
        if (it != m_index.constEnd())
            return it.value();
        const int i = int(m_strings.size());
        m_index.insert(s, i);
        m_strings.append(s);
        return i;
    }

    // Appends SST, its CONTINUE records and EXTSST to the globals, which start at stream
    // offset 0.
    void writeTo(Biff &globals) const
    {
        const int unique = int(m_strings.size());
        const int perBucket = std::max(8, (unique + 127) / 128);
        QList<QByteArray> records;
        QByteArray cur;
        Biff::u32(cur, quint32(m_total));
        Biff::u32(cur, quint32(unique));
        struct Pos {
            int record;
            int offset;
        };
        QList<Pos> buckets;
        for (int i = 0; i < unique; ++i) {
            const QString &s = m_strings.at(i);
            if (cur.size() + 3 + 2 > MaxRecordData) {
                records << cur;
                cur.clear();
            }
            if (i % perBucket == 0)
                buckets << Pos{int(records.size()), int(cur.size())};
            Biff::u16(cur, quint16(s.size()));
            cur.append(char(1));
            int done = 0;
            while (done < s.size()) {
                int room = (MaxRecordData - int(cur.size())) / 2;
                if (room <= 0) {
                    records << cur;
                    cur.clear();
                    cur.append(char(1)); // the continued part of a string restates its width
                    room = (MaxRecordData - 1) / 2;
                }
                const int n = std::min<int>(room, int(s.size()) - done);
                utf16(cur, s.mid(done, n));
                done += n;
            }
        }
        records << cur;

        QList<qint64> recordStart;
        for (int r = 0; r < records.size(); ++r) {
            recordStart << globals.data.size();
            globals.record(r == 0 ? 0x00FC : 0x003C, records.at(r));
        }
        QByteArray ext;
        Biff::u16(ext, quint16(perBucket));
        for (const Pos &p : buckets) {
            Biff::u32(ext, quint32(recordStart.at(p.record) + 4 + p.offset));
            Biff::u16(ext, quint16(4 + p.offset));
            Biff::u16(ext, 0);
        }
        globals.record(0x00FF, ext);
    }

private:
    QHash<QString, int> m_index;
    QList<QString> m_strings;
    qint64 m_total = 0;
};

// Cell formats: one XF per distinct number-format code.
class Formats
{
public:
    int xfFor(const QString &code)
    {
        if (code.isEmpty())
            return DefaultCellXf;
        auto it = m_xf.constFind(code);
        if (it != m_xf.constEnd())
            return it.value();
        int ifmt = TextFormat;
        if (code != QLatin1String("@")) {
            ifmt = FirstCustomFormat + int(m_codes.size());
            m_codes << code;
        }
        const int index = 17 + int(m_cellFormats.size()); // 16 is the title XF
        m_cellFormats << ifmt;
        m_xf.insert(code, index);
        return index;
    }
    void writeTo(Biff &g) const
    {
        for (int i = 0; i < m_codes.size(); ++i) {
            QByteArray b;
            Biff::u16(b, quint16(FirstCustomFormat + i));
            b.append(longString(m_codes.at(i)));
            g.record(0x041E, b);
        }
        for (int i = 0; i < 5; ++i)
            g.record(0x0031, font(i == 4));
    }
    void writeXfs(Biff &g) const
    {
        g.record(0x00E0, xf(0, 0, true, 0x20, 0x00));
        for (int i = 1; i < 15; ++i)
            g.record(0x00E0, xf(i <= 2 ? 1 : 0, 0, true, 0x20, 0xF4));
        g.record(0x00E0, xf(0, 0, false, 0x20, 0x00));
        g.record(0x00E0, xf(5, 0, false, 0x22, 0x18)); // title: bold, centred
        for (int ifmt : m_cellFormats)
            g.record(0x00E0, xf(0, quint16(ifmt), false, 0x20, 0x04));
    }

private:
    QHash<QString, int> m_xf;
    QList<QString> m_codes;
    QList<int> m_cellFormats;
};

struct Cell {
    quint16 col;
    quint16 xf;
    bool number;
    double value;
    int sst;
};

QString sheetNameFor(const QString &base, int index, int count)
{
    QString name = base.trimmed().isEmpty() ? QStringLiteral("Sheet1") : base.trimmed();
    for (const QChar bad : {QLatin1Char('['), QLatin1Char(']'), QLatin1Char(':'), QLatin1Char('*'), QLatin1Char('?'),
                            QLatin1Char('/'), QLatin1Char('\\')})
        name.replace(bad, QLatin1Char('_'));
    if (count > 1)
        return name.left(26) + QStringLiteral(" (%1)").arg(index + 1);
    return name.left(31);
}

} // namespace

bool XlsWorkbookWriter::write(const ExportTable &table, const QString &fileName, const QString &sheetName, QString *error)
{
    const int columns = std::min(table.columnCount(), MaxColumns);
    const int rows = table.rowCount();
    const int perSheet = MaxRowsPerSheet - 1;
    const int sheetCount = std::max(1, (rows + perSheet - 1) / perSheet);

    StringTable sst;
    Formats formats;
    QList<QByteArray> sheets;
    for (int s = 0; s < sheetCount; ++s) {
        const int first = s * perSheet;
        const int last = std::min(rows, first + perSheet); // exclusive
        Biff sheet;
        QByteArray bof;
        Biff::u16(bof, 0x0600);
        Biff::u16(bof, 0x0010);
        Biff::u16(bof, 0x0DBB);
        Biff::u16(bof, 0x07CC);
        Biff::u32(bof, 0);
        Biff::u32(bof, 0x00000006);
        sheet.record(0x0809, bof);
        QByteArray defWidth;
        Biff::u16(defWidth, 8);
        sheet.record(0x0055, defWidth);
        for (int c = 0; c < columns; ++c) {
            QByteArray ci;
            Biff::u16(ci, quint16(c));
            Biff::u16(ci, quint16(c));
            Biff::u16(ci, quint16(std::clamp(table.width(c) * 256 / 7, 256, 255 * 256)));
            Biff::u16(ci, DefaultCellXf);
            Biff::u16(ci, 0);
            Biff::u16(ci, 0);
            sheet.record(0x007D, ci);
        }
        const int sheetRows = last - first + 1;
        QByteArray dim;
        Biff::u32(dim, 0);
        Biff::u32(dim, quint32(sheetRows));
        Biff::u16(dim, 0);
        Biff::u16(dim, quint16(columns));
        Biff::u16(dim, 0);
        sheet.record(0x0200, dim);

        // Rows in blocks of 32: the ROW records of a block, then its cells.
        QList<Cell> cells;
        for (int blockStart = 0; blockStart < sheetRows; blockStart += 32) {
            const int blockEnd = std::min(sheetRows, blockStart + 32);
            for (int r = blockStart; r < blockEnd; ++r) {
                QByteArray row;
                Biff::u16(row, quint16(r));
                Biff::u16(row, 0);
                Biff::u16(row, quint16(columns));
                Biff::u16(row, 0x00FF);
                Biff::u16(row, 0);
                Biff::u16(row, 0);
                Biff::u16(row, 0x0100);
                Biff::u16(row, DefaultCellXf);
                sheet.record(0x0208, row);
            }
            for (int r = blockStart; r < blockEnd; ++r) {
                for (int c = 0; c < columns; ++c) {
                    QByteArray b;
                    Biff::u16(b, quint16(r));
                    Biff::u16(b, quint16(c));
                    if (r == 0) {
                        Biff::u16(b, 16);
                        Biff::u32(b, quint32(sst.add(table.title(c))));
                        sheet.record(0x00FD, b);
                        continue;
                    }
                    const SpreadsheetCell cell = SpreadsheetCell::from(table, first + r - 1, c, false);
                    if (cell.kind == SpreadsheetCell::Kind::Empty)
                        continue;
                    Biff::u16(b, quint16(formats.xfFor(cell.format)));
                    if (cell.kind == SpreadsheetCell::Kind::Number) {
                        Biff::f64(b, cell.number);
                        sheet.record(0x0203, b);
                    } else {
                        Biff::u32(b, quint32(sst.add(cell.text)));
                        sheet.record(0x00FD, b);
                    }
                }
            }
        }
        QByteArray win;
        Biff::u16(win, s == 0 ? 0x06B6 : 0x04B6);
        Biff::u16(win, 0);
        Biff::u16(win, 0);
        Biff::u16(win, 0x40);
        Biff::u16(win, 0);
        Biff::u16(win, 0);
        Biff::u16(win, 0);
        Biff::u32(win, 0);
        sheet.record(0x023E, win);
        sheet.record(0x000A, {});
        sheets << sheet.data;
    }

    Biff g;
    QByteArray bof;
    Biff::u16(bof, 0x0600);
    Biff::u16(bof, 0x0005);
    Biff::u16(bof, 0x0DBB);
    Biff::u16(bof, 0x07CC);
    Biff::u32(bof, 0);
    Biff::u32(bof, 0x00000006);
    g.record(0x0809, bof);
    QByteArray cp;
    Biff::u16(cp, 1200);
    g.record(0x0042, cp);
    QByteArray win1;
    Biff::u16(win1, 0);
    Biff::u16(win1, 0);
    Biff::u16(win1, 0x4000);
    Biff::u16(win1, 0x2000);
    Biff::u16(win1, 0x0038);
    Biff::u16(win1, 0);
    Biff::u16(win1, 0);
    Biff::u16(win1, 1);
    Biff::u16(win1, 0x0258);
    g.record(0x003D, win1);
    formats.writeTo(g);
    formats.writeXfs(g);
    QByteArray style;
    Biff::u16(style, 0x8000);
    style.append(char(0));
    style.append(char(0xFF));
    g.record(0x0293, style);
    QList<int> boundsheetAt;
    for (int s = 0; s < sheetCount; ++s) {
        QByteArray b;
        Biff::u32(b, 0); // patched below
        Biff::u16(b, 0);
        b.append(shortString(sheetNameFor(sheetName, s, sheetCount)));
        boundsheetAt << int(g.data.size()) + 4;
        g.record(0x0085, b);
    }
    sst.writeTo(g);
    g.record(0x000A, {});

    qint64 offset = g.data.size();
    for (int s = 0; s < sheetCount; ++s) {
        qToLittleEndian<quint32>(quint32(offset), g.data.data() + boundsheetAt.at(s));
        offset += sheets.at(s).size();
    }
    QByteArray stream = g.data;
    for (const QByteArray &s : std::as_const(sheets))
        stream += s;

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!CompoundFileWriter::write(file, QStringLiteral("Workbook"), stream, error))
        return false;
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
