#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QProcess;
class QPushButton;
class QSpinBox;

// "连接网络数据": collects the connection of another database, lets the link tool test it and
// write it into Config.ini, and shows what the tool reported. Accepted only when the tool
// succeeded; the new connection is used from the next start.
class TDlgDbLink : public QDialog
{
    Q_OBJECT
public:
    explicit TDlgDbLink(QWidget *parent = nullptr);
    ~TDlgDbLink() override;

    // The arguments passed to the link tool for the fields as filled in.
    QStringList toolArguments() const;
    // The link tool beside the program.
    static QString toolPath();
    bool running() const;

    void btnOkClick();

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void driverChanged();
    void btnBrowseClick();
    void toolFinished(int exitCode, int exitStatus);
    void setBusy(bool busy);

    QComboBox *m_cbbDriver = nullptr;
    QLineEdit *m_edtDatabase = nullptr;
    QPushButton *m_btnBrowse = nullptr;
    QLineEdit *m_edtServer = nullptr;
    QSpinBox *m_edtPort = nullptr;
    QLineEdit *m_edtUser = nullptr;
    QLineEdit *m_edtPassword = nullptr;
    QPlainTextEdit *m_memOutput = nullptr;
    QPushButton *m_btnOk = nullptr;
    QPushButton *m_btnCancel = nullptr;
    QProcess *m_process = nullptr;
};
