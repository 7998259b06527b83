#pragma once

#include "data/sqlparams.h"

#include <QString>

class QComboBox;

namespace ComboList {

// Refills a drop-down edit's list through the data module's FillComboList (blank values
// skipped) and keeps the text the operator typed.
void refill(QComboBox *box, const QString &select, const SqlParams &params = {});

// The values of a one-column statement (blank values skipped); empty after a failure, which
// is shown.
QStringList values(const QString &select, const SqlParams &params = {});

} // namespace ComboList
