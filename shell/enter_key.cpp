// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/enter_key.h"

#include <QKeyEvent>
#include <QPushButton>

namespace kadmor {

namespace {

class EnterPressesButton : public QObject
{
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        // A held key presses the button once.
        if (!key->isAutoRepeat())
            static_cast<QPushButton*>(watched)->click();
        return true;
    }
};

} // namespace

void pressButtonsOnEnter(QWidget* window)
{
    auto* filter = new EnterPressesButton(window);
    for (QPushButton* button : window->findChildren<QPushButton*>())
        button->installEventFilter(filter);
}

} // namespace kadmor
