#include "commandbutton.h"

#include <QAction>

CommandButton::CommandButton(QAction *command, Size size, QWidget *parent) : QToolButton(parent), m_command(command)
{
    setObjectName(QStringLiteral("btn") + command->objectName());
    setDefaultAction(command);
    setAutoRaise(true);
    if (size == Large) {
        setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        setIconSize(QSize(48, 48));
        setFixedSize(112, 92);
    } else {
        setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        setIconSize(QSize(24, 24));
        setFixedSize(168, 36);
    }
    connect(command, &QAction::visibleChanged, this, &CommandButton::followVisibility);
    followVisibility();
}

void CommandButton::followVisibility() { setVisible(m_command->isVisible()); }
