// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace kadmor {

// Where the text of a failure goes; an empty one stands for an error box.
using ErrorHandler = std::function<void(const QString&)>;

// The general error display: runs one user action and sends the text of any failure it raises to
// the handler (an error box when there is none), which ends the action. Exceptions never reach
// Qt's event loop. Returns whether the action completed.
bool runAction(const ErrorHandler& handler, const std::function<void()>& action);
bool runAction(const std::function<void()>& action);

} // namespace kadmor
