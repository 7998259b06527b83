#include "typetreestore.h"

#include "typetree.h"

#include "data/dberror.h"
#include "data/sqldialect.h"
#include "data/tdmdata.h"

#include <QSqlQuery>

namespace {

const char *const InsertType = "insert into t_treecode(F_code,F_name,F_likecode,F_flag) values(:code,:name,:path,:kind)";
const char *const RenameNode = "update t_treecode set F_name = :name, F_likecode = :path where F_code = :code and F_flag = :kind";
const char *const DeleteTypes = "delete from t_treecode where F_code like :prefix ESCAPE '\\' and F_flag = :kind";

// Rewrites the head of the paths held in table.column: the path itself and the paths below it.
QString carryPathStatement(const QString &table, const QString &column, const QString &extraCondition)
{
    return QStringLiteral("update %1 set %2 = :newPath || substr(%2, :tailFrom) "
                          "where (%2 = :oldPath or %2 like :below ESCAPE '\\')%3")
        .arg(table, column, extraCondition);
}

} // namespace

TypeTreeStore::TypeTreeStore(TdmData &dm, const QString &kind) : m_dm(dm), m_kind(kind) {}

QString TypeTreeStore::addType(const QString &parentCode, const QString &name, const QString &path)
{
    DbTransaction t(m_dm);
    m_dm.exec(SqlDialect::lockTableForWrite(m_dm.backend(), QStringLiteral("t_treecode")));
    const std::optional<QString> code = TypeTree::NextTypeCode(m_dm, parentCode, m_kind, 2);
    if (!code)
        return QString();
    m_dm.exec(m_dm.QryPub(), QLatin1String(InsertType),
              {{QStringLiteral("code"), *code},
               {QStringLiteral("name"), name},
               {QStringLiteral("path"), path},
               {QStringLiteral("kind"), m_kind}});
    t.commit();
    return *code;
}

bool TypeTreeStore::renameType(const QString &code, const QString &oldPath, const QString &newPath,
                               const QString &newName, RenameFailure *failure)
{
    RenameFailure step = RenameFailure::Paths;
    try {
        DbTransaction t(m_dm);
        // Positions count characters on both backends.
        const int tailFrom = int(oldPath.toUcs4().size()) + 1;
        const SqlParams carry{{QStringLiteral("newPath"), newPath},
                              {QStringLiteral("tailFrom"), tailFrom},
                              {QStringLiteral("oldPath"), oldPath},
                              {QStringLiteral("below"), SqlDialect::escapeLike(oldPath + QLatin1Char('\\')) + QLatin1Char('%')}};
        QSqlQuery &q = m_dm.QryTemp();
        m_dm.exec(q, carryPathStatement(QStringLiteral("t_goods"), QStringLiteral("F_type"), QString()), carry);
        m_dm.exec(q, carryPathStatement(QStringLiteral("depotD"), QStringLiteral("F_type"), QString()), carry);
        m_dm.exec(q, carryPathStatement(QStringLiteral("ddDepotD"), QStringLiteral("F_type"), QString()), carry);
        SqlParams treeParams = carry;
        treeParams.append({QStringLiteral("kind"), m_kind});
        m_dm.exec(q, carryPathStatement(QStringLiteral("t_treecode"), QStringLiteral("F_likecode"), QStringLiteral(" and F_flag = :kind")),
                  treeParams);
        step = RenameFailure::Name;
        m_dm.exec(q, QLatin1String(RenameNode),
                  {{QStringLiteral("name"), newName},
                   {QStringLiteral("path"), newPath},
                   {QStringLiteral("code"), code},
                   {QStringLiteral("kind"), m_kind}});
        t.commit();
    } catch (const DbError &e) {
        qWarning("type rename: %s", qPrintable(e.message()));
        if (failure)
            *failure = step;
        return false;
    }
    if (failure)
        *failure = RenameFailure::None;
    return true;
}

bool TypeTreeStore::deleteType(const QString &code)
{
    return m_dm.ExecCommand(QLatin1String(DeleteTypes),
                            {{QStringLiteral("prefix"), SqlDialect::escapeLike(code) + QLatin1Char('%')},
                             {QStringLiteral("kind"), m_kind}});
}
