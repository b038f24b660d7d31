// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kadmor::bench {

// The yardstick of the storage benchmarks: shapelib reading every field of every record.
void shapelibRead(const QString& path);

} // namespace kadmor::bench
