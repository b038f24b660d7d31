// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/data_aware/db_navigator.h"

#include <QIcon>

namespace kadmor {

// The navigator's button pictures, drawn here so that they look the same under every style.
QIcon navigatorIcon(DbNavigator::Action action, const QColor& colour);

} // namespace kadmor
