// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/focus_watcher.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QWidget>

namespace kadmor {

namespace {

// The control that holds each window's focus as far as entering and leaving go. The window's
// focus widget stays recorded while a box over the window has the focus, so that the return of
// the focus to the window is compared with the control it left, not with the box.
class FocusTrail : public QObject
{
  public:
    static void follow()
    {
        static QPointer<FocusTrail> trail;
        if (!trail)
            trail = new FocusTrail(QCoreApplication::instance());
    }

  private:
    explicit FocusTrail(QObject* application) : QObject(application)
    {
        connect(qApp, &QApplication::focusChanged, this, &FocusTrail::focusChanged);
    }

    // A control is a watched widget together with its inner widgets (the entry of a combo box).
    static QWidget* controlOf(QWidget* widget)
    {
        for (QWidget* w = widget; w != nullptr; w = w->isWindow() ? nullptr : w->parentWidget()) {
            if (w->findChild<FocusWatcher*>(QString(), Qt::FindDirectChildrenOnly))
                return w;
        }
        return widget;
    }

    void focusChanged(QWidget*, QWidget* now)
    {
        // No focus at all: the application lost activation; it comes back to where it was.
        if (now == nullptr)
            return;
        QWidget* window = now->window();
        QWidget* control = controlOf(now);
        QPointer<QWidget>& held = heldControl(window);
        if (held == control)
            return;
        const QPointer<QWidget> previous = held;
        held = control;
        // Handlers may open boxes, which record their own windows: look the window up again.
        if (previous) {
            if (FocusWatcher* watcher = previous->findChild<FocusWatcher*>(QString(), Qt::FindDirectChildrenOnly))
                emit watcher->left();
        }
        // A leave handler may have moved the focus on; then the control was never entered.
        if (m_held.value(window) != control)
            return;
        if (FocusWatcher* watcher = control->findChild<FocusWatcher*>(QString(), Qt::FindDirectChildrenOnly))
            emit watcher->entered();
    }

    QPointer<QWidget>& heldControl(QWidget* window)
    {
        auto found = m_held.find(window);
        if (found == m_held.end()) {
            connect(window, &QObject::destroyed, this, [this, window] { m_held.remove(window); });
            found = m_held.insert(window, nullptr);
        }
        return *found;
    }

    QHash<const QWidget*, QPointer<QWidget>> m_held;
};

} // namespace

FocusWatcher::FocusWatcher(QWidget* widget) : QObject(widget)
{
    FocusTrail::follow();
}

FocusWatcher* FocusWatcher::of(QWidget* widget)
{
    if (auto* watcher = widget->findChild<FocusWatcher*>(QString(), Qt::FindDirectChildrenOnly))
        return watcher;
    return new FocusWatcher(widget);
}

} // namespace kadmor
