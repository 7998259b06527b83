#pragma once

#include <QMetaObject>

#include <functional>

class QAction;
class QMdiArea;
class QWidget;

// The rule for MDI child windows: at most one open window per class; asking for an open one
// brings it to the front (restored when minimised). Every child is destroyed when it closes.
//
//   auto *w = Mdi::openOrActivate<TFrmGoodGl>();                   // new TFrmGoodGl() when none is open
//   auto *c = Mdi::openOrActivate<TfrmCltMan>([] { return new TfrmCltMan(0); });
//
// Usable from every window: the main window's MDI area is found by its object name "mdiArea".
namespace Mdi {

// The MDI area of the application's main window, or nullptr while there is none.
QMdiArea *mainArea();

// The open window whose class is exactly `cls` (not a subclass), or nullptr. Looks in the given
// area (default: the main area) and among top-level windows.
QWidget *findOpen(const QMetaObject &cls, QMdiArea *area = nullptr);

// Brings an open window to the front: restores it when minimised, shows it when hidden,
// activates it and gives it the focus.
void activate(QWidget *window);

// Puts a new window into the area as a child that is destroyed when it closes, and shows it.
// Without an area the window is shown as a top-level window with the same lifetime rule.
void addChild(QWidget *window, QMdiArea *area = nullptr);

// The open window of class `cls`, activated; otherwise the window made by `create`, added as a
// child of the area.
QWidget *openOrActivate(const QMetaObject &cls, const std::function<QWidget *()> &create, QMdiArea *area = nullptr);

template <class T>
T *openOrActivate(const std::function<T *()> &create, QMdiArea *area = nullptr)
{
    return static_cast<T *>(openOrActivate(T::staticMetaObject, [&create]() -> QWidget * { return create(); }, area));
}

template <class T>
T *openOrActivate(QMdiArea *area = nullptr)
{
    return openOrActivate<T>(std::function<T *()>([] { return new T(); }), area);
}

// The main window's command "ActionNNN" for a permission code such as 304 (nullptr when the
// program has no such command). Its visibility tells whether the operator holds the code.
QAction *command(int code);

} // namespace Mdi
