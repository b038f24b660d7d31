// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/focus_watcher.h"

#include <QFocusEvent>
#include <QWidget>

namespace kadmor {

namespace {

bool movesBetweenControls(const QFocusEvent& event)
{
    return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

} // namespace

FocusWatcher::FocusWatcher(QWidget* widget) : QObject(widget)
{
    widget->installEventFilter(this);
}

FocusWatcher* FocusWatcher::of(QWidget* widget)
{
    if (auto* watcher = widget->findChild<FocusWatcher*>(QString(), Qt::FindDirectChildrenOnly))
        return watcher;
    return new FocusWatcher(widget);
}

bool FocusWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && movesBetweenControls(static_cast<QFocusEvent&>(*event)))
        emit entered();
    else if (event->type() == QEvent::FocusOut && movesBetweenControls(static_cast<QFocusEvent&>(*event)))
        emit left();
    return QObject::eventFilter(watched, event);
}

} // namespace kadmor
