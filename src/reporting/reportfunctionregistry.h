#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>

// User functions that template expressions may call, found by name without regard to case.
class ReportFunctionRegistry
{
public:
    using Function = std::function<QVariant(const QVariantList &args)>;
    struct Entry {
        QString name;
        QString declaration;  // shown in the designer, e.g. "function MoneyMinToBig(rMoney: real): string;"
        QString category;
        QString description;
        Function function;
    };

    // Adds the function, replacing one of the same name.
    void add(const Entry &entry);
    const Entry *find(const QString &name) const;
    const QList<Entry> &entries() const { return m_entries; }

private:
    QList<Entry> m_entries;
};
