// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/shortcut_focus.h"

#include <QAbstractButton>
#include <QEvent>

namespace kadmor {

namespace {

class ShortcutFocus : public QObject
{
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Shortcut)
            return false;
        auto* button = static_cast<QAbstractButton*>(watched);
        if ((button->focusPolicy() & Qt::ClickFocus) == 0 || button->hasFocus())
            return false;
        button->setFocus(Qt::ShortcutFocusReason);
        // A leave handler that hid or disabled the button has taken the click away, as from the mouse.
        return !button->isVisible() || !button->isEnabled();
    }
};

} // namespace

void focusButtonsOnShortcut(QWidget* window)
{
    auto* filter = new ShortcutFocus(window);
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        button->installEventFilter(filter);
}

} // namespace kadmor
