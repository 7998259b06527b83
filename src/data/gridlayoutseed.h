#pragma once

#include <QList>

// The designed column layouts of the program's grids, written into cfg_Grid when a database
// is created (the program only reads and updates those rows). Each window adds its layout to
// the table in gridlayoutseed.cpp.
struct GridSeedColumn {
    const char *layout;       // layout name, lower case
    const char *field;
    const char *caption;
    int width;
    bool visible;
    bool readOnly;
    int alignment;            // 0 left, 1 centre, 2 right
    const char *displayFormat;
    const char *footerValue;
    int footerType;           // 0 none, 1 fixed text, 2 sum
};

const QList<GridSeedColumn> &gridLayoutSeeds();
