#include "tdlgdbinstall.h"

#include "data/demodata.h"
#include "platform/showmess.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QString kDefaultCompany = QStringLiteral("我的公司");

// Shows the wait cursor for as long as it lives.
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

TDlgDbInstall::TDlgDbInstall(const InstallRun::Request &initial, QWidget *parent) : QDialog(parent), m_initial(initial)
{
    setObjectName(QStringLiteral("DlgDbInstall"));
    setWindowTitle(QStringLiteral("安装数据库"));
    const ConnectionSettings &s = initial.install.settings;

    auto *hint = new QLabel(QStringLiteral("创建新的数据库并写入配置文件。单机使用选择 SQLite 数据库文件；"
                                           "网络版选择 PostgreSQL 数据库服务器。"),
                            this);
    hint->setObjectName(QStringLiteral("lblHint"));
    hint->setWordWrap(true);

    m_cbbDriver = new QComboBox(this);
    m_cbbDriver->setObjectName(QStringLiteral("cbbDriver"));
    m_cbbDriver->addItem(QStringLiteral("SQLite 数据库文件"), QStringLiteral("sqlite"));
    m_cbbDriver->addItem(QStringLiteral("PostgreSQL 数据库服务器"), QStringLiteral("postgres"));
    m_cbbDriver->setCurrentIndex(SqlDialect::isFileDatabase(s.backend()) ? 0 : 1);

    m_edtServer = new QLineEdit(s.server, this);
    m_edtServer->setObjectName(QStringLiteral("edtServer"));
    m_edtPort = new QSpinBox(this);
    m_edtPort->setObjectName(QStringLiteral("edtPort"));
    m_edtPort->setRange(0, 65535);
    m_edtPort->setSpecialValueText(QStringLiteral("默认"));
    m_edtPort->setValue(s.port);
    m_edtUser = new QLineEdit(s.user, this);
    m_edtUser->setObjectName(QStringLiteral("edtUser"));
    m_edtPassword = new QLineEdit(s.password, this);
    m_edtPassword->setObjectName(QStringLiteral("edtPassword"));
    m_edtPassword->setEchoMode(QLineEdit::Password);
    m_edtDatabase = new QLineEdit(s.database, this);
    m_edtDatabase->setObjectName(QStringLiteral("edtDatabase"));
    m_edtCompany = new QLineEdit(initial.install.companyName, this);
    m_edtCompany->setObjectName(QStringLiteral("edtCompany"));
    m_chkDemo = new QCheckBox(QStringLiteral("安装演示公司（供应商、货品和几个月的单据）"), this);
    m_chkDemo->setObjectName(QStringLiteral("chkDemo"));
    m_chkDemo->setChecked(initial.demo);
    m_chkOverwrite = new QCheckBox(QStringLiteral("覆盖已有的数据库（其中的数据将全部丢失）"), this);
    m_chkOverwrite->setObjectName(QStringLiteral("chkOverwrite"));
    m_chkOverwrite->setChecked(initial.install.overwrite);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("数据库类型："), m_cbbDriver);
    form->addRow(QStringLiteral("服务器："), m_edtServer);
    form->addRow(QStringLiteral("端口："), m_edtPort);
    form->addRow(QStringLiteral("用户名："), m_edtUser);
    form->addRow(QStringLiteral("密码："), m_edtPassword);
    form->addRow(QStringLiteral("数据库："), m_edtDatabase);
    form->addRow(QStringLiteral("公司名称："), m_edtCompany);
    form->addRow(QString(), m_chkDemo);
    form->addRow(QString(), m_chkOverwrite);

    m_lblStatus = new QLabel(this);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_lblStatus->setWordWrap(true);
    m_lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblStatus->setMinimumHeight(60);

    m_btnInstall = new QPushButton(QStringLiteral("安装"), this);
    m_btnInstall->setObjectName(QStringLiteral("btnInstall"));
    m_btnInstall->setAutoDefault(false);
    m_btnClose = new QPushButton(QStringLiteral("关闭"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnInstall);
    buttons->addWidget(m_btnClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(form);
    layout->addWidget(m_lblStatus);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(m_cbbDriver, &QComboBox::currentIndexChanged, this, &TDlgDbInstall::driverChanged);
    connect(m_chkDemo, &QCheckBox::toggled, this, &TDlgDbInstall::demoToggled);
    connect(m_btnInstall, &QPushButton::clicked, this, &TDlgDbInstall::btnInstallClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TDlgDbInstall::close);
    driverChanged();
}

TDlgDbInstall::~TDlgDbInstall() = default;

void TDlgDbInstall::driverChanged()
{
    const bool server = m_cbbDriver->currentData().toString() != QLatin1String("sqlite");
    for (QWidget *w : {static_cast<QWidget *>(m_edtServer), static_cast<QWidget *>(m_edtPort),
                       static_cast<QWidget *>(m_edtUser), static_cast<QWidget *>(m_edtPassword)})
        w->setEnabled(server && !m_busy);
}

void TDlgDbInstall::demoToggled(bool on)
{
    // The demo company brings its own name unless one was typed.
    const QString name = m_edtCompany->text().trimmed();
    if (on && (name.isEmpty() || name == kDefaultCompany))
        m_edtCompany->setText(DemoData::companyName());
    else if (!on && name == DemoData::companyName())
        m_edtCompany->setText(kDefaultCompany);
}

InstallRun::Request TDlgDbInstall::request() const
{
    InstallRun::Request r = m_initial;
    ConnectionSettings &s = r.install.settings;
    s.driver = m_cbbDriver->currentData().toString();
    s.server = m_edtServer->text().trimmed();
    s.port = m_edtPort->value();
    s.user = m_edtUser->text().trimmed();
    s.password = m_edtPassword->text();
    s.database = m_edtDatabase->text().trimmed();
    if (SqlDialect::isFileDatabase(s.backend()) && !s.database.isEmpty())
        s.database = InstallRun::sqliteFile(s.database, r.install.baseDir);
    r.install.companyName = m_edtCompany->text().trimmed();
    r.install.overwrite = m_chkOverwrite->isChecked();
    r.demo = m_chkDemo->isChecked();
    return r;
}

void TDlgDbInstall::setBusy(bool busy)
{
    m_busy = busy;
    for (QWidget *w : {static_cast<QWidget *>(m_cbbDriver), static_cast<QWidget *>(m_edtDatabase),
                       static_cast<QWidget *>(m_edtCompany), static_cast<QWidget *>(m_chkDemo),
                       static_cast<QWidget *>(m_chkOverwrite), static_cast<QWidget *>(m_btnInstall),
                       static_cast<QWidget *>(m_btnClose)})
        w->setEnabled(!busy);
    driverChanged();
}

void TDlgDbInstall::showResult(bool ok, const QString &text)
{
    m_lblStatus->setStyleSheet(ok ? QStringLiteral("color: #107010; font-weight: bold;")
                                  : QStringLiteral("color: #c00000; font-weight: bold;"));
    m_lblStatus->setText(text);
}

void TDlgDbInstall::btnInstallClick()
{
    if (m_busy)
        return;
    const InstallRun::Request r = request();
    if (r.install.settings.database.isEmpty()) {
        showResult(false, QStringLiteral("请填写数据库名称。"));
        m_edtDatabase->setFocus();
        return;
    }
    if (r.install.companyName.isEmpty()) {
        showResult(false, QStringLiteral("请填写公司名称。"));
        m_edtCompany->setFocus();
        return;
    }
    const QString where = InstallRun::describe(r.install);

    bool present = false;
    QString error;
    {
        WaitCursor wait;
        showResult(true, QStringLiteral("正在检查数据库 ..."));
        m_lblStatus->setStyleSheet(QString());
        m_lblStatus->repaint();
        if (!DatabaseInstaller::exists(r.install, &present, &error)) {
            const QString text = QStringLiteral("安装失败：无法连接数据库服务器。\n%1").arg(error.trimmed());
            showResult(false, text);
            ShowMess(text, MessError, this);
            return;
        }
    }
    if (present && !r.install.overwrite) {
        showResult(false, QStringLiteral("安装失败：数据库“%1”已经存在，没有改动。\n要替换它，请勾选“覆盖已有的数据库”。").arg(where));
        return;
    }
    if (present && ShowMess(QStringLiteral("数据库“%1”已经存在，覆盖后其中的数据将全部丢失。\n确定要覆盖吗？").arg(where),
                            MessQuestion, this)
                       != 1) {
        showResult(false, QStringLiteral("已取消，数据库没有改动。"));
        return;
    }

    InstallRun::Result result;
    {
        WaitCursor wait;
        setBusy(true);
        result = InstallRun::run(r, [this](const QString &text) {
            m_lblStatus->setStyleSheet(QString());
            m_lblStatus->setText(text);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
        setBusy(false);
    }

    if (result.ok) {
        QString text = QStringLiteral("安装成功！已创建数据库：%1").arg(result.database);
        if (r.demo)
            text += QStringLiteral("\n演示公司：供应商 %1 家，货品 %2 种，单据 %3 张（明细 %4 行）")
                        .arg(result.demoCounts.suppliers)
                        .arg(result.demoCounts.goods)
                        .arg(result.demoCounts.documents)
                        .arg(result.demoCounts.lines);
        text += result.configPath.isEmpty() ? QStringLiteral("\n配置文件没有改动。")
                                            : QStringLiteral("\n已写入配置文件：%1").arg(result.configPath);
        m_succeeded = true;
        showResult(true, text);
        return;
    }
    QString text;
    switch (result.failedStep) {
    case InstallRun::Step::Install:
        text = QStringLiteral("安装失败：无法创建数据库“%1”。\n%2").arg(where, result.error);
        break;
    case InstallRun::Step::Demo:
        text = QStringLiteral("安装失败：数据库“%1”已创建，但演示数据没有生成，配置文件没有改动。\n%2").arg(where, result.error);
        break;
    case InstallRun::Step::Config:
    case InstallRun::Step::None:
        text = QStringLiteral("安装失败：数据库“%1”已创建，但配置文件无法写入。\n%2").arg(where, result.error);
        break;
    }
    showResult(false, text);
    ShowMess(text, MessError, this);
}

void TDlgDbInstall::closeEvent(QCloseEvent *event)
{
    if (m_busy) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
