#pragma once

#include "sqlparams.h"

#include <QList>
#include <QString>

class TdmData;

// One saved column of a grid layout (a row of cfg_Grid).
struct GridLayoutColumn {
    QString fieldName;
    QString caption;
    int width = 0;
    bool visible = true;
    bool readOnly = false;
    int order = 0;
    int alignment = 0;       // 0 left, 1 centre, 2 right; other values: the column's default
    QString displayFormat;
    QString footerValue;
    int footerType = 0;      // 1 fixed text, 2 sum, other values: no footer content
};

// Reads and updates the saved grid layouts in cfg_Grid. Layout names compare without regard to
// case; the program never inserts or deletes layout rows, it only updates the seeded ones.
namespace GridLayoutStore {

// The statement that reads one layout (rows with an empty field name left out), by F_order.
QString selectStatement();
// The statement that updates one column of a layout.
QString updateStatement();
// The values of updateStatement for a column at a position of a layout (the name is stored
// in lower case).
SqlParams updateParams(const QString &layoutName, const GridLayoutColumn &column, int position);

// Reads the rows of a layout. False (with the database's text in *error) when the read fails.
bool load(TdmData &dm, const QString &layoutName, QList<GridLayoutColumn> *columns, QString *error);

} // namespace GridLayoutStore
