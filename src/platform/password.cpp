#include "password.h"

#include <sodium.h>

#include <QByteArray>

namespace {
bool sodiumReady()
{
    static const bool ok = sodium_init() >= 0;
    return ok;
}
}

namespace Password {

QString hash(const QString &clear)
{
    if (clear.isEmpty())
        return QString();
    // A hash that cannot be made must never be stored as "empty password": the marker below
    // matches no password at all.
    static const QString unusable = QStringLiteral("!");
    if (!sodiumReady())
        return unusable;
    const QByteArray bytes = clear.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    // Interactive limits: fast enough for a login box, slow enough for an offline guesser.
    if (crypto_pwhash_str(out, bytes.constData(), static_cast<unsigned long long>(bytes.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return unusable;
    return QString::fromLatin1(out);
}

bool verify(const QString &stored, const QString &typed)
{
    if (stored.isEmpty())
        return typed.isEmpty();
    if (!sodiumReady())
        return false;
    const QByteArray s = stored.toLatin1();
    const QByteArray t = typed.toUtf8();
    return crypto_pwhash_str_verify(s.constData(), t.constData(), static_cast<unsigned long long>(t.size())) == 0;
}

} // namespace Password
