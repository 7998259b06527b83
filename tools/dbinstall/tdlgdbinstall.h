#pragma once

#include "installrun.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The installation dialog of dbinstall: which database to create (a SQLite file beside the
// program or a database on a PostgreSQL server), the company name, whether to fill the demo
// company and whether an existing database may be replaced. "安装" creates it, writes
// Config.ini and says clearly whether it worked.
class TDlgDbInstall : public QDialog
{
    Q_OBJECT
public:
    // The request gives the initial field values, the folder relative SQLite names are taken
    // from and the Config.ini to write (none when empty).
    explicit TDlgDbInstall(const InstallRun::Request &initial, QWidget *parent = nullptr);
    ~TDlgDbInstall() override;

    // The request the fields describe.
    InstallRun::Request request() const;
    bool succeeded() const { return m_succeeded; }

    void btnInstallClick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void driverChanged();
    void demoToggled(bool on);
    void setBusy(bool busy);
    void showResult(bool ok, const QString &text);

    InstallRun::Request m_initial;
    QComboBox *m_cbbDriver = nullptr;
    QLineEdit *m_edtServer = nullptr;
    QSpinBox *m_edtPort = nullptr;
    QLineEdit *m_edtUser = nullptr;
    QLineEdit *m_edtPassword = nullptr;
    QLineEdit *m_edtDatabase = nullptr;
    QLineEdit *m_edtCompany = nullptr;
    QCheckBox *m_chkDemo = nullptr;
    QCheckBox *m_chkOverwrite = nullptr;
    QLabel *m_lblStatus = nullptr;
    QPushButton *m_btnInstall = nullptr;
    QPushButton *m_btnClose = nullptr;
    bool m_busy = false;
    bool m_succeeded = false;
};
