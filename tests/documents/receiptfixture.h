#pragma once

// Helpers of the receipt window tests: the session of a logged-in operator, a few goods,
// suppliers and depots, and typing into the line grid as a clerk does.

#include <QDate>
#include <QString>
#include <QStringList>

class DataGrid;
class QLineEdit;
class QWidget;
class TdmData;

namespace ReceiptFixture {

// The operator "000" with every right (or the flags given), prices shown, no depot
// restriction, four price decimals and the last-price rules off.
void loginAs(const QString &code = QStringLiteral("000"), const QString &name = QStringLiteral("管理员"));

// Depots 一号仓库 and 二号仓库, employee 张三, suppliers 供应商甲 (with contact data) and
// 供应商乙, goods G001..G005 (G004 disabled, G005 with barcode 690005), types \\电器\电视.
void seed(TdmData &dm);

// The open cell editor of a grid, or nullptr.
QLineEdit *cellEditor(DataGrid *grid);
// Types text into the current cell as a clerk does (the first key opens the cell editor) and
// presses Enter in it.
void typeCell(DataGrid *grid, const QString &text, bool pressEnter = true);

// Clicks the tool button with this object name in the window.
void click(QWidget *window, const char *name);

// Today as the code part "yyyyMMdd".
inline QString today() { return QDate::currentDate().toString(QStringLiteral("yyyyMMdd")); }

} // namespace ReceiptFixture
