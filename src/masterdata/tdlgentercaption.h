#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The name-entry dialog: one edit `edtCurValue` under the label "节点名称". "确定" refuses a
// blank text and keeps the dialog open; it returns the text as typed (untrimmed). "取消"
// returns an empty text.
//
//   const QString name = TDLGenterCaption::Execute(this, "添加 001 电器 同类");
class TDLGenterCaption : public QDialog
{
    Q_OBJECT
public:
    explicit TDLGenterCaption(QWidget *parent = nullptr);

    // Creates the dialog with the caption (and a preset text), places it, runs it and returns
    // the text entered or an empty text when cancelled.
    static QString Execute(QWidget *parent, const QString &caption, const QString &preset = QString());

    QLineEdit *edit() const { return edtCurValue; }
    // The text when the dialog was confirmed, else empty.
    QString enteredText() const;

    // "确定"
    void btnOkClick();

private:
    QLineEdit *edtCurValue;
    QPushButton *btnOk;
    QPushButton *btnCancel;
};
