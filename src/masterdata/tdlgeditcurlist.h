#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The column-value dialog "批量修改当前列": one edit `edtCurValue`; "确定" returns its text (an
// empty text is allowed), "取消" an empty text.
class TDLGeditCurList : public QDialog
{
    Q_OBJECT
public:
    explicit TDLGeditCurList(QWidget *parent = nullptr);

    // Creates, places and runs the dialog; the text entered or an empty text when cancelled.
    static QString Execute(QWidget *parent);

    QLineEdit *edit() const { return edtCurValue; }
    QString enteredText() const;

private:
    QLineEdit *edtCurValue;
    QPushButton *btnOk;
    QPushButton *btnCancel;
};
