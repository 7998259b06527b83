#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class TdmData;
class TFrmMain;

// Helpers shared by the application-shell tests.
namespace ShellFixture {

// Points the session's Config.ini at a file in the folder (created on the first write) and
// forgets the operator of the previous test.
void resetSession(const QString &dir);

struct Operator {
    Operator(const QString &c, const QString &n, const QString &pw, const QString &p)
        : code(c), name(n), password(pw), part(p) {}
    QString code;
    QString name;
    QString password;       // clear text; stored hashed
    QString part;           // role code
    bool disabled = false;
    bool price = true;
    int ckFlag = 0;
    QString depots;         // OperList.F_depot as stored
};
bool addOperator(TdmData &dm, const Operator &op);
bool addRole(TdmData &dm, const QString &code, const QStringList &limitCodes);

// Loads and applies a login without the window (for tests that start logged in).
bool loginDirect(TdmData &dm, const QString &code, TFrmMain *main);

// Runs `drive` on the modal dialog once it is shown (call before the action that opens it).
inline void whenModal(std::function<void(QWidget *)> drive)
{
    QTimer::singleShot(0, [drive] {
        QWidget *w = QApplication::activeModalWidget();
        drive(w);
    });
}

} // namespace ShellFixture
