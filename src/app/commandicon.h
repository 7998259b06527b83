#pragma once

#include <QIcon>
#include <QString>

// The picture of a command: a rounded tile in the colour of its menu group with the first
// character of its caption.
class CommandIcon
{
public:
    static QIcon make(int code, const QString &caption);

private:
    static QPixmap tile(int code, const QString &caption, int size);
};
