#pragma once

#include <QString>

#include <stdexcept>

// A database failure that the caller handles itself (code series, saves in a transaction).
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};
