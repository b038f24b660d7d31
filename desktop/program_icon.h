// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace kadmor::desktop {

// The program's icon for its windows: the PNGs drawn at build time and compiled into the program,
// so that a program started from a build folder shows it as well as an installed one.
QIcon programIcon();

} // namespace kadmor::desktop
