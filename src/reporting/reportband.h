#pragma once

#include "reportobject.h"

#include <QString>

#include <vector>

// A horizontal strip of a report page. Data bands repeat once per row of their data source;
// the other bands print at fixed moments of the layout (see ReportEngine).
struct ReportBand
{
    enum class Type {
        ReportTitle,
        PageHeader,
        ColumnHeader,
        GroupHeader,
        MasterData,
        DetailData,
        DetailFooter,
        GroupFooter,
        MasterFooter,
        ReportSummary,
        PageFooter
    };
    // Which rows of its source a data band prints: all of them or the caller's current row.
    enum class Range { All, Current };

    Type type = Type::MasterData;
    QString name;
    double height = 10;  // millimetres

    QString dataSource;  // data bands: "frxDM" or "frxDD"
    Range range = Range::All;
    QString fillRows;    // data bands: expression giving N; each page then shows exactly N rows
    QString link;        // detail band: "DetailField=MasterField" keeps the rows of the master row

    QString condition;   // group header: expression whose change starts a new group
    QString group;       // group footer: name of its group header

    bool startNewPage = false;     // title, group header, master data: begin on a fresh page
    bool printOnFirstPage = true;  // page header and footer
    bool printOnLastPage = true;   // page footer

    std::vector<ReportObject> objects;

    bool isDataBand() const { return type == Type::MasterData || type == Type::DetailData; }

    static QString typeKey(Type t);
    static bool typeFromKey(const QString &key, Type *t);
    static QString typeCaption(Type t);
    static QString namePrefix(Type t);
    static QList<Type> allTypes();
    // Position of the type in a page from top to bottom; bands are kept in this order.
    static int order(Type t);

    bool operator==(const ReportBand &o) const = default;
};
