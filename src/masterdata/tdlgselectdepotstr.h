#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

// The depot multi-select dialog "仓库选择": every depot of the depot list in a two-column
// check list. It takes an operator's depot list as stored ('A','B') and returns the new list in
// the same form; cancelled, or when there is no depot, it returns the input unchanged.
//
//   const QString depots = TDLGselectDepotSTR::Execute(this, current, "仓库选择 ");
class TDLGselectDepotSTR : public QDialog
{
    Q_OBJECT
public:
    explicit TDLGselectDepotSTR(QWidget *parent = nullptr);

    // Runs the whole selection: reads the depots (none: "没有项目选择！" and the input is
    // returned without showing the dialog), pre-checks the depots of the input, shows the
    // dialog and returns the result.
    static QString Execute(QWidget *parent, const QString &input, const QString &caption = QString());

    // Reads the depot names into the list: their number, or -1 when the read failed (the
    // failure is shown).
    int loadDepots();
    // Checks exactly the depots named in a stored list (full-width commas read as commas).
    void preCheck(const QString &input);
    // The checked depots as a stored list: 'A','B' (a quote in a name doubled); empty when
    // none is checked.
    QString checkedList() const;
    QStringList depotNames() const;

    QListWidget *list() const { return CheckListBox1; }

private:
    QListWidget *CheckListBox1;
    QPushButton *btnOk;
    QPushButton *btnCancel;
};
