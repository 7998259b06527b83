#pragma once

#include <QList>
#include <QWidget>

class QLabel;
class QTabWidget;
class CommandButton;
class TFrmMain;

// The navigation desktop: one page per menu group, with buttons bound to the main window's
// commands. A hidden command hides its button; a page is shown exactly when its menu group is.
class TFrmBtnImage : public QWidget
{
    Q_OBJECT
public:
    explicit TFrmBtnImage(TFrmMain *main, QWidget *parent = nullptr);

    QTabWidget *pageControl() const { return m_pages; }

    // Page and heading visibility from the main window's menus and commands.
    void refreshPages();

    // The page of a menu group (1 系统管理 ... 5 采购分析), nullptr when unknown.
    QWidget *page(int group) const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Section {
        QLabel *heading = nullptr;
        QList<CommandButton *> buttons;
    };
    struct Page {
        int group = 0;
        QWidget *widget = nullptr;
        QList<Section> sections;
    };

    TFrmMain *m_main;
    QTabWidget *m_pages = nullptr;
    QList<Page> m_pageList;
};
