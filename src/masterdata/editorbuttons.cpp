#include "editorbuttons.h"

#include "listwindowbase.h"
#include "recordnavigator.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>

EditorButtons EditorButtons::create(QWidget *owner, bool continuousChecked)
{
    EditorButtons b{};
    b.continuous = new QCheckBox(QStringLiteral("连续新增"), owner);
    b.continuous->setObjectName(QStringLiteral("CheckBox1"));
    b.continuous->setChecked(continuousChecked);
    b.navigator = new RecordNavigator(owner);
    b.ok = new QPushButton(QStringLiteral("确定"), owner);
    b.ok->setObjectName(QStringLiteral("Button1"));
    b.ok->setAutoDefault(false);
    b.cancel = new QPushButton(QStringLiteral("取消"), owner);
    b.cancel->setObjectName(QStringLiteral("Button2"));
    b.cancel->setAutoDefault(false);
    b.layout = new QHBoxLayout;
    b.layout->addWidget(b.continuous);
    b.layout->addWidget(b.navigator);
    b.layout->addStretch(1);
    b.layout->addWidget(b.ok);
    b.layout->addWidget(b.cancel);
    return b;
}
