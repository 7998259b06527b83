#pragma once

#include "data/sqlparams.h"

#include <QString>

// A statement together with the values of its placeholders.
struct SqlStatement {
    QString sql;
    SqlParams params;
};
