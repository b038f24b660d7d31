// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/error_display.h"

#include "shell/dialogs.h"
#include "storage/error.h"

#include <exception>

namespace kadmor {

void runAction(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& error) {
        dialogs().message(BoxType::Error, error.text(), Buttons::Ok);
    } catch (const std::exception& error) {
        dialogs().message(BoxType::Error, QString::fromLocal8Bit(error.what()), Buttons::Ok);
    }
}

} // namespace kadmor
