#include "reporttemplate.h"

#include <algorithm>

ReportBand *ReportTemplate::band(ReportBand::Type type)
{
    for (ReportBand &b : bands)
        if (b.type == type)
            return &b;
    return nullptr;
}

const ReportBand *ReportTemplate::band(ReportBand::Type type) const
{
    return const_cast<ReportTemplate *>(this)->band(type);
}

ReportBand *ReportTemplate::bandByName(const QString &name)
{
    for (ReportBand &b : bands)
        if (b.name.compare(name, Qt::CaseInsensitive) == 0)
            return &b;
    return nullptr;
}

const ReportBand *ReportTemplate::bandByName(const QString &name) const
{
    return const_cast<ReportTemplate *>(this)->bandByName(name);
}

int ReportTemplate::bandIndex(const QString &name) const
{
    for (size_t i = 0; i < bands.size(); ++i)
        if (bands[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

ReportObject *ReportTemplate::object(const QString &name, ReportBand **owner)
{
    for (ReportBand &b : bands) {
        for (ReportObject &o : b.objects) {
            if (o.name.compare(name, Qt::CaseInsensitive) == 0) {
                if (owner)
                    *owner = &b;
                return &o;
            }
        }
    }
    return nullptr;
}

const ReportObject *ReportTemplate::object(const QString &name, const ReportBand **owner) const
{
    ReportBand *b = nullptr;
    const ReportObject *o = const_cast<ReportTemplate *>(this)->object(name, &b);
    if (owner)
        *owner = b;
    return o;
}

QString ReportTemplate::uniqueObjectName(const QString &prefix) const
{
    for (int i = 1;; ++i) {
        const QString name = prefix + QString::number(i);
        if (!object(name) && !bandByName(name))
            return name;
    }
}

QString ReportTemplate::uniqueBandName(const QString &prefix) const
{
    return uniqueObjectName(prefix);
}

const ReportVariable *ReportTemplate::variable(const QString &name) const
{
    for (const ReportVariable &v : variables)
        if (v.name == name)
            return &v;
    return nullptr;
}

void ReportTemplate::setVariable(const QString &category, const QString &name, const QVariant &value)
{
    for (ReportVariable &v : variables) {
        if (v.name == name) {
            v.value = value;
            return;
        }
    }
    variables.push_back({category, name, value});
}

void ReportTemplate::sortBands()
{
    std::stable_sort(bands.begin(), bands.end(), [](const ReportBand &a, const ReportBand &b) {
        return ReportBand::order(a.type) < ReportBand::order(b.type);
    });
}
