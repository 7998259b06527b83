#pragma once

#include <QList>
#include <QString>

class QWidget;

// Message kinds understood by ShowMess.
enum MessKind : int {
    MessNotice = 0,    // success reports, prompts to fill in a field
    MessQuestion = 1,  // confirm (returns 1) or decline (returns 2)
    MessWarning = 2,   // an action was refused
    MessError = 3      // a database operation failed
};

// Shows a modal message box and waits. For kind 1 returns 1 on confirm and 2 on decline;
// other kinds return 0.
int ShowMess(const QString &text, int kind, QWidget *parent = nullptr);

// Lets tests answer message boxes in advance instead of showing them.
// While a script is installed no box is shown: every call is recorded and a question takes the
// next queued answer (confirm when the queue is empty).
class MessageScript
{
public:
    struct Entry {
        QString text;
        int kind;
    };

    MessageScript();
    ~MessageScript();
    MessageScript(const MessageScript &) = delete;
    MessageScript &operator=(const MessageScript &) = delete;

    void answer(int result) { m_answers.append(result); }
    const QList<Entry> &shown() const { return m_shown; }
    QStringList texts() const;
    bool contains(const QString &text) const;
    void clear() { m_shown.clear(); m_answers.clear(); }

    // The script in force, or nullptr.
    static MessageScript *current();
    int take(const QString &text, int kind);

private:
    QList<Entry> m_shown;
    QList<int> m_answers;
    MessageScript *m_previous = nullptr;
};
