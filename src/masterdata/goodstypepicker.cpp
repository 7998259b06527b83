#include "goodstypepicker.h"

#include "tfrmtreecodeman.h"

#include "platform/dispformpos.h"

namespace GoodsTypePicker {

QString pick(QWidget *parent, const QString &current)
{
    TFrmTreeCodeMan picker(parent);
    picker.SetUp(2);
    DispFormPos(&picker, 1);
    return picker.PickType(current);
}

} // namespace GoodsTypePicker
