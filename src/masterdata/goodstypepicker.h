#pragma once

#include <QString>

class QWidget;

// The goods-type picker of the goods windows: the tree window in picking mode on the current
// path; returns the chosen path, or the current one when cancelled.
namespace GoodsTypePicker {

QString pick(QWidget *parent, const QString &current);

} // namespace GoodsTypePicker
