#include "tfrmmain.h"

#include "commandicon.h"
#include "commandtable.h"
#include "desktopprograms.h"
#include "productinfo.h"
#include "systemsettings.h"
#include "tfrmaboutinfo.h"
#include "tfrmbtnimage.h"
#include "tfrmoperlogin.h"

#include "data/numberformats.h"
#include "data/session.h"
#include "data/tdmdata.h"
#include "platform/dispformpos.h"
#include "platform/mdiwindows.h"
#include "platform/showmess.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace {
QString clockText(const QDateTime &t) { return QLatin1Char(' ') + t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }
} // namespace

TFrmMain::TFrmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(ProductInfo::title());
    setWindowIcon(CommandIcon::make(0, QStringLiteral("采")));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);

    buildCommands();
    buildMenus();
    buildStatusBar();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &TFrmMain::Timer1Timer);
    m_timer->start();

    DispFormPos(this, 2);
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::buildCommands()
{
    for (const CommandRow &row : commandTable()) {
        auto *action = new QAction(row.caption, this);
        action->setObjectName(row.objectName());
        action->setIcon(CommandIcon::make(row.code, row.caption));
        action->setProperty("category", row.category);
        action->setProperty("code", row.code);
        const int code = row.code;
        connect(action, &QAction::triggered, this, [this, code] {
            // A command the operator does not hold never runs, even when triggered from code.
            QAction *a = m_commands.value(code);
            const CommandRow *r = findCommand(code);
            if (a && r && a->isVisible())
                r->execute(*this);
        });
        m_commands.insert(row.code, action);
    }
}

void TFrmMain::addCommandEntries(QMenu *menu, std::initializer_list<int> codes)
{
    for (int code : codes) {
        if (code == 0)
            menu->addSeparator();
        else if (QAction *a = m_commands.value(code))
            menu->addAction(a);
    }
}

void TFrmMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    auto groupMenu = [&](int group, const QString &caption) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(QStringLiteral("mi%1").arg(group * 100));
        m->menuAction()->setObjectName(m->objectName() + QStringLiteral("Item"));
        m_groupMenus.insert(group, m);
        return m;
    };

    QMenu *mi100 = groupMenu(1, QStringLiteral("系统管理"));
    addCommandEntries(mi100, {101, 102, 103, 110, 0, 104, 105, 108, 109});
    m_excelMenu = mi100->addMenu(QStringLiteral("Excel 导入数据"));
    m_excelMenu->setObjectName(QStringLiteral("miExcel"));
    addCommandEntries(m_excelMenu, {106, 107});
    mi100->addSeparator();
    QAction *n43 = mi100->addAction(QStringLiteral("重新登录"));
    n43->setObjectName(QStringLiteral("N43"));
    connect(n43, &QAction::triggered, this, &TFrmMain::N43Click);
    QAction *n5 = mi100->addAction(QStringLiteral("退出系统"));
    n5->setObjectName(QStringLiteral("N5"));
    connect(n5, &QAction::triggered, this, &QWidget::close);

    addCommandEntries(groupMenu(2, QStringLiteral("基本资料")), {201, 202, 203, 0, 205, 204});
    addCommandEntries(groupMenu(3, QStringLiteral("业务管理")), {301, 302, 303, 304, 305, 0, 306, 307, 308, 309});
    addCommandEntries(groupMenu(4, QStringLiteral("报表中心")), {401, 402, 411, 0, 403, 404, 405, 406, 407, 408, 409, 410});
    addCommandEntries(groupMenu(5, QStringLiteral("采购分析")), {501, 502, 503, 504});

    m_windowMenu = bar->addMenu(QStringLiteral("窗体"));
    m_windowMenu->setObjectName(QStringLiteral("vWindows"));
    auto windowEntry = [&](const QString &name, const QString &caption, auto slot) {
        QAction *a = m_windowMenu->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    windowEntry(QStringLiteral("miCascade"), QStringLiteral("重叠"), [this] { m_mdiArea->cascadeSubWindows(); });
    windowEntry(QStringLiteral("miTileHorizontal"), QStringLiteral("横向重排"), [this] { tileChildren(Qt::Horizontal); });
    windowEntry(QStringLiteral("miTileVertical"), QStringLiteral("纵向重排"), [this] { tileChildren(Qt::Vertical); });
    m_windowMenu->addSeparator();
    windowEntry(QStringLiteral("miNext"), QStringLiteral("切换"), [this] { m_mdiArea->activateNextSubWindow(); });
    windowEntry(QStringLiteral("miClose"), QStringLiteral("关闭"), [this] { closeActiveChild(); });
    windowEntry(QStringLiteral("miCloseAll"), QStringLiteral("全部关闭"), [this] { closeAllChildren(); });
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TFrmMain::rebuildWindowList);

    QMenu *nFz = bar->addMenu(QStringLiteral("辅助"));
    nFz->setObjectName(QStringLiteral("nFz"));
    auto auxEntry = [&](const QString &name, const QString &caption, auto slot) {
        QAction *a = nFz->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
    };
    auxEntry(QStringLiteral("miCalculator"), QStringLiteral("计算器"), [this] { DesktopPrograms::startCalculator(this); });
    auxEntry(QStringLiteral("miNotepad"), QStringLiteral("笔记本"), [this] { DesktopPrograms::startEditor(this); });
    nFz->addSeparator();
    auxEntry(QStringLiteral("miHelp"), QStringLiteral("帮助文件"), [this] { DesktopPrograms::openHelp(this); });
    auxEntry(QStringLiteral("miAbout"), QStringLiteral("关于我们"), [this] {
        TfrmAboutInfo about(this);
        DispFormPos(&about, 1);
        about.exec();
    });
    auxEntry(QStringLiteral("miWebsite"), QStringLiteral("访问我们的网站"), [this] { DesktopPrograms::openWebsite(this); });

    QAction *n41 = bar->addAction(QStringLiteral("导航图"));
    n41->setObjectName(QStringLiteral("N41"));
    connect(n41, &QAction::triggered, this, [this] { openDesktop(); });
}

