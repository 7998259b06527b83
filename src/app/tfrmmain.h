#pragma once

#include <QMainWindow>
#include <QMap>
#include <QPointer>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class TFrmBtnImage;

// The main window: an MDI frame whose menus carry the commands of the command table, the
// window and auxiliary menus, the navigation desktop and a status bar with a running clock.
class TFrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFrmMain(QWidget *parent = nullptr);
    ~TFrmMain() override;

    QMdiArea *mdiArea() const { return m_mdiArea; }

    // The action "ActionNNN" of a command, nullptr when the program has no such command.
    QAction *command(int code) const { return m_commands.value(code); }
    // The top menu of a command group (1 mi100 ... 5 mi500).
    QMenu *groupMenu(int group) const { return m_groupMenus.value(group); }
    bool isGroupVisible(int group) const;

    // Shows the commands the operator's role holds (all for "000") and the menus that keep at
    // least one command; the desktop follows. Reads the permissions the login put into the
    // session.
    void SetLimits();

    // The main window's part of a successful login: permissions and status bar.
    void applyLogin();

    // What the window does when it is shown for the first time: title, desktop, status bar,
    // settings from Config.ini and SysInfo, display formats.
    void FormShow();

    // Opens the navigation desktop or brings it to the front.
    TFrmBtnImage *openDesktop();

    // Closes the active MDI child / every child from the last to the first. A child that
    // refuses to close stays open; the others are still asked.
    void closeActiveChild();
    void closeAllChildren();

    // Ends the program without the exit question (used after a new connection was set).
    void endProgram();
    bool endRequested() const { return m_endRequested; }

    QString statusText(int panel) const;

    // "重新登录": the login again, in re-login mode.
    void N43Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildCommands();
    void buildMenus();
    void buildStatusBar();
    void addCommandEntries(QMenu *menu, std::initializer_list<int> codes);
    void updateMenuVisibility();
    void tileChildren(Qt::Orientation orientation);
    void rebuildWindowList();
    void Timer1Timer();
    void readSettings();

    QMdiArea *m_mdiArea = nullptr;
    QMap<int, QAction *> m_commands;
    QMap<int, QMenu *> m_groupMenus;
    QMenu *m_excelMenu = nullptr;
    QMenu *m_windowMenu = nullptr;
    QList<QAction *> m_windowListActions;
    QList<QLabel *> m_panels;
    QTimer *m_timer = nullptr;
    QPointer<TFrmBtnImage> m_desktop;
    bool m_shown = false;
    bool m_endRequested = false;
};
