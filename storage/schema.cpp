// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/schema.h"

namespace kadmor::schema::grades {

QString slotField(int slot)
{
    Q_ASSERT(slot >= 0 && slot < slotCount);
    constexpr int letters = 'Z' - 'A' + 1;
    if (slot < letters)
        return QString(QLatin1Char(char('A' + slot)));
    return slot == letters ? QStringLiteral("É") : QStringLiteral("Á");
}

} // namespace kadmor::schema::grades
