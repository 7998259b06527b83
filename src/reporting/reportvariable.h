#pragma once

#include <QString>
#include <QVariant>

// A variable defined in a template: its category (the designer's folder), name and stored
// value. The printing window's value handler may answer the name with another value.
struct ReportVariable
{
    QString category;
    QString name;
    QVariant value;  // a text or a number

    bool operator==(const ReportVariable &o) const = default;
};
