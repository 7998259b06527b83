#include "textranker.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>

#include <algorithm>
#include <numeric>

int TextRanker::add(QStringView text)
{
    auto it = m_ids.constFind(text);
    if (it != m_ids.constEnd())
        return it.value();
    const int id = int(m_texts.size());
    m_ids.insert(text, id);
    m_texts.append(text);
    if (m_ascii)
        for (QChar c : text)
            if (c.unicode() >= 0x80) {
                m_ascii = false;
                break;
            }
    return id;
}

int TextRanker::compareAscii(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const QChar *pa = a.data();
    const QChar *pb = b.data();
    for (qsizetype i = 0; i < n; ++i) {
        ushort x = pa[i].unicode();
        ushort y = pb[i].unicode();
        if (x >= 'A' && x <= 'Z')
            x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z')
            y += 'a' - 'A';
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

QVector<int> TextRanker::ranks() const
{
    const int n = int(m_texts.size());
    QVector<int> ranks(n);
    if (n == 0)
        return ranks;
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    // Ties of the case-insensitive order are broken by code points, so the order is total.
    if (m_ascii) {
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            const int c = compareAscii(m_texts[a], m_texts[b]);
            return c != 0 ? c < 0 : m_texts[a] < m_texts[b];
        });
    } else {
        QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::vector<QCollatorSortKey> keys;
        keys.reserve(n);
        for (QStringView t : m_texts)
            keys.push_back(collator.sortKey(t.toString()));
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            const int c = keys[a].compare(keys[b]);
            return c != 0 ? c < 0 : m_texts[a] < m_texts[b];
        });
    }
    int rank = 0;
    for (int i = 0; i < n; ++i) {
        if (i > 0 && m_texts[order[i]] != m_texts[order[i - 1]])
            ++rank;
        ranks[order[i]] = rank;
    }
    return ranks;
}
