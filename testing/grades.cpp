// SPDX-License-Identifier: GPL-3.0-or-later
#include "testing/grades.h"

#include <algorithm>

namespace kadmor::grades {

Count recount(const Slots& filled)
{
    Count result;
    int sum = 0;
    for (int value : filled) {
        if (value == 0)
            continue;
        ++result.count;
        sum += value;
    }
    if (result.count > 0)
        result.average = double(sum) / result.count;
    return result;
}

std::optional<int> finalGrade(const Slots& filled, std::optional<int> storedCount)
{
    if (!storedCount || *storedCount <= 0)
        return std::nullopt;
    long long sum = 0;
    for (int value : filled)
        sum += value;
    // floor(sum / count + 1/2) in whole numbers, so that 2.5 gives 3 without a rounding doubt.
    const long long count = *storedCount;
    return int((2 * sum + count) / (2 * count));
}

int firstEmptySlot(const Slots& filled)
{
    const auto blank = std::find(filled.begin(), filled.end(), 0);
    return blank == filled.end() ? -1 : int(blank - filled.begin());
}

QString ordinal(int number)
{
    return QString::number(number) + QLatin1Char('.');
}

} // namespace kadmor::grades
