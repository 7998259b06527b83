#pragma once

#include <QString>

class DataGrid;
class TdmData;

// The column services every list grid uses. Each works on the grid passed to it and reports a
// database failure with ShowMess.
//
// Calling order when a window with a list grid is shown: LoadGridLayout, then
// ApplyNumberFormats with the window's profile, then ApplyCustomFieldColumns where the grid has
// the goods' custom-field columns.

// Replaces the grid's columns with the saved layout (layout name compared without regard to
// case). A layout without rows leaves the designed columns. A failed read shows
// "操作失败，请检查数据连接... " and leaves the grid as it was.
void LoadGridLayout(DataGrid *grid, const QString &layoutName);
void LoadGridLayout(TdmData &dm, DataGrid *grid, const QString &layoutName);

// Writes every column's settings and current position into the layout rows (name stored in lower
// case). Columns without a layout row are not stored; each failing column shows the data
// module's message and the others are still written.
void SaveGridLayout(DataGrid *grid, const QString &layoutName);
void SaveGridLayout(TdmData &dm, DataGrid *grid, const QString &layoutName);

// Shows the column chooser TFrmDispFieldXZ and applies the visible columns chosen ("确定");
// "取消" changes nothing.
void ChooseGridColumns(DataGrid *grid);

// Rebuilds sAmountFmt, sPriceFmt and sTotalFmt of the session from the decimals.
void BuildNumberFormats();

// Gives the columns the shared quantity, price or amount format by field name (profile 1 to 5),
// on cells and footer.
void ApplyNumberFormats(DataGrid *grid, int profile);

// Captions (KeyValueText) and visibility (KeyValueFlag) of the eleven goods custom-field
// columns F_ZF1..F_ZF5, F_SZ1..F_SZ3, F_RQ1..F_RQ3. Stops quietly at the first missing column.
void ApplyCustomFieldColumns(DataGrid *grid);

// Makes a document line grid editable: every column editable except F_goodName, F_type,
// F_spec, F_address and F_unit; F_goodName gets an ellipsis button shown on every row.
void PrepareLineGridForEdit(DataGrid *grid);
