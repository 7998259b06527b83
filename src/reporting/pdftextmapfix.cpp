#include "pdftextmapfix.h"

#include "reportobject.h"

#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QRegularExpression>
#include <QString>

#include <vector>

namespace {

// Radicals (CJK Radicals Supplement and Kangxi Radicals) to the unified ideograph drawn with the
// same glyph in the report font, or by their compatibility decomposition.
const QHash<ushort, ushort> &radicalMap()
{
    static const QHash<ushort, ushort> map = [] {
        QHash<ushort, ushort> out;
        const QRawFont raw = QRawFont::fromFont(QFont(ReportObject::defaultFontFamily()));
        if (raw.isValid()) {
            std::vector<QChar> ideographs;
            for (uint c = 0x4E00; c <= 0x9FFF; ++c)
                ideographs.push_back(QChar(char16_t(c)));
            for (uint c = 0x3400; c <= 0x4DBF; ++c)
                ideographs.push_back(QChar(char16_t(c)));
            std::vector<quint32> glyphs(ideographs.size());
            int count = int(glyphs.size());
            if (raw.glyphIndexesForChars(ideographs.data(), int(ideographs.size()), glyphs.data(), &count)) {
                QHash<quint32, ushort> byGlyph;
                for (size_t i = 0; i < ideographs.size(); ++i)
                    if (glyphs[i] != 0 && !byGlyph.contains(glyphs[i]))
                        byGlyph.insert(glyphs[i], ideographs[i].unicode());
                for (uint c = 0x2E80; c <= 0x2FDF; ++c) {
                    const QChar ch{char16_t(c)};
                    quint32 glyph = 0;
                    int n = 1;
                    if (raw.glyphIndexesForChars(&ch, 1, &glyph, &n) && glyph != 0 && byGlyph.contains(glyph))
                        out.insert(ushort(c), byGlyph.value(glyph));
                }
            }
        }
        for (uint c = 0x2F00; c <= 0x2FD5; ++c) {
            if (out.contains(ushort(c)))
                continue;
            const QString n = QString(QChar(char16_t(c))).normalized(QString::NormalizationForm_KC);
            if (n.size() == 1 && n[0].unicode() != c)
                out.insert(ushort(c), n[0].unicode());
        }
        return out;
    }();
    return map;
}

QByteArray hex4(ushort code)
{
    return QByteArray::number(code, 16).toUpper().rightJustified(4, '0');
}

// Rewrites the destination codes of one bfrange or bfchar block.
void fixBlock(QByteArray &pdf, qsizetype from, qsizetype to, bool ranges)
{
    static const QRegularExpression line(QStringLiteral("<([0-9A-Fa-f]{4})>\\s*<([0-9A-Fa-f]{4})>\\s*(\\[[^\\]]*\\]|<[0-9A-Fa-f]+>)?"));
    static const QRegularExpression code(QStringLiteral("<([0-9A-Fa-f]{4})>"));
    const QString text = QString::fromLatin1(pdf.mid(from, to - from));
    auto replaceAt = [&](qsizetype offset, const QString &hex) {
        bool ok = false;
        const ushort c = ushort(hex.toUInt(&ok, 16));
        const ushort fixed = PdfTextMapFix::fixCode(c);
        if (ok && fixed != c)
            pdf.replace(from + offset, 4, hex4(fixed));
    };
    auto it = line.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (!ranges) {
            // <cid> <unicode>
            replaceAt(m.capturedStart(2), m.captured(2));
            continue;
        }
        const QString dest = m.captured(3);
        if (dest.startsWith(QLatin1Char('['))) {
            auto codes = code.globalMatch(dest);
            while (codes.hasNext()) {
                const QRegularExpressionMatch c = codes.next();
                replaceAt(m.capturedStart(3) + c.capturedStart(1), c.captured(1));
            }
        } else if (m.captured(1).compare(m.captured(2), Qt::CaseInsensitive) == 0 && dest.size() == 6) {
            replaceAt(m.capturedStart(3) + 1, dest.mid(1, 4));
        }
    }
}

} // namespace

ushort PdfTextMapFix::fixCode(ushort code)
{
    if (code < 0x20)
        return 0x20;
    if (code >= 0x2E80 && code <= 0x2FDF)
        return radicalMap().value(code, code);
    return code;
}

QByteArray PdfTextMapFix::apply(const QByteArray &input)
{
    QByteArray pdf = input;
    for (const auto &[begin, end, ranges] : {std::tuple{QByteArrayLiteral("beginbfrange"), QByteArrayLiteral("endbfrange"), true},
                                             std::tuple{QByteArrayLiteral("beginbfchar"), QByteArrayLiteral("endbfchar"), false}}) {
        qsizetype pos = 0;
        while ((pos = pdf.indexOf(begin, pos)) >= 0) {
            const qsizetype stop = pdf.indexOf(end, pos);
            if (stop < 0)
                break;
            fixBlock(pdf, pos + begin.size(), stop, ranges);
            pos = stop + end.size();
        }
    }
    Q_ASSERT(pdf.size() == input.size());
    return pdf;
}
