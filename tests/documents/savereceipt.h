#pragma once

// A receipt saved through the store the way the receipt window saves it: lines first, then
// the master row, in one transaction. Shared by the store tests and the client process.

#include "data/tdmdata.h"
#include "documents/documentstore.h"

#include <QThread>

namespace TestReceipt {

inline const QString kInsert = QStringLiteral(
    "Insert into depotM(F_Code,F_MakeDate,F_Maker,F_Depot,F_TotalPrice,F_Flag,F_Client,F_OperFlag,F_date,F_Amount) "
    "Values(:Code,:MakeDate,:Maker,:Depot,:TotalPrice,1,:Client,1,:date,:Amount)");
inline const QString kUpdate = QStringLiteral(
    "Update depotM Set F_MakeDate = :MakeDate, F_Maker = :Maker, F_Depot = :Depot, F_TotalPrice = :TotalPrice, "
    "F_Client = :Client, F_date = :date, F_Amount = :Amount Where F_ID = :ID");

// Saves a new receipt of `lines` lines of quantity 1 and price 10; sleeps inside the
// transaction after the lines when pauseMs > 0. Returns the stored code.
inline QString saveNew(TdmData &dm, int lines, int pauseMs = 0, const QString &client = QStringLiteral("供应商甲"))
{
    DocumentStore store(dm, DocKind::Receipt);
    DocumentStore::Save s;
    s.isNew = true;
    s.code = store.nextCode();
    s.insertStatement = kInsert;
    s.values = {{QStringLiteral("MakeDate"), Sql::date(QDate::currentDate())},
                {QStringLiteral("Maker"), QStringLiteral("测试员")},
                {QStringLiteral("Depot"), QStringLiteral("一号仓库")},
                {QStringLiteral("TotalPrice"), 10.0 * lines},
                {QStringLiteral("Client"), client},
                {QStringLiteral("date"), Sql::date(QDate::currentDate())},
                {QStringLiteral("Amount"), double(lines)}};
    s.writeLines = [&](const QString &code) {
        for (int i = 0; i < lines; ++i)
            dm.exec(QStringLiteral("insert into depotD (F_Code, F_GoodCode, F_Amount, F_Price, F_Rate, F_TotalPrice) "
                                   "values (:c, :g, 1, 10, 1, 10)"),
                    {{QStringLiteral("c"), code}, {QStringLiteral("g"), QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0'))}});
        if (pauseMs > 0)
            QThread::msleep(static_cast<unsigned long>(pauseMs));
    };
    return store.save(s);
}

} // namespace TestReceipt
