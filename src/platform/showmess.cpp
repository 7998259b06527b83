#include "showmess.h"

#include "dispformpos.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
MessageScript *g_script = nullptr;
}

MessageScript::MessageScript() : m_previous(g_script) { g_script = this; }

MessageScript::~MessageScript() { g_script = m_previous; }

MessageScript *MessageScript::current() { return g_script; }

QStringList MessageScript::texts() const
{
    QStringList out;
    for (const Entry &e : m_shown)
        out << e.text;
    return out;
}

bool MessageScript::contains(const QString &text) const
{
    for (const Entry &e : m_shown)
        if (e.text == text)
            return true;
    return false;
}

int MessageScript::take(const QString &text, int kind)
{
    m_shown.append({text, kind});
    if (kind != MessQuestion)
        return 0;
    return m_answers.isEmpty() ? 1 : m_answers.takeFirst();
}

int ShowMess(const QString &text, int kind, QWidget *parent)
{
    if (MessageScript *script = MessageScript::current())
        return script->take(text, kind);

    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("提示"));
    box.setText(text);
    switch (kind) {
    case MessQuestion: {
        box.setIcon(QMessageBox::Question);
        QPushButton *yes = box.addButton(QStringLiteral("确定"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("取消"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? 1 : 2;
    }
    case MessWarning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessError:
        box.setIcon(QMessageBox::Critical);
        break;
    default:
        box.setIcon(QMessageBox::Information);
        break;
    }
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.exec();
    return 0;
}
