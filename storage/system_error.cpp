// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/system_error.h"

#include <cerrno>
#include <cstring>

namespace kadmor {

QString systemErrorText(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("soubor neexistuje");
    case EACCES:
    case EPERM:
        return QStringLiteral("chybí oprávnění");
    case ENOSPC:
        return QStringLiteral("disk je plný");
    case EROFS:
    case EBADF:
        return QStringLiteral("tabulka nebo disk je jen pro čtení");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

} // namespace kadmor
