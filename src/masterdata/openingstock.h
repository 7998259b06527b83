#pragma once

#include <QList>
#include <QString>

class GridLineModel;
class TdmData;

// The opening stock of one goods per depot (t_begDept) as the goods editor holds it: one row
// per depot the operator may see, loaded with the stored rows and completed with a zero row for
// every other depot. Nothing is written until save() runs inside the goods' transaction.
class OpeningStock
{
public:
    struct Row {
        qint64 id = 0;       // 0: not stored yet
        QString depot;
        double amount = 0;
        double price = 0;
    };

    // Loads the rows of the goods code into the model (stored rows, then a zero row for each
    // other depot); false when a statement failed (its message is shown).
    static bool load(TdmData &dm, GridLineModel &model, const QString &code);
    // The rows as the model holds them.
    static QList<Row> rows(const GridLineModel &model);
    // The total of a row: quantity × price, the price 0 taken as the cost price.
    static double effectivePrice(const Row &row, double costPrice);

    // Writes the rows under the code (inside the caller's transaction): a row with quantity 0
    // is removed (deleted when stored), every other row stored with the code, a price of 0
    // replaced by the cost price and its total = quantity × price. Returns the total quantity
    // of the rows kept. Throws DbError.
    static double save(TdmData &dm, const QList<Row> &rows, const QString &code, double costPrice);

    // The quantity stored under a code in depots the operator does not see (kept as they are).
    static double hiddenQuantity(TdmData &dm, const QString &code);
};