void TFrmMain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    const int widths[] = {60, 80, 100, 140, 50};
    const QString texts[] = {QStringLiteral(" 当前用户"), QString(), QStringLiteral(" 当前日期时间"), QString(),
                             QStringLiteral("v2.63 ")};
    for (int i = 0; i < 5; ++i) {
        auto *label = new QLabel(texts[i], bar);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setMinimumWidth(widths[i]);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        if (i == 4) {
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            bar->addPermanentWidget(label);
        } else {
            bar->addWidget(label);
        }
        m_panels << label;
    }
}

QString TFrmMain::statusText(int panel) const
{
    return panel >= 0 && panel < m_panels.size() ? m_panels.at(panel)->text() : QString();
}

void TFrmMain::Timer1Timer() { m_panels[3]->setText(clockText(QDateTime::currentDateTime())); }

bool TFrmMain::isGroupVisible(int group) const
{
    QMenu *m = m_groupMenus.value(group);
    return m && m->menuAction()->isVisible();
}

void TFrmMain::SetLimits()
{
    const Session &s = Session::instance();
    const bool admin = s.sOperCode.trimmed() == QLatin1String("000");
    for (auto it = m_commands.cbegin(); it != m_commands.cend(); ++it)
        it.value()->setVisible(admin || s.limitCodes.contains(QString::number(it.key())));
    updateMenuVisibility();
}

void TFrmMain::updateMenuVisibility()
{
    for (auto it = m_groupMenus.cbegin(); it != m_groupMenus.cend(); ++it) {
        bool any = false;
        for (auto c = m_commands.cbegin(); c != m_commands.cend(); ++c)
            if (c.key() / 100 == it.key() && c.value()->isVisible())
                any = true;
        it.value()->menuAction()->setVisible(any);
    }
    const QAction *imp1 = m_commands.value(106);
    const QAction *imp2 = m_commands.value(107);
    m_excelMenu->menuAction()->setVisible((imp1 && imp1->isVisible()) || (imp2 && imp2->isVisible()));
    if (m_desktop)
        m_desktop->refreshPages();
}

