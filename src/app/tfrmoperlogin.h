#pragma once

#include <QDialog>

class OperatorProfile;
class QLineEdit;
class QPushButton;
class TFrmMain;

// The operator login, at start-up (mode 0) and for "重新登录" (mode 1). A successful login
// replaces the session with the new operator's; a refused or cancelled one leaves it as it was.
class TfrmOperLogin : public QDialog
{
    Q_OBJECT
public:
    enum Mode { StartUp = 0, ReLogin = 1 };

    // Wrong passwords after which the login gives up.
    static constexpr int MaxAttempts = 4;

    TfrmOperLogin(Mode mode, TFrmMain *main, QWidget *parent = nullptr);

    // Shows the login modally; true after a successful login. At start-up a false result means
    // the program must end.
    static bool RunLogin(Mode mode, TFrmMain *main);

    Mode mode() const { return m_mode; }
    int failures() const { return m_failures; }

    void btnOkClick();
    void btnCancelClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refreshName();
    void applyLogin(const OperatorProfile &profile);

    Mode m_mode;
    TFrmMain *m_main;
    int m_failures = 0;
    QLineEdit *m_edtOperCode = nullptr;
    QLineEdit *m_edtOperName = nullptr;
    QLineEdit *m_edtPassWord = nullptr;
    QPushButton *m_btnOk = nullptr;
    QPushButton *m_btnCancel = nullptr;
};
