// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kadmor::bench {

// A word table of `count` random words spread over `lessons` lessons, written straight after an
// empty table's header in one go instead of `count` posts. The same seed gives the same words.
void generateWordTable(const QString& path, int count, int lessons);

} // namespace kadmor::bench
