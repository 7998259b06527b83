#include "tdlgentercaption.h"

#include "platform/dispformpos.h"
#include "platform/showmess.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDLGenterCaption::TDLGenterCaption(QWidget *parent)
    : QDialog(parent), edtCurValue(new QLineEdit(this)), btnOk(new QPushButton(QStringLiteral("确定"), this)),
      btnCancel(new QPushButton(QStringLiteral("取消"), this))
{
    setObjectName(QStringLiteral("DLGenterCaption"));
    edtCurValue->setObjectName(QStringLiteral("edtCurValue"));
    edtCurValue->setMinimumWidth(240);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);

    auto *label = new QLabel(QStringLiteral("节点名称"), this);
    label->setBuddy(edtCurValue);
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edtCurValue, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(row);
    lay->addLayout(buttons);

    connect(btnOk, &QPushButton::clicked, this, &TDLGenterCaption::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TDLGenterCaption::btnOkClick()
{
    if (edtCurValue->text().trimmed().isEmpty()) {
        ShowMess(QStringLiteral("部门名称不能为空！"), MessNotice, this);
        edtCurValue->setFocus();
        return;
    }
    accept();
}

QString TDLGenterCaption::enteredText() const
{
    return QDialog::result() == QDialog::Accepted ? edtCurValue->text() : QString();
}

QString TDLGenterCaption::Execute(QWidget *parent, const QString &caption, const QString &preset)
{
    TDLGenterCaption dlg(parent);
    dlg.setWindowTitle(caption);
    dlg.edtCurValue->setText(preset);
    dlg.edtCurValue->selectAll();
    DispFormPos(&dlg, 1);
    dlg.exec();
    return dlg.enteredText();
}
