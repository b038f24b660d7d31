// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/confirmation_number.h"

namespace kadmor {

QString confirmationPrompt()
{
    return QStringLiteral("Pro výmaz zadej číslo: ") + QLatin1String(confirmationNumber);
}

bool confirmed(const QString& typed)
{
    return typed == QLatin1String(confirmationNumber);
}

} // namespace kadmor
