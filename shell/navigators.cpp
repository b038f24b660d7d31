// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/navigators.h"

namespace kadmor::navigators {

void browse(DbNavigator* navigator, Table* table)
{
    navigator->setTable(table);
    navigator->setActions({DbNavigator::First, DbNavigator::Prior, DbNavigator::Next, DbNavigator::Last});
    navigator->setHints({QStringLiteral("první"), QStringLiteral("předcházející"), QStringLiteral("další"),
                         QStringLiteral("poslední")});
}

void full(DbNavigator* navigator, Table* table, const QStringList& hints)
{
    navigator->setTable(table);
    navigator->setActions({DbNavigator::First, DbNavigator::Prior, DbNavigator::Next, DbNavigator::Last,
                           DbNavigator::Insert, DbNavigator::Delete, DbNavigator::Edit, DbNavigator::Post,
                           DbNavigator::Cancel, DbNavigator::Refresh});
    navigator->setHints(hints);
}

} // namespace kadmor::navigators
