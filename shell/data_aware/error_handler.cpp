// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/data_aware/error_handler.h"

#include "shell/dialogs.h"
#include "storage/error.h"

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

bool runGuarded(const ErrorHandler& handler, const std::function<void()>& action)
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

} // namespace kadmor
