#include "documentstore.h"

#include "data/dberror.h"
#include "data/tdmdata.h"

namespace {
// How often a new document takes the next code after a clash before the save gives up.
constexpr int kCodeAttempts = 20;
}

DocumentStore::DocumentStore(TdmData &dm, DocKind kind) : m_dm(dm), m_info(documentKind(kind)) {}

QString DocumentStore::nextCode(const QDate &today) const
{
    const QString flagTest = m_info.flagWithNull ? QStringLiteral("coalesce(F_Flag,0) = :flag")
                                                 : QStringLiteral("F_Flag = :flag");
    const QString select = QStringLiteral("Select Max(F_Code) As F_Code From %1 Where (F_Code Like :pattern) And %2")
                               .arg(QLatin1String(m_info.masterTable), flagTest);
    const QString day = today.toString(QStringLiteral("yyyyMMdd"));
    const QString head = documentCodePattern(m_info, day);
    // The series restarts every day: the head is built from the given day, not the clock.
    QString code = m_dm.NextDateCode(select, QLatin1String(m_info.prefix), 3,
                                     {{QStringLiteral("pattern"), head + QLatin1Char('%')},
                                      {QStringLiteral("flag"), m_info.flag}});
    if (!code.startsWith(head))
        code = head + code.right(3);
    return code;
}

QString DocumentStore::dayListStatement(const QString &depotCondition) const
{
    const QString flagTest = m_info.flagWithNull ? QStringLiteral("coalesce(F_Flag,0) = :flag")
                                                 : QStringLiteral("F_Flag = :flag");
    QString sql = QStringLiteral("Select * from %1 Where (%2)").arg(QLatin1String(m_info.masterTable), flagTest);
    if (m_info.filteredByDepot && !depotCondition.isEmpty())
        sql += QLatin1Char(' ') + depotCondition;
    sql += QStringLiteral(" And F_date = :date Order By F_Code");
    return sql;
}

SqlParams DocumentStore::dayListParams(const QDate &day, const SqlParams &depotParams) const
{
    SqlParams p{{QStringLiteral("flag"), m_info.flag}, {QStringLiteral("date"), Sql::date(day)}};
    if (m_info.filteredByDepot)
        p += depotParams;
    return p;
}

QString DocumentStore::linesStatement() const
{
    return QStringLiteral("select * from %1 where F_Code = :code order by F_ID").arg(QLatin1String(m_info.lineTable));
}

qint64 DocumentStore::idOfCode(const QString &code) const
{
    QSqlQuery q = m_dm.newQuery();
    m_dm.exec(q, QStringLiteral("Select F_ID From %1 Where F_Code = :code").arg(QLatin1String(m_info.masterTable)),
              {{QStringLiteral("code"), code}});
    return q.next() ? q.value(0).toLongLong() : 0;
}

QString DocumentStore::save(const Save &s) const
{
    QString code = s.code.trimmed();
    if (s.isNew && idOfCode(code) > 0)
        code = nextCode();

    for (int attempt = 0;; ++attempt) {
        try {
            DbTransaction tx(m_dm);
            if (s.writeLines)
                s.writeLines(code);
            SqlParams values = s.values;
            if (s.isNew) {
                values.append({QStringLiteral("Code"), code});
                m_dm.exec(s.insertStatement, values);
            } else {
                values.append({QStringLiteral("ID"), s.id});
                QSqlQuery update = m_dm.newQuery();
                m_dm.exec(update, s.updateStatement, values);
                // The update found no row (another client deleted the document, or the window's
                // statement refuses it, e.g. audited meanwhile): its lines are not written either.
                if (update.numRowsAffected() == 0)
                    throw DbError(QStringLiteral("document %1 was not updated").arg(code));
            }
            tx.commit();
            return code;
        } catch (const DbError &) {
            // The transaction is rolled back here. A new document whose code was stored by
            // another client in the meantime takes the next code and tries again.
            if (!s.isNew || attempt + 1 >= kCodeAttempts || idOfCode(code) == 0)
                throw;
            code = nextCode();
        }
    }
}

void DocumentStore::remove(const QString &code) const
{
    DbTransaction tx(m_dm);
    m_dm.exec(QStringLiteral("Delete From %1 Where F_Code = :code").arg(QLatin1String(m_info.masterTable)),
              {{QStringLiteral("code"), code}});
    m_dm.exec(QStringLiteral("Delete From %1 Where F_Code = :code").arg(QLatin1String(m_info.lineTable)),
              {{QStringLiteral("code"), code}});
    tx.commit();
}

bool DocumentStore::audit(const QString &code, const QString &operName, const QDate &today) const
{
    SqlParams p{{QStringLiteral("name"), operName}, {QStringLiteral("code"), code}};
    QString set = QStringLiteral("F_Auditer = :name, F_CheckFlag = 1");
    if (m_info.keepsAuditDate) {
        set += QStringLiteral(", F_AudDate = :auddate");
        p.append({QStringLiteral("auddate"), Sql::date(today)});
    }
    return m_dm.ExecCommand(
        QStringLiteral("update %1 Set %2 Where F_Code = :code").arg(QLatin1String(m_info.masterTable), set), p);
}

bool DocumentStore::unaudit(const QString &code, const QString &operName) const
{
    QString set = QStringLiteral("F_Auditer = :name, F_CheckFlag = 0");
    // A remark that was empty grows by the mark too.
    if (m_info.unauditMarksRemark)
        set += QStringLiteral(", F_Mem = coalesce(F_Mem,'') || :mark");
    SqlParams p{{QStringLiteral("name"), operName}, {QStringLiteral("code"), code}};
    if (m_info.unauditMarksRemark)
        p.append({QStringLiteral("mark"), QStringLiteral("反审")});
    return m_dm.ExecCommand(
        QStringLiteral("update %1 Set %2 Where F_Code = :code").arg(QLatin1String(m_info.masterTable), set), p);
}
