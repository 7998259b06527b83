#include "reportfunctionregistry.h"

void ReportFunctionRegistry::add(const Entry &entry)
{
    for (Entry &e : m_entries) {
        if (e.name.compare(entry.name, Qt::CaseInsensitive) == 0) {
            e = entry;
            return;
        }
    }
    m_entries.append(entry);
}

const ReportFunctionRegistry::Entry *ReportFunctionRegistry::find(const QString &name) const
{
    for (const Entry &e : m_entries)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}
