#pragma once

#include "sqlstatement.h"

#include <QString>
#include <QVariantMap>

// The statements of the partner windows (list, editor, selection dialog) over t_client.
namespace ClientStatements {

// The query types of the list window, in the order of its "查询类型：" items.
enum QueryType { ByCode = 0, ByName, ByLinkMan, ByAddress, ByMemo };

// What the side list filters by.
enum SideFilter { SideEmployee = 0, SideType = 1 };

struct ListFilter {
    int kind = 0;                 // F_operFlag
    int queryType = -1;           // QueryType, -1 none chosen
    QString text;                 // query text (trimmed here)
    bool includeDisabled = false;
    int sideFilter = SideEmployee;
    QString sideValue;            // empty: all ("全部")
};
// The list window's rows: prefix match on the code, contains-match on name, contact, address
// and memo; active partners only unless disabled ones are included; by code.
SqlStatement listStatement(const ListFilter &f);

struct PickFilter {
    int kind = 0;
    QString code;                 // each a contains-match when not blank
    QString name;
    QString phone;
    int sideFilter = SideEmployee;
    QString sideValue;
};
// The selection dialog's rows: active partners of the kind, by code and type.
SqlStatement pickStatement(const PickFilter &f);

// Active employees' names, and the partner types (the clttype list), for side lists and
// drop-downs.
QString employeeNames();
QString partnerTypes();

// The id of another partner of the kind with the code (0 when none); `ownId` 0 when adding.
SqlStatement duplicateStatement(int kind, const QString &code, qint64 ownId);

// The values of the editor's fields, by the placeholder names of insert and update.
SqlStatement insertStatement(int kind, const QVariantMap &values);
SqlStatement updateStatement(qint64 id, const QVariantMap &values);

// The field names the editor writes (placeholders of insert and update, without Code).
const QStringList &editedFields();

} // namespace ClientStatements
