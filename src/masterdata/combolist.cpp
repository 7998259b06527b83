#include "combolist.h"

#include "data/tdmdata.h"

#include <QComboBox>
#include <QSqlQuery>
#include <QStringList>

namespace ComboList {

void refill(QComboBox *box, const QString &select, const SqlParams &params)
{
    TdmData *dm = TdmData::instance();
    if (!box || !dm)
        return;
    const QString text = box->currentText();
    const bool blocked = box->blockSignals(true);
    dm->FillComboList(select, box, params);
    if (box->isEditable())
        box->setEditText(text);
    else
        box->setCurrentIndex(box->findText(text));
    box->blockSignals(blocked);
}

QStringList values(const QString &select, const SqlParams &params)
{
    QStringList out;
    TdmData *dm = TdmData::instance();
    if (!dm)
        return out;
    QSqlQuery q(dm->db());
    if (!dm->OpenQuery(select, q, params))
        return out;
    while (q.next()) {
        const QString v = q.value(0).toString();
        if (!v.trimmed().isEmpty())
            out << v;
    }
    return out;
}

} // namespace ComboList
