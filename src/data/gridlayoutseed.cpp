#include "gridlayoutseed.h"

// One block per layout; the order of a block is the designed column order.
const QList<GridSeedColumn> &gridLayoutSeeds()
{
    static const QList<GridSeedColumn> rows{
    };
    return rows;
}
