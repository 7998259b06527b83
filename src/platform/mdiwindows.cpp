#include "mdiwindows.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

namespace Mdi {

namespace {
const QString kAreaName = QStringLiteral("mdiArea");

QMdiSubWindow *subWindowOf(QWidget *w)
{
    for (QWidget *p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
        if (auto *sub = qobject_cast<QMdiSubWindow *>(p))
            return sub;
    return nullptr;
}
} // namespace

QMdiArea *mainArea()
{
    const QList<QWidget *> tops = QApplication::topLevelWidgets();
    for (QWidget *top : tops) {
        if (auto *area = top->findChild<QMdiArea *>(kAreaName))
            return area;
    }
    return nullptr;
}

QWidget *findOpen(const QMetaObject &cls, QMdiArea *area)
{
    if (!area)
        area = mainArea();
    if (area) {
        const QList<QMdiSubWindow *> subs = area->subWindowList(QMdiArea::CreationOrder);
        for (QMdiSubWindow *sub : subs) {
            // A closed child is hidden until its deletion runs: it no longer counts as open.
            QWidget *w = sub->widget();
            if (w && w->metaObject() == &cls && !sub->isHidden())
                return w;
        }
    }
    const QList<QWidget *> tops = QApplication::topLevelWidgets();
    for (QWidget *top : tops)
        if (top->metaObject() == &cls && top->testAttribute(Qt::WA_DeleteOnClose) && !top->isHidden())
            return top;
    return nullptr;
}

void activate(QWidget *window)
{
    if (!window)
        return;
    if (QMdiSubWindow *sub = subWindowOf(window)) {
        if (sub->isMinimized())
            sub->showNormal();
        else
            sub->show();
        window->show();
        if (QMdiArea *area = sub->mdiArea())
            area->setActiveSubWindow(sub);
        sub->raise();
        window->setFocus();
        return;
    }
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
    window->setFocus();
}

void addChild(QWidget *window, QMdiArea *area)
{
    if (!window)
        return;
    if (!area)
        area = mainArea();
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (area) {
        QMdiSubWindow *sub = area->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowIcon(window->windowIcon());
        sub->show();
        area->setActiveSubWindow(sub);
        window->setFocus();
    } else {
        window->show();
    }
}

QWidget *openOrActivate(const QMetaObject &cls, const std::function<QWidget *()> &create, QMdiArea *area)
{
    if (QWidget *open = findOpen(cls, area)) {
        activate(open);
        return open;
    }
    QWidget *w = create();
    addChild(w, area);
    return w;
}

QAction *command(int code)
{
    QMdiArea *area = mainArea();
    if (!area)
        return nullptr;
    return area->window()->findChild<QAction *>(QStringLiteral("Action%1").arg(code));
}

} // namespace Mdi
