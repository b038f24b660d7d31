// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_icon.h"

#include <QDir>
#include <QFileInfo>

namespace kadmor::desktop {

QIcon programIcon()
{
    QIcon icon;
    const QDir theme(QStringLiteral(":/icons/hicolor"));
    for (const QString& size : theme.entryList(QDir::Dirs)) {
        const QString png = theme.filePath(size + QStringLiteral("/apps/" KADMOR_APP_ID ".png"));
        if (QFileInfo::exists(png))
            icon.addFile(png);
    }
    return icon;
}

} // namespace kadmor::desktop
