#include "tdlgeditgoodtype.h"

#include "goodstypepicker.h"

#include "platform/showmess.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TDlgEditGoodType::TDlgEditGoodType(QWidget *parent) : QDialog(parent), m_picker(GoodsTypePicker::pick)
{
    setObjectName(QStringLiteral("DlgEditGoodType"));
    setWindowTitle(QStringLiteral("批量修改货品类型"));
    edtType = new QLineEdit(this);
    edtType->setObjectName(QStringLiteral("edtType"));
    edtType->setReadOnly(true);
    edtType->setMinimumWidth(260);
    QAction *button = edtType->addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView), QLineEdit::TrailingPosition);
    button->setObjectName(QStringLiteral("edtTypeButton"));
    button->setToolTip(QStringLiteral("选择商品类型"));
    connect(button, &QAction::triggered, this, &TDlgEditGoodType::pickType);
    auto *label = new QLabel(QStringLiteral("商品类型："), this);
    label->setBuddy(edtType);

    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TDlgEditGoodType::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edtType, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(row);
    lay->addLayout(buttons);
}

QString TDlgEditGoodType::typeText() const
{
    return edtType->text();
}

void TDlgEditGoodType::pickType()
{
    if (m_picker)
        edtType->setText(m_picker(this, edtType->text()));
}

void TDlgEditGoodType::BitBtn1Click()
{
    if (edtType->text().trimmed().isEmpty()) {
        ShowMess(QStringLiteral("商品类型名称不能为空！"), MessNotice, this);
        edtType->setFocus();
        return;
    }
    accept();
}

QString TDlgEditGoodType::chooseType()
{
    return exec() == QDialog::Accepted ? edtType->text() : QString();
}
