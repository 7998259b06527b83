#include "tfrmdispfieldxz.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFrmDispFieldXZ::TFrmDispFieldXZ(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFrmDispFieldXZ"));
    setWindowTitle(QStringLiteral("字段列表"));
    // No title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    btnOK = new QPushButton(QStringLiteral("确定"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(CheckListBox1, 1);
    layout->addLayout(buttons);
    resize(300, 360);

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    // Esc also cancels (QDialog::reject).
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmDispFieldXZ::addField(const QString &caption, bool checked)
{
    auto *item = new QListWidgetItem(caption, CheckListBox1);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

int TFrmDispFieldXZ::fieldCount() const
{
    return CheckListBox1->count();
}

bool TFrmDispFieldXZ::isChecked(int i) const
{
    const QListWidgetItem *item = CheckListBox1->item(i);
    return item && item->checkState() == Qt::Checked;
}

void TFrmDispFieldXZ::setChecked(int i, bool checked)
{
    if (QListWidgetItem *item = CheckListBox1->item(i))
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}
