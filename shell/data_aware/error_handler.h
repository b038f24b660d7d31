// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace kadmor {

// Where a bound control sends the text of a failed table operation. The main window passes its
// general error display; without one the text is shown in an error box.
using ErrorHandler = std::function<void(const QString&)>;

// Runs one user action of a bound control. Exceptions must never reach Qt's event loop, so every
// failure ends here and its text goes to the handler. Returns whether the action completed.
bool runGuarded(const ErrorHandler& handler, const std::function<void()>& action);

} // namespace kadmor
