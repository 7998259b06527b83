#pragma once

#include <QString>

// Operator passwords are stored as salted Argon2id hashes. An empty stored value means
// "empty password" (the built-in operator of a new database has one).
namespace Password {

// The stored form of a password typed by the user; empty for an empty password.
QString hash(const QString &clear);

// True when the typed password matches the stored form.
bool verify(const QString &stored, const QString &typed);

} // namespace Password
