#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariant>
#include <QWidget>

#include <functional>

class TdmData;

// Helpers of the supplier and goods window tests.
namespace SupplierGoodsFixture {

// The session of a logged-in operator: the built-in administrator unless told otherwise, with
// every editing flag, two decimals and the report templates of the source tree.
void login(TdmData &dm, const QString &operCode = QStringLiteral("000"));

// Runs one statement with named values; fails the test on error (QVERIFY inside a helper is
// not possible, so it returns false with a warning).
bool exec(TdmData &dm, const QString &sql, const QVariantList &values = {});
// The first value of a statement.
QVariant value(TdmData &dm, const QString &sql, const QVariantList &values = {});
int count(TdmData &dm, const QString &sql, const QVariantList &values = {});

bool addPartner(TdmData &dm, int kind, const QString &code, const QString &name, const QString &type = {},
                const QString &empName = {}, bool disabled = false, const QString &phone = {});
bool addCode(TdmData &dm, const QString &type, const QString &name);
bool addEmployee(TdmData &dm, const QString &code, const QString &name, bool left = false);

// Runs `drive` on the modal dialog once it is shown (set it up before the action that opens
// the dialog). The dialog must be closed by `drive`.
inline void whenModal(std::function<void(QWidget *)> drive)
{
    QTimer::singleShot(0, [drive] { drive(QApplication::activeModalWidget()); });
}

} // namespace SupplierGoodsFixture
