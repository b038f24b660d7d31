// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error_display.h"

#include "base/dialogs.h"
#include "base/error.h"

#include <exception>

namespace kadmor {

namespace {

void report(const ErrorHandler& handler, const QString& text)
{
    if (handler)
        handler(text);
    else
        dialogs().message(BoxType::Error, text, Buttons::Ok);
}

} // namespace

bool runAction(const ErrorHandler& handler, const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const Error& error) {
        report(handler, error.text());
    } catch (const std::exception& error) {
        report(handler, QString::fromLocal8Bit(error.what()));
    }
    return false;
}

bool runAction(const std::function<void()>& action)
{
    return runAction(ErrorHandler{}, action);
}

} // namespace kadmor
