#pragma once

#include "sqlstatement.h"

#include <QList>
#include <QString>
#include <QStringList>

// One list of t_code kept in the options window: the tab that shows it, the list key written
// into F_type, and the keys whose rows the tab shows (a tab may gather the rows of an older
// key, which its next save files under its own key).
struct CodeListTab {
    QString tabName;      // object name of the tab page: "t" + key
    QString key;          // F_type of the rows the tab writes
    QString caption;      // tab caption, also the grid column title after a tab change
    QStringList readKeys; // F_type values the tab lists (the key first)
};

namespace CodeListTabs {

// The tabs of the options window, in order: the eight lists of the program plus the two lists
// that other windows read and that would otherwise be kept by no window (supplier kinds of the
// supplier selection dialog, payment items).
const QList<CodeListTab> &all();

// The tab whose page has the given object name, or nullptr.
const CodeListTab *byTabName(const QString &tabName);

// The list key of a tab: its name without the first letter.
QString keyOfTabName(const QString &tabName);

// The rows of a tab, in entry order, with their key, id and name.
SqlStatement listStatement(const CodeListTab &tab);

// Names of one list for a drop-down: distinct, without blanks, in the given keys.
SqlStatement namesStatement(const QStringList &keys);

} // namespace CodeListTabs
