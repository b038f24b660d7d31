// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kadmor {

// The Czech reason for a system error number, as the engine's messages end with it.
QString systemErrorText(int error);

} // namespace kadmor
