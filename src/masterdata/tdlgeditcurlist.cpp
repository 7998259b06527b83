#include "tdlgeditcurlist.h"

#include "platform/dispformpos.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDLGeditCurList::TDLGeditCurList(QWidget *parent)
    : QDialog(parent), edtCurValue(new QLineEdit(this)), btnOk(new QPushButton(QStringLiteral("确定"), this)),
      btnCancel(new QPushButton(QStringLiteral("取消"), this))
{
    setObjectName(QStringLiteral("DLGeditCurList"));
    setWindowTitle(QStringLiteral("批量修改当前列"));
    edtCurValue->setObjectName(QStringLiteral("edtCurValue"));
    edtCurValue->setMinimumWidth(260);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);

    auto *label = new QLabel(QStringLiteral("请输入要填写的字段值："), this);
    label->setBuddy(edtCurValue);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(label);
    lay->addWidget(edtCurValue);
    lay->addLayout(buttons);

    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TDLGeditCurList::enteredText() const
{
    return QDialog::result() == QDialog::Accepted ? edtCurValue->text() : QString();
}

QString TDLGeditCurList::Execute(QWidget *parent)
{
    TDLGeditCurList dlg(parent);
    DispFormPos(&dlg, 1);
    dlg.exec();
    return dlg.enteredText();
}
