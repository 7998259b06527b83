#pragma once

#include <QHash>
#include <QStringView>
#include <QVector>

// Ranks texts in the order a Chinese reader expects: letters without regard to case, Chinese by
// pinyin (the Chinese collation). Each distinct text is ranked once, so sorting a large column
// compares small numbers instead of strings. When every text is plain ASCII (codes, numbers
// as text) they are compared byte by byte without regard to case, which is much faster than
// collation and orders letters and digits the same way.
//
// The ranker keeps views: the texts must stay alive until ranks() has returned.
class TextRanker
{
public:
    // Registers a text; returns its id (equal texts share one id).
    int add(QStringView text);
    // The rank of every id (equal ranks for texts that compare equal).
    QVector<int> ranks() const;
    int distinctCount() const { return int(m_texts.size()); }

    // Case-insensitive comparison of ASCII texts.
    static int compareAscii(QStringView a, QStringView b);

private:
    QHash<QStringView, int> m_ids;
    QVector<QStringView> m_texts;
    bool m_ascii = true;
};
