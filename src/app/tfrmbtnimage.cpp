#include "tfrmbtnimage.h"

#include "commandbutton.h"
#include "commandicon.h"
#include "tfrmmain.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct SectionDef {
    const char *heading;  // nullptr: no heading
    CommandButton::Size size;
    QList<int> codes;
};

struct PageDef {
    int group;
    const char *name;
    const char *title;
    QList<SectionDef> sections;
};

// The desktop's pages in their order, each with the commands of its buttons.
const QList<PageDef> &pageDefs()
{
    static const QList<PageDef> defs{
        {3, "tsBusiness", "业务管理",
         {{nullptr, CommandButton::Large, {305, 301, 302, 303, 304}},
          {nullptr, CommandButton::Small, {306, 309, 203, 307, 308, 202}}}},
        {4, "tsReports", "报表中心",
         {{"采购订单统计", CommandButton::Small, {401, 402, 411}},
          {"采购出库统计", CommandButton::Small, {403, 404, 405, 406}},
          {"应付帐款统计", CommandButton::Small, {409, 410}},
          {"采购开票统计", CommandButton::Small, {407, 408}}}},
        {5, "tsAnalysis", "采购分析", {{nullptr, CommandButton::Large, {501, 502, 503, 504}}}},
        {2, "tsBasic", "基本资料", {{nullptr, CommandButton::Large, {201, 202, 203, 205, 204}}}},
        {1, "tsSystem", "系统管理", {{nullptr, CommandButton::Large, {101, 102, 103, 107, 106, 105, 104, 110}}}},
    };
    return defs;
}

} // namespace

TFrmBtnImage::TFrmBtnImage(TFrmMain *main, QWidget *parent) : QWidget(parent), m_main(main)
{
    setObjectName(QStringLiteral("FrmBtnImage"));
    setWindowTitle(QStringLiteral("桌面"));
    setWindowIcon(CommandIcon::make(0, QStringLiteral("桌")));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setTabPosition(QTabWidget::West);
    m_pages->setDocumentMode(true);
    layout->addWidget(m_pages);

    for (const PageDef &def : pageDefs()) {
        Page page;
        page.group = def.group;
        auto *scroll = new QScrollArea;
        scroll->setObjectName(QString::fromLatin1(def.name));
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        auto *content = new QWidget;
        content->setObjectName(QString::fromLatin1(def.name) + QStringLiteral("Content"));
        auto *v = new QVBoxLayout(content);
        v->setContentsMargins(24, 18, 24, 18);
        v->setSpacing(10);
        for (const SectionDef &sdef : def.sections) {
            Section section;
            if (sdef.heading) {
                section.heading = new QLabel(QString::fromUtf8(sdef.heading), content);
                QFont f = section.heading->font();
                f.setBold(true);
                f.setPointSizeF(f.pointSizeF() * 1.15);
                section.heading->setFont(f);
                v->addWidget(section.heading);
            }
            auto *grid = new QGridLayout;
            grid->setHorizontalSpacing(12);
            grid->setVerticalSpacing(8);
            const int columns = sdef.size == CommandButton::Large ? 5 : 4;
            int n = 0;
            for (int code : sdef.codes) {
                QAction *command = main ? main->command(code) : nullptr;
                if (!command)
                    continue;
                auto *button = new CommandButton(command, sdef.size, content);
                grid->addWidget(button, n / columns, n % columns, Qt::AlignLeft | Qt::AlignTop);
                section.buttons << button;
                ++n;
            }
            grid->setColumnStretch(columns, 1);
            v->addLayout(grid);
            page.sections << section;
        }
        v->addStretch(1);
        scroll->setWidget(content);
        page.widget = scroll;
        m_pages->addTab(scroll, QString::fromUtf8(def.title));
        m_pageList << page;
    }
}

QWidget *TFrmBtnImage::page(int group) const
{
    for (const Page &p : m_pageList)
        if (p.group == group)
            return p.widget;
    return nullptr;
}

void TFrmBtnImage::refreshPages()
{
    for (const Page &p : std::as_const(m_pageList)) {
        const int index = m_pages->indexOf(p.widget);
        m_pages->setTabVisible(index, m_main && m_main->isGroupVisible(p.group));
        for (const Section &s : p.sections) {
            if (!s.heading)
                continue;
            bool any = false;
            for (const CommandButton *b : s.buttons)
                any = any || b->command()->isVisible();
            s.heading->setVisible(any);
        }
    }
    // Show a visible page when the current one was hidden.
    if (!m_pages->isTabVisible(m_pages->currentIndex()))
        for (int i = 0; i < m_pages->count(); ++i)
            if (m_pages->isTabVisible(i)) {
                m_pages->setCurrentIndex(i);
                break;
            }
}

void TFrmBtnImage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refreshPages();
}
