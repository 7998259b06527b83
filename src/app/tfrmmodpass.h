#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "更改密码": the current operator changes his own password.
class TfrmModPass : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmModPass(QWidget *parent = nullptr);

    void BitBtn1Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_label1 = nullptr;
    QLineEdit *m_edtOldPass = nullptr;
    QLineEdit *m_edtNewPass = nullptr;
    QLineEdit *m_edtAdjustPass = nullptr;
    QPushButton *m_bitBtn1 = nullptr;
    QPushButton *m_bitBtn2 = nullptr;
};
