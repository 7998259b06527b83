#include "tfrmmodpass.h"

#include "enterkey.h"

#include "data/session.h"
#include "data/tdmdata.h"
#include "platform/password.h"
#include "platform/showmess.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace {
const QString kOperatorName = QStringLiteral("select F_Name from OperList where F_Code = :code");
const QString kOperatorPassword = QStringLiteral("select F_ID,F_PassWord from OperList where F_Code = :code");
const QString kSetPassword = QStringLiteral("update OperList set F_PassWord = :pass where F_ID = :id");

QLineEdit *passwordField(QWidget *parent, const QString &name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setEchoMode(QLineEdit::Password);
    return e;
}
} // namespace

TfrmModPass::TfrmModPass(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmModPass"));
    setWindowTitle(QStringLiteral("更改密码"));

    auto *heading = new QLabel(QStringLiteral("更改登录密码"), this);
    heading->setObjectName(QStringLiteral("Label2"));
    QFont f = heading->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    heading->setFont(f);

    QString name;
    if (TdmData *dm = TdmData::instance())
        name = dm->QueryString(kOperatorName, {{QStringLiteral("code"), Session::instance().sOperCode}});
    m_label1 = new QLabel(QStringLiteral("当前操作员：") + name, this);
    m_label1->setObjectName(QStringLiteral("Label1"));

    m_edtOldPass = passwordField(this, QStringLiteral("edtOldPass"));
    m_edtNewPass = passwordField(this, QStringLiteral("edtNewPass"));
    m_edtAdjustPass = passwordField(this, QStringLiteral("edtAdjustPass"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("旧密码："), m_edtOldPass);
    form->addRow(QStringLiteral("新密码："), m_edtNewPass);
    form->addRow(QStringLiteral("再输一遍："), m_edtAdjustPass);

    m_bitBtn1 = new QPushButton(QStringLiteral("确定(&O)"), this);
    m_bitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    m_bitBtn2 = new QPushButton(QStringLiteral("取消(&C)"), this);
    m_bitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_bitBtn1);
    buttons->addWidget(m_bitBtn2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_label1);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(340);

    connect(m_bitBtn1, &QPushButton::clicked, this, &TfrmModPass::BitBtn1Click);
    connect(m_bitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    m_edtOldPass->setFocus();
}

void TfrmModPass::BitBtn1Click()
{
    TdmData *dm = TdmData::instance();
    if (!dm)
        return;
    QSqlQuery q = dm->newQuery();
    if (!dm->OpenQuery(kOperatorPassword, q, {{QStringLiteral("code"), Session::instance().sOperCode}}))
        return;
    if (!q.next())
        return;
    const qint64 id = q.value(0).toLongLong();
    const QString stored = q.value(1).toString();
    q.finish();

    // The old password counts exactly as typed, blanks included.
    if (!Password::verify(stored, m_edtOldPass->text())) {
        ShowMess(QStringLiteral("旧口令输入错误，不能更改！"), MessWarning, this);
        return;
    }
    const QString newPass = m_edtNewPass->text().trimmed();
    if (newPass != m_edtAdjustPass->text().trimmed()) {
        ShowMess(QStringLiteral("新口令错误，不能更改！"), MessNotice, this);
        m_edtNewPass->clear();
        m_edtAdjustPass->clear();
        m_edtNewPass->setFocus();
        return;
    }
    // The login ignores blanks around the typed password, so the password is kept without them.
    if (!dm->ExecCommand(kSetPassword, {{QStringLiteral("pass"), Password::hash(newPass)}, {QStringLiteral("id"), id}}))
        return;
    ShowMess(QStringLiteral("更改口令成功！"), MessNotice, this);
    accept();
}

void TfrmModPass::keyPressEvent(QKeyEvent *event)
{
    if (moveFocusOnEnter(this, event))
        return;
    QDialog::keyPressEvent(event);
}
