#include "tdlgdblink.h"

#include "enterkey.h"

#include "data/connectionsettings.h"
#include "data/session.h"
#include "data/tdmdata.h"
#include "platform/inifile.h"
#include "platform/showmess.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TDlgDbLink::TDlgDbLink(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgDbLink"));
    setWindowTitle(QStringLiteral("连接网络数据"));

    auto *hint = new QLabel(QStringLiteral("请填写要连接的数据库。连接测试成功后写入配置文件，程序退出，下次启动时使用新的连接。"), this);
    hint->setObjectName(QStringLiteral("lblHint"));
    hint->setWordWrap(true);

    m_cbbDriver = new QComboBox(this);
    m_cbbDriver->setObjectName(QStringLiteral("cbbDriver"));
    m_cbbDriver->addItem(QStringLiteral("SQLite 数据库文件"), QStringLiteral("sqlite"));
    m_cbbDriver->addItem(QStringLiteral("PostgreSQL 数据库服务器"), QStringLiteral("postgres"));

    m_edtDatabase = new QLineEdit(this);
    m_edtDatabase->setObjectName(QStringLiteral("edtDatabase"));
    m_btnBrowse = new QPushButton(QStringLiteral("浏览..."), this);
    m_btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    auto *dbRow = new QHBoxLayout;
    dbRow->addWidget(m_edtDatabase, 1);
    dbRow->addWidget(m_btnBrowse);

    m_edtServer = new QLineEdit(this);
    m_edtServer->setObjectName(QStringLiteral("edtServer"));
    m_edtPort = new QSpinBox(this);
    m_edtPort->setObjectName(QStringLiteral("edtPort"));
    m_edtPort->setRange(0, 65535);
    m_edtPort->setSpecialValueText(QStringLiteral("默认"));
    m_edtUser = new QLineEdit(this);
    m_edtUser->setObjectName(QStringLiteral("edtUser"));
    m_edtPassword = new QLineEdit(this);
    m_edtPassword->setObjectName(QStringLiteral("edtPassword"));
    m_edtPassword->setEchoMode(QLineEdit::Password);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("数据库类型："), m_cbbDriver);
    form->addRow(QStringLiteral("数据库："), dbRow);
    form->addRow(QStringLiteral("服务器："), m_edtServer);
    form->addRow(QStringLiteral("端口："), m_edtPort);
    form->addRow(QStringLiteral("用户名："), m_edtUser);
    form->addRow(QStringLiteral("密码："), m_edtPassword);

    m_memOutput = new QPlainTextEdit(this);
    m_memOutput->setObjectName(QStringLiteral("memOutput"));
    m_memOutput->setReadOnly(true);
    m_memOutput->setMinimumHeight(90);

    m_btnOk = new QPushButton(QStringLiteral("连接"), this);
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnOk->setAutoDefault(false);
    m_btnCancel = new QPushButton(QStringLiteral("取消"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnCancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOk);
    buttons->addWidget(m_btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(form);
    layout->addWidget(m_memOutput);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    // Start from the connection in use.
    ConnectionSettings s;
    if (const IniFile *ini = Session::instance().iniFile.get())
        s = ConnectionSettings::fromIni(*ini);
    m_cbbDriver->setCurrentIndex(s.backend() == SqlDialect::Backend::PostgreSQL ? 1 : 0);
    m_edtDatabase->setText(s.database);
    m_edtServer->setText(s.server);
    m_edtPort->setValue(s.port);
    m_edtUser->setText(s.user.isEmpty() ? QStringLiteral("sa") : s.user);
    m_edtPassword->setText(s.password);
    driverChanged();

    connect(m_cbbDriver, &QComboBox::currentIndexChanged, this, &TDlgDbLink::driverChanged);
    connect(m_btnBrowse, &QPushButton::clicked, this, &TDlgDbLink::btnBrowseClick);
    connect(m_btnOk, &QPushButton::clicked, this, &TDlgDbLink::btnOkClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TDlgDbLink::~TDlgDbLink()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(2000);
    }
}

QString TDlgDbLink::toolPath() { return QDir(TdmData::appDir()).filePath(QStringLiteral("dblink")); }

bool TDlgDbLink::running() const { return m_process && m_process->state() != QProcess::NotRunning; }

void TDlgDbLink::driverChanged()
{
    const bool server = m_cbbDriver->currentData().toString() == QLatin1String("postgres");
    m_edtServer->setEnabled(server);
    m_edtPort->setEnabled(server);
    m_edtUser->setEnabled(server);
    m_edtPassword->setEnabled(server);
    m_btnBrowse->setEnabled(!server);
}

void TDlgDbLink::btnBrowseClick()
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("选择数据库文件"), TdmData::appDir(),
                                                      QStringLiteral("数据库文件 (*.db *.sqlite);;所有文件 (*)"));
    if (!file.isEmpty())
        m_edtDatabase->setText(file);
}

