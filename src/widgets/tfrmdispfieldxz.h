#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

// The column chooser "字段列表": one checkable item per grid column (checked = shown).
class TFrmDispFieldXZ : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmDispFieldXZ(QWidget *parent = nullptr);

    void addField(const QString &caption, bool checked);
    int fieldCount() const;
    bool isChecked(int i) const;
    void setChecked(int i, bool checked);

    QListWidget *CheckListBox1;
    QPushButton *btnOK;
    QPushButton *btnCancel;
};
