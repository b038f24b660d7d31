// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace kadmor {

// Lets the window handle its events until done() holds or the program is shutting down.
// Timer ticks, key handlers and the players' notices run inside; they talk to the waiting
// operation through flags that done() reads.
void waitUntil(const std::function<bool()>& done);

// Set when the main window closes; every wait then ends.
bool shuttingDown();
void setShuttingDown(bool on);

} // namespace kadmor
