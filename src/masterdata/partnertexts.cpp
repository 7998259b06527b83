#include "partnertexts.h"

namespace PartnerTexts {

namespace {
bool isClient(int kind) { return kind == Client; }
} // namespace

QString listCaption(int kind)
{
    return isClient(kind) ? QStringLiteral("客户资料管理") : QStringLiteral("供应商资料管理");
}

QString editCaption(int kind, bool adding)
{
    const QString head = isClient(kind) ? QStringLiteral("客户资料") : QStringLiteral("供应商资料");
    return head + (adding ? QStringLiteral(" - 新增") : QStringLiteral(" - 修改"));
}

QString selectCaption(int kind)
{
    return isClient(kind) ? QStringLiteral("客户资料选择") : QStringLiteral("供应商资料选择");
}

QString emptyCode(int kind)
{
    return isClient(kind) ? QStringLiteral("当前客户编号不能为空！") : QStringLiteral("当前供应商编号不能为空！");
}

QString duplicateCode(int kind)
{
    return isClient(kind) ? QStringLiteral("客户编号重复，请重新输入！") : QStringLiteral("供应商编号重复，请重新输入！");
}

QString deleteQuestion(int kind, const QString &name)
{
    const QString label = isClient(kind) ? QStringLiteral("客户名称") : QStringLiteral("供应商名称");
    return QStringLiteral("真的要删除当前") + label + QStringLiteral("为：“") + name + QStringLiteral("”的资料吗？");
}

QString layoutName(int kind)
{
    return isClient(kind) ? QStringLiteral("cltman") : QStringLiteral("supman");
}

QString reportName(int kind)
{
    return isClient(kind) ? QStringLiteral("frcltMan") : QStringLiteral("frSupMan");
}

QString exportName(int kind)
{
    return isClient(kind) ? QStringLiteral("客户资料列表") : QStringLiteral("供应商资料列表");
}

} // namespace PartnerTexts
