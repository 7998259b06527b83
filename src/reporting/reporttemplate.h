#pragma once

#include "reportband.h"
#include "reportpagesetup.h"
#include "reportvariable.h"

#include <vector>

// A report template: page set-up, variables and bands. A value type; the file format is read
// and written by ReportTemplateIo.
struct ReportTemplate
{
    ReportPageSetup page;
    std::vector<ReportVariable> variables;
    std::vector<ReportBand> bands;

    bool isEmpty() const { return bands.empty(); }

    // The first band of the type, or nullptr.
    ReportBand *band(ReportBand::Type type);
    const ReportBand *band(ReportBand::Type type) const;
    ReportBand *bandByName(const QString &name);
    const ReportBand *bandByName(const QString &name) const;
    int bandIndex(const QString &name) const;

    // The object of that name and (optionally) its band.
    ReportObject *object(const QString &name, ReportBand **owner = nullptr);
    const ReportObject *object(const QString &name, const ReportBand **owner = nullptr) const;

    // A name made of the prefix and the smallest free number ("Memo3").
    QString uniqueObjectName(const QString &prefix) const;
    QString uniqueBandName(const QString &prefix) const;

    const ReportVariable *variable(const QString &name) const;
    // Sets the value of a variable, adding it (in the category) when it is not defined.
    void setVariable(const QString &category, const QString &name, const QVariant &value);

    // Puts the bands in page order (title first, page footer last); bands of one type keep
    // their relative order.
    void sortBands();

    bool operator==(const ReportTemplate &o) const = default;
};
