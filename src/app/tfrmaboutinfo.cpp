#include "tfrmaboutinfo.h"

#include "productinfo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmAboutInfo::TfrmAboutInfo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAboutInfo"));
    setWindowTitle(QStringLiteral("关于我们"));

    auto *title = new QLabel(ProductInfo::name().trimmed(), this);
    title->setObjectName(QStringLiteral("lblProduct"));
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    title->setFont(f);
    auto *version = new QLabel(QStringLiteral("版本：") + ProductInfo::version(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto *text = new QLabel(QStringLiteral(
        "面向中小企业的采购管理软件：供应商、货品、仓库、员工资料，采购订单、采购入库、采购退货、"
        "采购开票、采购付款等单据的录入、审核与打印，以及订单执行、供货、开票、付款、应付帐款和"
        "期间采购的查询、统计与分析。\n\n"
        "多台电脑可以通过网络共用一个数据库。\n\n"
        "本软件按 GNU 通用公共许可证第三版或更高版本（GPL-3.0-or-later）发布。"),
        this);
    text->setObjectName(QStringLiteral("lblText"));
    text->setWordWrap(true);
    auto *qt = new QLabel(QStringLiteral("基于 Qt %1").arg(QString::fromLatin1(qVersion())), this);
    qt->setObjectName(QStringLiteral("lblQt"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOk"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addSpacing(8);
    layout->addWidget(text);
    layout->addWidget(qt);
    layout->addWidget(buttons);
    setFixedWidth(420);
}
