#pragma once

#include "documentkind.h"

#include "data/sqlparams.h"

#include <QDate>
#include <QString>

#include <functional>

class TdmData;

// The database side of the document lifecycle: numbering, the day's list, saving in one
// transaction with unique codes, deleting, auditing and un-auditing. Windows call it; it shows
// nothing itself and reports failures by throwing DbError.
class DocumentStore
{
public:
    DocumentStore(TdmData &dm, DocKind kind);

    const DocumentKindInfo &info() const { return m_info; }

    // The next free code of today's series (throws DbError when the series is used up).
    QString nextCode(const QDate &today = QDate::currentDate()) const;

    // The statement (and values) of the day's list; depotCondition is the operator's depot
    // filter on F_Depot (empty for none), with its own values.
    QString dayListStatement(const QString &depotCondition) const;
    SqlParams dayListParams(const QDate &day, const SqlParams &depotParams) const;

    // The statement of a document's lines; bind :code.
    QString linesStatement() const;

    // Whether a document with this code is stored (any kind sharing the table).
    qint64 idOfCode(const QString &code) const;

    struct Save {
        bool isNew = true;
        qint64 id = 0;                 // the master row of an edited document
        QString code;                  // the code shown to the operator
        QString insertStatement;       // binds :Code plus the window's values
        QString updateStatement;       // binds :ID plus the window's values
        SqlParams values;              // the window's values (without Code and ID)
        // Writes the document's lines under the given code; runs inside the transaction and
        // may run again with another code when the first one was taken by another client.
        std::function<void(const QString &code)> writeLines;
    };

    // Saves lines and master row in one transaction. A new document whose code another client
    // took meanwhile gets the next free code (before the transaction, or after a clash with
    // the unique index, then retried). Returns the code the document was stored under.
    // Throws DbError when the save failed; nothing of it is then stored.
    QString save(const Save &s) const;

    // Deletes master row and lines in one transaction.
    void remove(const QString &code) const;

    // Audit and un-audit statements; false when the helper reported a failure.
    bool audit(const QString &code, const QString &operName, const QDate &today = QDate::currentDate()) const;
    bool unaudit(const QString &code, const QString &operName) const;

private:
    TdmData &m_dm;
    const DocumentKindInfo &m_info;
};
