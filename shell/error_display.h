// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace kadmor {

// The general error display: runs one user action and shows any failure it raises in an error
// box, which ends the action. Exceptions never reach Qt's event loop.
void runAction(const std::function<void()>& action);

} // namespace kadmor