void TFrmMain::applyLogin()
{
    SetLimits();
    const Session &s = Session::instance();
    m_panels[1]->setText(s.sOperName);
    m_panels[3]->setText(QLatin1Char(' ') + QDate::currentDate().startOfDay().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void TFrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TFrmMain::FormShow()
{
    setWindowTitle(ProductInfo::title());
    openDesktop();
    const Session &s = Session::instance();
    m_panels[1]->setText(QLatin1Char(' ') + s.sOperName);
    m_panels[3]->setText(clockText(QDateTime::currentDateTime()));
    readSettings();
}

void TFrmMain::readSettings()
{
    Session &s = Session::instance();
    if (s.iniFile)
        SystemSettings::readConfig(*s.iniFile, s);
    if (TdmData *dm = TdmData::instance(); dm && dm->connected())
        SystemSettings::readSysInfo(*dm, s);
    NumberFormats::BuildNumberFormats();
}

TFrmBtnImage *TFrmMain::openDesktop()
{
    const bool fresh = !m_desktop || !Mdi::findOpen(TFrmBtnImage::staticMetaObject, m_mdiArea);
    m_desktop = Mdi::openOrActivate<TFrmBtnImage>(std::function<TFrmBtnImage *()>([this] { return new TFrmBtnImage(this); }),
                                                  m_mdiArea);
    if (fresh) {
        if (QMdiSubWindow *sub = qobject_cast<QMdiSubWindow *>(m_desktop->parentWidget())) {
            // The desktop fills the frame when it opens.
            const QRect area = m_mdiArea->viewport()->rect();
            if (area.width() > 200 && area.height() > 150)
                sub->setGeometry(area);
            else
                sub->resize(760, 480);
        }
    }
    m_desktop->refreshPages();
    return m_desktop;
}

void TFrmMain::closeActiveChild()
{
    QMdiSubWindow *sub = m_mdiArea->currentSubWindow();
    if (!sub)
        sub = m_mdiArea->activeSubWindow();
    if (sub)
        sub->close();
}

void TFrmMain::closeAllChildren()
{
    const QList<QMdiSubWindow *> subs = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (auto it = subs.crbegin(); it != subs.crend(); ++it) {
        QPointer<QMdiSubWindow> sub = *it;
        if (sub && sub->isVisible())
            sub->close();
    }
}

void TFrmMain::tileChildren(Qt::Orientation orientation)
{
    QList<QMdiSubWindow *> subs;
    for (QMdiSubWindow *sub : m_mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (sub->isVisible() && !sub->isMinimized())
            subs << sub;
    if (subs.isEmpty())
        return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int n = int(subs.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *sub = subs.at(i);
        if (sub->isMaximized())
            sub->showNormal();
        if (orientation == Qt::Horizontal) {
            // One above the other, each as wide as the frame.
            const int h = area.height() / n;
            sub->setGeometry(area.x(), area.y() + i * h, area.width(), i == n - 1 ? area.height() - i * h : h);
        } else {
            const int w = area.width() / n;
            sub->setGeometry(area.x() + i * w, area.y(), i == n - 1 ? area.width() - i * w : w, area.height());
        }
    }
}

void TFrmMain::rebuildWindowList()
{
    for (QAction *a : std::as_const(m_windowListActions)) {
        m_windowMenu->removeAction(a);
        a->deleteLater();
    }
    m_windowListActions.clear();
    const QList<QMdiSubWindow *> subs = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    QMdiSubWindow *current = m_mdiArea->currentSubWindow();
    int n = 0;
    for (QMdiSubWindow *sub : subs) {
        if (!sub->isVisible())
            continue;
        if (n == 0)
            m_windowListActions << m_windowMenu->addSeparator();
        ++n;
        QAction *a = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(n).arg(sub->windowTitle()));
        a->setCheckable(true);
        a->setChecked(sub == current);
        QPointer<QMdiSubWindow> target = sub;
        connect(a, &QAction::triggered, this, [target] {
            if (target)
                Mdi::activate(target->widget());
        });
        m_windowListActions << a;
    }
}

void TFrmMain::N43Click() { TfrmOperLogin::RunLogin(TfrmOperLogin::ReLogin, this); }

void TFrmMain::endProgram()
{
    m_endRequested = true;
    if (!close())
        m_endRequested = false;
}

void TFrmMain::closeEvent(QCloseEvent *event)
{
    if (!m_endRequested
        && ShowMess(QStringLiteral("真的要退出“") + ProductInfo::name() + QStringLiteral("”软件吗？"), MessQuestion, this) != 1) {
        event->ignore();
        return;
    }
    // Each child runs its own close checks (an unsaved document may refuse).
    closeAllChildren();
    for (QMdiSubWindow *sub : m_mdiArea->subWindowList())
        if (sub->isVisible()) {
            event->ignore();
            return;
        }
    event->accept();
}
