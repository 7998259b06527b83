#include "documentkind.h"

#include <array>

namespace {
const std::array<DocumentKindInfo, 5> kKinds{{
    {DocKind::Order, "采购订单管理", "采购订单", "CDD", "ddDepotM", "ddDepotD", 1, "incaigouddgl",
     "真的要删除当前采购订单单 ", "此单据已经审核，不能再修改！", true, true, true, true, true, false},
    {DocKind::Receipt, "采购进货管理", "采购入库单", "CGD", "depotM", "depotD", 1, "incaigoudept",
     "真的要删除当前采购入库单 ", "此单据已经审核，不能再修改！", true, true, true, true, true, false},
    {DocKind::Return, "采购退货管理", "采购退货单", "CTD", "depotM", "depotD", -1, "outcaigoudept",
     "真的要删除当前采购退货单 ", "此单据已经审核，不能再修改！", true, true, true, true, true, true},
    {DocKind::Invoice, "采购开票管理", "采购开票单", "CKP", "KPdepotM", "KPdepotD", -1, "",
     "真的要删除当前采购开票单 ", "此单据已经审核，不能再删除！", false, false, false, false, false, false},
    {DocKind::Payment, "采购付款管理", "采购付款单", "FKD", "cashPayM", "cashPayD", -1, "",
     "真的要删除当前采购付款单 ", "此单据已经审核，不能再删除！", false, false, false, false, false, false},
}};
}

const DocumentKindInfo &documentKind(DocKind kind) { return kKinds.at(static_cast<size_t>(kind)); }

QString documentCodePattern(const DocumentKindInfo &k, const QString &yyyymmdd)
{
    return QLatin1String(k.prefix) + yyyymmdd;
}
