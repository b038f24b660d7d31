// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace testkit {

// Whether the test runs on an X server with a window manager, which activates windows and gives
// the focus back to a window when a box over it closes, as on a desktop.
bool windowManagerRuns();

inline constexpr const char* windowManagerNeeded =
    "needs an X server with a window manager: run scripts/test, or source scripts/x-server and call "
    "start_x_server before ctest";

} // namespace testkit
