// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/sound/file_names.h"

#include "storage/error.h"

namespace kadmor {

bool staysInFolder(const QString& name)
{
    return !name.contains(u'/') && !name.contains(u'\\') && name != u"." && name != u"..";
}

QString soundFile(const QString& soundsFolder, const QString& name)
{
    if (!staysInFolder(name))
        throw Error(QStringLiteral("Název zvuku „%1“ ukazuje mimo složku se zvuky, proto jej nelze použít.").arg(name));
    return soundsFolder + name + QStringLiteral(".wav");
}

QString pictureFile(const QString& picturesFolder, const QString& name)
{
    if (!staysInFolder(name))
        throw Error(
            QStringLiteral("Název obrázku „%1“ ukazuje mimo složku s obrázky, proto jej nelze zobrazit.").arg(name));
    return picturesFolder + name;
}

} // namespace kadmor
