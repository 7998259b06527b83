#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// Rows handed to a report under a name ("frxDM", "frxDD"). Random access by row and field;
// field names are matched without regard to case.
class ReportDataSource
{
public:
    virtual ~ReportDataSource() = default;

    virtual int rowCount() const = 0;
    virtual int fieldCount() const = 0;
    virtual QString fieldName(int field) const = 0;
    virtual QVariant value(int row, int field) const = 0;
    // The row the caller's cursor is on (a document window's shown document); -1 when empty.
    virtual int currentRow() const { return rowCount() > 0 ? 0 : -1; }

    QStringList fieldNames() const;
    int fieldIndex(const QString &name) const;
};
