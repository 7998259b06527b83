#pragma once

#include "platform/dispformpos.h"
#include "platform/mdiwindows.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class TFrmMain;

// How a command shows its function.
enum class CommandKind {
    Mdi,    // an MDI child, at most one per window class
    Modal,  // a dialog created per use, placed with DispFormPos mode 1, destroyed afterwards
    Run     // a routine without a window of its own
};

// One main-window command. The table of these rows (commandtable.cpp) is the only place that
// lists the commands: the main window builds its actions, menus and permissions from it and
// the navigation desktop binds its buttons to the same actions.
struct CommandRow {
    int code;          // permission code NNN; the action's object name is "ActionNNN"
    QString category;  // menu group, as in the permission catalogue
    QString caption;
    CommandKind kind;
    std::function<void(TFrmMain &)> execute;

    QString objectName() const { return QStringLiteral("Action%1").arg(code); }
    // 1 系统管理, 2 基本资料, 3 采购管理, 4 报表中心, 5 采购分析
    int group() const { return code / 100; }
};

// The rows in ascending code order.
const QList<CommandRow> &commandTable();
const CommandRow *findCommand(int code);

// Builders for the rows of the table.
namespace Commands {

// The main window's MDI area and the main window as a parent widget (helpers for the builders).
QMdiArea *mainArea(TFrmMain &main);
QWidget *mainWidget(TFrmMain &main);

// An MDI child of class T, made by `make` (default: new T()) when none is open.
template <class T>
CommandRow mdi(int code, const char *category, const char *caption, std::function<T *()> make = {})
{
    return {code, QString::fromUtf8(category), QString::fromUtf8(caption), CommandKind::Mdi,
            [make](TFrmMain &main) {
                Mdi::openOrActivate<T>(make ? make : std::function<T *()>([] { return new T(); }), mainArea(main));
            }};
}

// A modal dialog of class T, made by `make` (default: new T(parent)); `after` sees the dialog
// and the result of exec() before the dialog is destroyed.
template <class T>
CommandRow modal(int code, const char *category, const char *caption, std::function<T *(QWidget *)> make = {},
                 std::function<void(T &, int, TFrmMain &)> after = {})
{
    return {code, QString::fromUtf8(category), QString::fromUtf8(caption), CommandKind::Modal,
            [make, after](TFrmMain &main) {
                std::unique_ptr<T> dlg(make ? make(mainWidget(main)) : new T(mainWidget(main)));
                DispFormPos(dlg.get(), 1);
                const int result = dlg->exec();
                if (after)
                    after(*dlg, result, main);
            }};
}

// A routine without a window.
CommandRow run(int code, const char *category, const char *caption, std::function<void(TFrmMain &)> routine);

} // namespace Commands
