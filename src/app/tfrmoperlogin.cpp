#include "tfrmoperlogin.h"

#include "enterkey.h"
#include "operatorprofile.h"
#include "tfrmmain.h"

#include "data/session.h"
#include "data/tdmdata.h"
#include "platform/dispformpos.h"
#include "platform/inifile.h"
#include "platform/password.h"
#include "platform/showmess.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kConfigSection = QStringLiteral("Config");
const QString kCurOperCode = QStringLiteral("CurOperCode");
} // namespace

TfrmOperLogin::TfrmOperLogin(Mode mode, TFrmMain *main, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_mode(mode), m_main(main)
{
    setObjectName(QStringLiteral("frmOperLogin"));
    setWindowTitle(QStringLiteral("登录窗口"));
    setModal(true);

    auto *hint = new QLabel(QStringLiteral("请输入正确的操作员编号及密码，系统超级用户编号“000”，系统初始密码为空："), this);
    hint->setObjectName(QStringLiteral("Label4"));
    hint->setWordWrap(true);
    hint->setStyleSheet(QStringLiteral("color: blue;"));

    m_edtOperCode = new QLineEdit(this);
    m_edtOperCode->setObjectName(QStringLiteral("edtOperCode"));
    m_edtOperName = new QLineEdit(this);
    m_edtOperName->setObjectName(QStringLiteral("edtOperName"));
    m_edtOperName->setReadOnly(true);
    m_edtOperName->setStyleSheet(QStringLiteral("QLineEdit { background: #fff8dc; }"));
    m_edtPassWord = new QLineEdit(this);
    m_edtPassWord->setObjectName(QStringLiteral("edtPassWord"));
    m_edtPassWord->setEchoMode(QLineEdit::Password);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("编  号："), m_edtOperCode);
    form->addRow(QStringLiteral("姓  名："), m_edtOperName);
    form->addRow(QStringLiteral("密  码："), m_edtPassWord);

    m_btnOk = new QPushButton(QStringLiteral("确定"), this);
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnCancel = new QPushButton(QStringLiteral("取消"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOk);
    buttons->addWidget(m_btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    setTabOrder(m_edtOperCode, m_edtOperName);
    setTabOrder(m_edtOperName, m_edtPassWord);
    setTabOrder(m_edtPassWord, m_btnOk);
    setTabOrder(m_btnOk, m_btnCancel);

    connect(m_btnOk, &QPushButton::clicked, this, &TfrmOperLogin::btnOkClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfrmOperLogin::btnCancelClick);
    m_edtOperCode->installEventFilter(this);
    m_edtOperName->installEventFilter(this);

    // The last operator who logged in is offered again.
    const Session &s = Session::instance();
    if (s.iniFile)
        m_edtOperCode->setText(s.iniFile->readString(kConfigSection, kCurOperCode));
    refreshName();
    if (m_edtOperCode->text().trimmed().isEmpty())
        m_edtOperCode->setFocus();
    else
        m_edtPassWord->setFocus();
}

bool TfrmOperLogin::RunLogin(Mode mode, TFrmMain *main)
{
    TfrmOperLogin dlg(mode, main, main);
    DispFormPos(&dlg, 1);
    return dlg.exec() == QDialog::Accepted;
}

void TfrmOperLogin::refreshName()
{
    TdmData *dm = TdmData::instance();
    m_edtOperName->setText(dm ? OperatorProfile::lookupName(*dm, m_edtOperCode->text()) : QString());
}

bool TfrmOperLogin::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && (watched == m_edtOperCode || watched == m_edtOperName))
        refreshName();
    return QDialog::eventFilter(watched, event);
}

void TfrmOperLogin::btnOkClick()
{
    const QString code = m_edtOperCode->text().trimmed();
    if (code.isEmpty()) {
        ShowMess(QStringLiteral("请选择用户！"), MessNotice, this);
        m_edtOperCode->setFocus();
        return;
    }
    // The name shown always belongs to the code typed.
    refreshName();
    if (m_edtOperName->text().trimmed().isEmpty()) {
        ShowMess(QStringLiteral("此操作员并不存在，请重新选择操作员！"), MessNotice, this);
        m_edtOperCode->setFocus();
        return;
    }
    TdmData *dm = TdmData::instance();
    if (!dm)
        return;
    OperatorProfile profile;
    switch (OperatorProfile::load(*dm, code, &profile)) {
    case OperatorProfile::LoadResult::Failed:
        return; // the failure has been shown; the window stays
    case OperatorProfile::LoadResult::NoOperator:
        ShowMess(QStringLiteral("此操作员并不存在，请重新选择操作员！"), MessNotice, this);
        m_edtOperCode->setFocus();
        return;
    case OperatorProfile::LoadResult::Loaded:
        break;
    }

    // Blanks around the typed password do not count.
    const QString typed = m_edtPassWord->text();
    const bool match = Password::verify(profile.storedPassword, typed.trimmed())
        || (typed != typed.trimmed() && Password::verify(profile.storedPassword, typed));
    if (!match) {
        ++m_failures;
        if (m_failures < MaxAttempts) {
            ShowMess(QStringLiteral("用户名或密码不正确，请重新输入！"), MessNotice, this);
            return;
        }
        if (m_mode == StartUp) {
            dm->WriteLog(QStringLiteral("登录失败！"));
            ShowMess(QStringLiteral("非法操作员!"), MessError, this);
        } else {
            dm->WriteLog(QStringLiteral("更换操作员失败！"));
            ShowMess(QStringLiteral("更换操作员失败!"), MessError, this);
        }
        done(QDialog::Rejected);
        return;
    }
    // A disabled operator keeps his row (documents name him) but may not log in.
    if (profile.disabled && !profile.isAdmin()) {
        ShowMess(QStringLiteral("此操作员已被禁用，不能登录！"), MessWarning, this);
        m_edtOperCode->setFocus();
        return;
    }
    applyLogin(profile);
    done(QDialog::Accepted);
}

void TfrmOperLogin::applyLogin(const OperatorProfile &profile)
{
    Session &s = Session::instance();
    profile.applyTo(s);
    if (s.iniFile && !s.iniFile->writeString(kConfigSection, kCurOperCode, profile.code))
        ShowMess(QStringLiteral("配置文件无法写入：") + s.iniFile->path(), MessWarning, this);
    if (m_main)
        m_main->applyLogin();
}

void TfrmOperLogin::btnCancelClick() { done(QDialog::Rejected); }

void TfrmOperLogin::keyPressEvent(QKeyEvent *event)
{
    if (moveFocusOnEnter(this, event))
        return;
    QDialog::keyPressEvent(event);
}

void TfrmOperLogin::closeEvent(QCloseEvent *event)
{
    // The window has no close button and Alt+F4 does nothing: it ends through its buttons.
    event->ignore();
}
