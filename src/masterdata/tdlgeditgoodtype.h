#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;

// "批量修改货品类型": a read-only type field whose button opens the goods-type picker. Returns
// the field's text on "确定" and an empty text on "取消".
class TDlgEditGoodType : public QDialog
{
    Q_OBJECT
public:
    using TypePicker = std::function<QString(QWidget *parent, const QString &current)>;

    explicit TDlgEditGoodType(QWidget *parent = nullptr);

    // Shows the dialog modally.
    QString chooseType();
    QString typeText() const;

    void setTypePicker(TypePicker picker) { m_picker = std::move(picker); }
    void pickType();
    // "确定": a blank type is refused and the dialog stays open.
    void BitBtn1Click();

private:
    TypePicker m_picker;
    QLineEdit *edtType;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
};
