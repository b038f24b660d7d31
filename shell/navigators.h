// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/data_aware/db_navigator.h"

#include <QList>
#include <QStringList>

namespace kadmor {

class Table;

// The button sets and hints the pages' navigators share.
namespace navigators {

// First, prior, next and last, with the hints "první" … "poslední".
void browse(DbNavigator* navigator, Table* table);
// All ten buttons with the given hints.
void full(DbNavigator* navigator, Table* table, const QStringList& hints);

} // namespace navigators
} // namespace kadmor
