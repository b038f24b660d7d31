// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/maintenance_rules.h"

#include "storage/layouts.h"
#include "util/tools.h"

#include <QDir>
#include <QFile>

namespace kadmor::maintenance {

QString confirmationCaption()
{
    return QStringLiteral("Smazání všech dat");
}

const QStringList& keptSounds()
{
    static const QStringList names = {QStringLiteral("mujzvuk.wav"), QStringLiteral("nosound.wav"),
                                      QStringLiteral("newzvuk.wav"), QStringLiteral("varovani.wav")};
    return names;
}

bool keptSound(const QString& fileName)
{
    return keptSounds().contains(fileName, Qt::CaseSensitive);
}

QStringList emptyFolder(const QString& folder, bool (*keep)(const QString& fileName))
{
    QStringList stayed;
    const QDir dir(folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : entries) {
        const QString path = dir.filePath(name);
        // A folder is an entry that cannot be deleted as a file; a link goes, not what it points to.
        const QFileInfo info(path);
        const bool isFolder = info.isDir() && !info.isSymLink();
        if ((keep && keep(name)) || isFolder || !QFile::remove(path))
            stayed.append(name);
    }
    return stayed;
}

const QStringList& everythingTemplates()
{
    static const QStringList names =
        layouts::filesOf(layouts::words()) + layouts::filesOf(layouts::grades()) + layouts::filesOf(layouts::phrases());
    return names;
}

const ListKind& wordList()
{
    static const ListKind kind{QStringLiteral("slovicka.txt"), QStringLiteral("Tisk slovíček"), 18};
    return kind;
}

const ListKind& phraseList()
{
    static const ListKind kind{QStringLiteral("fraze.txt"), QStringLiteral("Tisk frází"), 37};
    return kind;
}

QString listHeading(const QString& lessonBox)
{
    return QStringLiteral("lekce číslo: ") + lessonBox;
}

QString listLine(const QString& foreign, const QString& czech, int width)
{
    QString line = foreign;
    padRight(width, line);
    return line + czech;
}

} // namespace kadmor::maintenance
