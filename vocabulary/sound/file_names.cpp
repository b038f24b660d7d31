// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/sound/file_names.h"

#include "base/error.h"
#include "util/soubory.h"

namespace kadmor {

void requireSoundName(const QString& name)
{
    if (!isPlainFileName(name))
        throw Error(QStringLiteral("Název zvuku „%1“ ukazuje mimo složku se zvuky, proto jej nelze použít.").arg(name));
}

void requirePictureName(const QString& name)
{
    if (!isPlainFileName(name))
        throw Error(
            QStringLiteral("Název obrázku „%1“ ukazuje mimo složku s obrázky, proto jej nelze zobrazit.").arg(name));
}

QString soundPath(const QString& applicationFolderSlash, const QString& name)
{
    requireSoundName(name);
    return applicationFolderSlash + QStringLiteral("sounds/") + name + QStringLiteral(".wav");
}

QString picturePath(const QString& applicationFolderSlash, const QString& name)
{
    requirePictureName(name);
    return applicationFolderSlash + QStringLiteral("pictures/") + name;
}

} // namespace kadmor
