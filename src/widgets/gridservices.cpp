#include "gridservices.h"

#include "data/gridlayoutstore.h"
#include "data/numberformats.h"
#include "data/session.h"
#include "data/tdmdata.h"
#include "datagrid.h"
#include "platform/dispformpos.h"
#include "platform/showmess.h"
#include "tfrmdispfieldxz.h"

#include <array>

namespace {

GridColumn::Align alignFromStore(int v)
{
    switch (v) {
    case 0:
        return GridColumn::Align::Left;
    case 1:
        return GridColumn::Align::Center;
    case 2:
        return GridColumn::Align::Right;
    default:
        return GridColumn::Align::Default;
    }
}

int alignToStore(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return 1;
    if (a & Qt::AlignRight)
        return 2;
    return 0;
}

const std::array<const char *, 11> CustomFields = {"F_ZF1", "F_ZF2", "F_ZF3", "F_ZF4", "F_ZF5", "F_SZ1",
                                                   "F_SZ2", "F_SZ3", "F_RQ1", "F_RQ2", "F_RQ3"};

TdmData *dataModule()
{
    TdmData *dm = TdmData::instance();
    if (!dm)
        ShowMess(TdmData::MsgOperationFailed, MessError);
    return dm;
}

} // namespace

void LoadGridLayout(DataGrid *grid, const QString &layoutName)
{
    if (TdmData *dm = dataModule())
        LoadGridLayout(*dm, grid, layoutName);
}

void LoadGridLayout(TdmData &dm, DataGrid *grid, const QString &layoutName)
{
    if (!grid)
        return;
    QList<GridLayoutColumn> rows;
    QString error;
    if (!GridLayoutStore::load(dm, layoutName, &rows, &error)) {
        qWarning("grid layout %s: %s", qPrintable(layoutName), qPrintable(error));
        ShowMess(TdmData::MsgOperationFailed, MessError, grid);
        return;
    }
    if (rows.isEmpty())
        return;
    QList<GridColumn> cols;
    for (const GridLayoutColumn &r : std::as_const(rows)) {
        GridColumn c;
        c.fieldName = r.fieldName;
        c.caption = r.caption;
        c.titleAlignment = Qt::AlignCenter;
        c.width = r.width;
        c.visible = r.visible;
        c.readOnly = r.readOnly;
        c.displayFormat = r.displayFormat;
        c.footerFormat = r.displayFormat;
        c.footerValue = r.footerValue;
        c.footerType = r.footerType == 1   ? GridColumn::FooterType::Text
                       : r.footerType == 2 ? GridColumn::FooterType::Sum
                                           : GridColumn::FooterType::None;
        c.setAlignment(alignFromStore(r.alignment));
        cols << c;
    }
    grid->setColumns(cols);
}

void SaveGridLayout(DataGrid *grid, const QString &layoutName)
{
    if (TdmData *dm = dataModule())
        SaveGridLayout(*dm, grid, layoutName);
}

void SaveGridLayout(TdmData &dm, DataGrid *grid, const QString &layoutName)
{
    if (!grid)
        return;
    const QList<GridColumn> cols = grid->columns();
    for (int i = 0; i < cols.size(); ++i) {
        const GridColumn &c = cols.at(i);
        GridLayoutColumn r;
        r.fieldName = c.fieldName;
        r.caption = c.caption;
        r.width = c.width;
        r.readOnly = c.readOnly;
        r.visible = c.visible;
        r.alignment = alignToStore(grid->viewModel()->cellAlignment(i));
        r.displayFormat = c.displayFormat;
        r.footerValue = c.footerValue;
        r.footerType = c.footerType == GridColumn::FooterType::Text  ? 1
                       : c.footerType == GridColumn::FooterType::Sum ? 2
                                                                     : 0;
        dm.ExecCommand(GridLayoutStore::updateStatement(), GridLayoutStore::updateParams(layoutName, r, i));
    }
}

void ChooseGridColumns(DataGrid *grid)
{
    if (!grid)
        return;
    TFrmDispFieldXZ dlg(grid->window());
    const QList<GridColumn> cols = grid->columns();
    for (const GridColumn &c : cols)
        dlg.addField(c.caption, c.visible);
    DispFormPos(&dlg, 1);
    if (dlg.exec() != QDialog::Accepted)
        return;
    for (int i = 0; i < cols.size() && i < dlg.fieldCount(); ++i)
        if (cols.at(i).visible != dlg.isChecked(i))
            grid->setGridColumnVisible(i, dlg.isChecked(i));
}

void BuildNumberFormats()
{
    NumberFormats::BuildNumberFormats();
}

void ApplyNumberFormats(DataGrid *grid, int profile)
{
    if (!grid)
        return;
    for (int i = 0; i < grid->gridColumnCount(); ++i) {
        const NumberFormats::Kind k = NumberFormats::kindForField(grid->gridColumn(i).fieldName, profile);
        if (k == NumberFormats::Kind::None)
            continue;
        const QString format = NumberFormats::sessionFormat(k);
        grid->editColumn(i, [&format](GridColumn &c) { c.setFormat(format); });
    }
}

void ApplyCustomFieldColumns(DataGrid *grid)
{
    if (!grid)
        return;
    const Session &s = Session::instance();
    std::array<int, 11> index{};
    for (size_t n = 0; n < CustomFields.size(); ++n) {
        index[n] = grid->findColumn(QLatin1String(CustomFields[n]));
        if (index[n] < 0)
            return;
        const QString caption = s.KeyValueText[n + 1];
        grid->editColumn(index[n], [&caption](GridColumn &c) { c.caption = caption; });
    }
    for (size_t n = 0; n < CustomFields.size(); ++n)
        grid->setGridColumnVisible(index[n], s.KeyValueFlag[n + 1]);
}

void PrepareLineGridForEdit(DataGrid *grid)
{
    if (!grid)
        return;
    grid->setReadOnly(false);
    const int good = grid->findColumn(QStringLiteral("F_goodName"));
    if (good >= 0)
        grid->editColumn(good, [](GridColumn &c) {
            c.editButton = true;
            c.editButtonAlways = true;
        });
    for (int i = 0; i < grid->gridColumnCount(); ++i)
        grid->editColumn(i, [](GridColumn &c) { c.readOnly = false; });
    for (const char *f : {"F_goodName", "F_type", "F_spec", "F_address", "F_unit"}) {
        const int i = grid->findColumn(QLatin1String(f));
        if (i >= 0)
            grid->editColumn(i, [](GridColumn &c) { c.readOnly = true; });
    }
}
