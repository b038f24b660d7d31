// SPDX-License-Identifier: GPL-3.0-or-later
#include "phrases/phrase_numbers.h"

#include "base/error.h"

#include <limits>

namespace kadmor::phrase_numbers {

QString next(const QString& highest)
{
    const QString name = highest.trimmed();
    if (name.isEmpty())
        return QString::number(base + 1);
    bool ok = false;
    const int number = name.toInt(&ok); // a whole number as the conversion takes it: 32 bits
    if (!ok || number == std::numeric_limits<int>::max())
        throw Error(QStringLiteral("„%1“ není platné celé číslo.").arg(highest));
    return QString::number(number + 1);
}

} // namespace kadmor::phrase_numbers
