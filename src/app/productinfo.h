#pragma once

#include <QString>

// Texts that name the program.
namespace ProductInfo {

// The product name ends in a blank: captions put the version right after it.
inline QString name() { return QStringLiteral("Quenvar采购管理软件 "); }
inline QString version() { return QStringLiteral("v2.63(网络版)"); }
inline QString title() { return name() + version(); }

} // namespace ProductInfo
