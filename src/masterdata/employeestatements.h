#pragma once

#include "sqlstatement.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The statements of the employee list and editor, with bound values.
namespace EmployeeStatements {

// The query types of the list's filter bar, in order ("编  号" ... "备  注").
QStringList queryTypes();
// Query types whose value is chosen from a drop-down: 性别, 部门, 职务.
bool usesDropDown(int queryType);

struct ListFilter {
    int queryType = -1;      // index into queryTypes(), -1 none
    QString text;            // trimmed by the statement
    bool includeLeft = false;
};
// The employees of the filter ordered by code. The photograph's bytes are not listed; the
// editor reads them by F_ID.
SqlStatement listStatement(const ListFilter &filter);

// Drop-down values for the query types 部门 and 职务: the values employees already have.
SqlStatement usedDepartments();
SqlStatement usedDuties();

// The editor's lists: the duty list and the department list (with the department entries
// delivered under the older key).
SqlStatement dutyList();
SqlStatement departmentList();

// Another employee with this code (trimmed): F_ID, none when there is none.
SqlStatement duplicateStatement(const QString &code, qint64 ownId);

// The photograph's bytes of one employee.
SqlStatement photoStatement(qint64 id);

// Saves. `values` holds Code, Name, Sex, duty, dept, phone, Mem, Flag, imagePath, EmpImage
// (a QByteArray; empty for none).
SqlStatement insertStatement(const QVariantMap &values);
SqlStatement updateStatement(qint64 id, const QVariantMap &values);

} // namespace EmployeeStatements
