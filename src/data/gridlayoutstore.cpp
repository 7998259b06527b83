#include "gridlayoutstore.h"

#include "tdmdata.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace GridLayoutStore {

QString selectStatement()
{
    return QStringLiteral(
        "SELECT F_fieldname, F_caption, F_width, F_visible, F_readonly, F_order, F_alignment, "
        "F_displayFormat, F_footerValue, F_footerType FROM cfg_Grid "
        "WHERE (F_name = :name AND F_fieldname <> '') ORDER BY F_order, F_ID");
}

QString updateStatement()
{
    return QStringLiteral(
        "UPDATE cfg_Grid SET F_caption = :caption, F_width = :width, F_readonly = :readonly, "
        "F_visible = :visible, F_order = :position, F_alignment = :alignment, "
        "F_displayFormat = :format, F_footerValue = :footerValue, F_footerType = :footerType "
        "WHERE (F_name = :name AND F_fieldname = :field)");
}

SqlParams updateParams(const QString &layoutName, const GridLayoutColumn &column, int position)
{
    return {{QStringLiteral("caption"), column.caption},
            {QStringLiteral("width"), column.width},
            {QStringLiteral("readonly"), column.readOnly ? 1 : 0},
            {QStringLiteral("visible"), column.visible ? 1 : 0},
            {QStringLiteral("position"), position},
            {QStringLiteral("alignment"), column.alignment},
            {QStringLiteral("format"), column.displayFormat},
            {QStringLiteral("footerValue"), column.footerValue},
            {QStringLiteral("footerType"), column.footerType},
            {QStringLiteral("name"), layoutName.toLower()},
            {QStringLiteral("field"), column.fieldName}};
}

bool load(TdmData &dm, const QString &layoutName, QList<GridLayoutColumn> *columns, QString *error)
{
    columns->clear();
    if (!dm.connected()) {
        if (error)
            *error = QStringLiteral("not connected");
        return false;
    }
    QSqlQuery q(dm.db());
    q.setForwardOnly(true);
    if (!Sql::execute(q, selectStatement(), {{QStringLiteral("name"), layoutName}}, error))
        return false;
    while (q.next()) {
        GridLayoutColumn c;
        c.fieldName = q.value(0).toString().trimmed();
        if (c.fieldName.isEmpty())
            continue;
        c.caption = q.value(1).toString();
        c.width = q.value(2).toInt();
        c.visible = q.value(3).toInt() != 0;
        c.readOnly = q.value(4).toInt() != 0;
        c.order = q.value(5).toInt();
        c.alignment = q.value(6).isNull() ? -1 : q.value(6).toInt();
        c.displayFormat = q.value(7).toString();
        c.footerValue = q.value(8).toString();
        c.footerType = q.value(9).toInt();
        columns->append(c);
    }
    return true;
}

} // namespace GridLayoutStore
