#include "preparedreport.h"

#include <algorithm>
#include <cmath>

QString PreparedReport::pageText(int pageIndex) const
{
    if (pageIndex < 0 || pageIndex >= pageCount())
        return {};
    std::vector<const PreparedItem *> texts;
    for (const PreparedItem &item : pages[pageIndex].items)
        if (!item.text.isEmpty())
            texts.push_back(&item);
    std::stable_sort(texts.begin(), texts.end(), [](const PreparedItem *a, const PreparedItem *b) {
        const double ya = a->rect.normalized().top();
        const double yb = b->rect.normalized().top();
        if (std::abs(ya - yb) > 0.5)
            return ya < yb;
        return a->rect.normalized().left() < b->rect.normalized().left();
    });
    QString out;
    double lineTop = -1e9;
    bool first = true;
    for (const PreparedItem *item : texts) {
        const double top = item->rect.normalized().top();
        if (!first)
            out += std::abs(top - lineTop) > 0.5 ? QLatin1Char('\n') : QLatin1Char(' ');
        if (first || std::abs(top - lineTop) > 0.5)
            lineTop = top;
        out += item->text;
        first = false;
    }
    return out;
}

QString PreparedReport::text() const
{
    QStringList parts;
    for (int i = 0; i < pageCount(); ++i)
        parts << pageText(i);
    return parts.join(QLatin1Char('\f'));
}
