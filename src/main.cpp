#include "app/startup.h"
#include "data/tdmdata.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("purchase"));
    TdmData dm;
    return runProgram(dm);
}
