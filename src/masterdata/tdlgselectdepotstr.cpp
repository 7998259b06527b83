#include "tdlgselectdepotstr.h"

#include "data/depotfilter.h"
#include "data/tdmdata.h"
#include "platform/dispformpos.h"
#include "platform/showmess.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace {
const char *const DepotNames = "select f_name from t_code Where (f_type = 'depot') order by F_ID";
}

TDLGselectDepotSTR::TDLGselectDepotSTR(QWidget *parent)
    : QDialog(parent), CheckListBox1(new QListWidget(this)), btnOk(new QPushButton(QStringLiteral("确定"), this)),
      btnCancel(new QPushButton(QStringLiteral("取消"), this))
{
    setObjectName(QStringLiteral("DLGselectDepotSTR"));
    setWindowTitle(QStringLiteral("仓库选择"));
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    // Two columns: items flow top to bottom and wrap into a second column.
    CheckListBox1->setFlow(QListView::TopToBottom);
    CheckListBox1->setWrapping(true);
    CheckListBox1->setResizeMode(QListView::Adjust);
    CheckListBox1->setMinimumSize(320, 220);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(new QLabel(QStringLiteral("请从以下列表中勾选所需项目："), this));
    lay->addWidget(CheckListBox1, 1);
    lay->addLayout(buttons);

    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

int TDLGselectDepotSTR::loadDepots()
{
    CheckListBox1->clear();
    TdmData *dm = TdmData::instance();
    if (!dm || !dm->OpenQuery(QLatin1String(DepotNames), dm->QryPub()))
        return -1;
    QSqlQuery &q = dm->QryPub();
    while (q.next()) {
        const QString name = q.value(0).toString();
        // A blank entry names no depot and cannot be granted.
        if (name.trimmed().isEmpty())
            continue;
        auto *item = new QListWidgetItem(name, CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    q.finish();
    return CheckListBox1->count();
}

void TDLGselectDepotSTR::preCheck(const QString &input)
{
    QString text = input;
    text.replace(QStringLiteral("，"), QStringLiteral(","));
    // The names themselves are compared, so a depot whose name is part of a longer chosen name
    // is not checked by accident.
    const QStringList chosen = DepotFilter::parseStored(text);
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        QListWidgetItem *item = CheckListBox1->item(i);
        const bool on = chosen.contains(item->text().trimmed(), Qt::CaseInsensitive);
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
}

QStringList TDLGselectDepotSTR::depotNames() const
{
    QStringList out;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        out << CheckListBox1->item(i)->text();
    return out;
}

QString TDLGselectDepotSTR::checkedList() const
{
    QStringList names;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        if (CheckListBox1->item(i)->checkState() == Qt::Checked)
            names << CheckListBox1->item(i)->text();
    return DepotFilter::formatStored(names);
}

QString TDLGselectDepotSTR::Execute(QWidget *parent, const QString &input, const QString &caption)
{
    TDLGselectDepotSTR dlg(parent);
    if (!caption.isEmpty())
        dlg.setWindowTitle(caption);
    const int depots = dlg.loadDepots();
    if (depots < 0)
        return input;
    if (depots == 0) {
        ShowMess(QStringLiteral("没有项目选择！"), MessNotice, parent);
        return input;
    }
    dlg.preCheck(input);
    DispFormPos(&dlg, 1);
    if (dlg.exec() != QDialog::Accepted)
        return input;
    return dlg.checkedList();
}
