#pragma once

#include <QToolButton>

class QAction;

// A desktop button bound to a main-window command: it shows the command's caption and
// picture, runs it, and is shown or hidden with it.
class CommandButton : public QToolButton
{
    Q_OBJECT
public:
    enum Size { Large, Small };
    CommandButton(QAction *command, Size size, QWidget *parent = nullptr);

    QAction *command() const { return m_command; }

private:
    void followVisibility();

    QAction *m_command;
};
