#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

// Answers the value of a report variable by name (compared with case), or nothing when the
// handler does not know the name: the template's own value is used then.
using ReportValueHandler = std::function<std::optional<QVariant>(const QString &name)>;
