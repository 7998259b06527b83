#pragma once

#include <QString>

// The texts that differ between the two partner kinds of t_client.F_operFlag: 0 suppliers,
// 1 clients.
namespace PartnerTexts {

enum Kind { Supplier = 0, Client = 1 };

QString listCaption(int kind);        // "供应商资料管理"
QString editCaption(int kind, bool adding); // "供应商资料 - 新增"
QString selectCaption(int kind);      // "供应商资料选择"
QString emptyCode(int kind);          // "当前供应商编号不能为空！"
QString duplicateCode(int kind);      // "供应商编号重复，请重新输入！"
QString deleteQuestion(int kind, const QString &name);
QString layoutName(int kind);         // "supman" / "cltman"
QString reportName(int kind);         // "frSupMan" / "frcltMan"
QString exportName(int kind);         // "供应商资料列表"

} // namespace PartnerTexts
