#pragma once

#include <QByteArray>

// Repairs the text maps (ToUnicode CMaps) of a PDF written by Qt, so that text copied or
// extracted from it is the text that was drawn. Qt maps each glyph back to the lowest code
// point that shows it: with the CJK fonts a space comes out as a tab and 入, 页, 示 ... come out
// as the look-alike radicals ⼊, ⻚, ⽰. Codes below U+0020 become spaces and radicals become
// the ideographs that share their glyph. Only codes of the same length are exchanged, so the
// file's layout and cross-reference table stay valid.
class PdfTextMapFix
{
public:
    static QByteArray apply(const QByteArray &pdf);
    // The code point a text map entry stands for.
    static ushort fixCode(ushort code);
};
