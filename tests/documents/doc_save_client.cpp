// A second client for the document tests: saves receipts into the database named on the
// command line, so that tests can run clients side by side or kill one in the middle of a save.
//   doc_save_client <config dir> <receipts> <lines> [pause ms inside the transaction]

#include "savereceipt.h"

#include "data/dberror.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    TdmData dm;
    if (dm.DataModuleCreate(args.at(1)) != TdmData::CreateResult::Connected)
        return 3;
    const int receipts = args.at(2).toInt();
    const int lines = args.at(3).toInt();
    const int pause = args.size() > 4 ? args.at(4).toInt() : 0;
    QTextStream out(stdout);
    out << "ready" << Qt::endl;
    try {
        for (int i = 0; i < receipts; ++i)
            out << TestReceipt::saveNew(dm, lines, pause) << Qt::endl;
    } catch (const DbError &e) {
        QTextStream(stderr) << e.message() << Qt::endl;
        return 1;
    }
    return 0;
}
