#pragma once

#include <QList>
#include <QString>

// The permission catalogue: one entry per command code, with the command's caption and menu
// category. The Limits table is seeded from it; the role editor lists it.
struct LimitEntry {
    const char *code;
    const char *category;
    const char *caption;
};

const QList<LimitEntry> &limitCatalogue();
const LimitEntry *findLimit(const QString &code);