QStringList TDlgDbLink::toolArguments() const
{
    QStringList args{QStringLiteral("--driver"), m_cbbDriver->currentData().toString(),
                     QStringLiteral("--database"), m_edtDatabase->text().trimmed()};
    if (m_cbbDriver->currentData().toString() == QLatin1String("postgres")) {
        args << QStringLiteral("--server") << m_edtServer->text().trimmed();
        if (m_edtPort->value() > 0)
            args << QStringLiteral("--port") << QString::number(m_edtPort->value());
        args << QStringLiteral("--user") << m_edtUser->text().trimmed();
        args << QStringLiteral("--password") << m_edtPassword->text();
    }
    if (const IniFile *ini = Session::instance().iniFile.get())
        args << QStringLiteral("--config") << ini->path();
    return args;
}

void TDlgDbLink::btnOkClick()
{
    if (running())
        return;
    if (m_edtDatabase->text().trimmed().isEmpty()) {
        ShowMess(QStringLiteral("请填写数据库！"), MessNotice, this);
        m_edtDatabase->setFocus();
        return;
    }
    const QString tool = toolPath();
    if (!QFileInfo(tool).isExecutable()) {
        ShowMess(QStringLiteral("没有找到连接工具：") + QDir::toNativeSeparators(tool), MessError, this);
        return;
    }
    if (!m_process) {
        m_process = new QProcess(this);
        m_process->setProcessChannelMode(QProcess::MergedChannels);
        connect(m_process, &QProcess::finished, this, &TDlgDbLink::toolFinished);
        connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart) {
                setBusy(false);
                ShowMess(QStringLiteral("连接工具无法启动：") + m_process->errorString(), MessError, this);
            }
        });
    }
    m_memOutput->setPlainText(QStringLiteral("正在连接数据库 ....."));
    setBusy(true);
    // The tool resolves a relative database file from the program's folder.
    m_process->setWorkingDirectory(TdmData::appDir());
    m_process->start(tool, toolArguments());
}

void TDlgDbLink::toolFinished(int exitCode, int exitStatus)
{
    setBusy(false);
    const QString output = QString::fromLocal8Bit(m_process->readAll()).trimmed();
    m_memOutput->setPlainText(output);
    if (exitStatus != QProcess::NormalExit || exitCode != 0) {
        ShowMess(QStringLiteral("数据连接失败，配置文件没有改变。"), MessWarning, this);
        return;
    }
    // The tool rewrote Config.ini: later writes of the program must start from its content.
    if (IniFile *ini = Session::instance().iniFile.get())
        ini->load();
    ShowMess(QStringLiteral("连接成功！程序现在退出，下次启动时使用新的数据连接。"), MessNotice, this);
    accept();
}

void TDlgDbLink::setBusy(bool busy)
{
    for (QWidget *w : {static_cast<QWidget *>(m_cbbDriver), static_cast<QWidget *>(m_edtDatabase),
                       static_cast<QWidget *>(m_btnOk), static_cast<QWidget *>(m_btnCancel)})
        w->setEnabled(!busy);
    if (!busy)
        driverChanged();
    else
        for (QWidget *w : {static_cast<QWidget *>(m_btnBrowse), static_cast<QWidget *>(m_edtServer),
                           static_cast<QWidget *>(m_edtPort), static_cast<QWidget *>(m_edtUser),
                           static_cast<QWidget *>(m_edtPassword)})
            w->setEnabled(false);
}

void TDlgDbLink::keyPressEvent(QKeyEvent *event)
{
    if (moveFocusOnEnter(this, event))
        return;
    QDialog::keyPressEvent(event);
}

void TDlgDbLink::closeEvent(QCloseEvent *event)
{
    // Not while the tool is writing the configuration.
    if (running()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TDlgDbLink::reject()
{
    if (running())
        return;
    QDialog::reject();
}
