// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/package_rules.h"

#include "phrases/phrase_numbers.h"
#include "storage/controls_disabled.h"
#include "storage/schema.h"
#include "util/soubory.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace kadmor::package {

namespace {

constexpr qint64 blockSize = 512;

void addFile(QList<File>& files, QSet<QString>& listed, File::Folder folder, const QString& given, const QString& name)
{
    if (given.isEmpty())
        return;
    const QString key = QString::number(int(folder)) + u'/' + name;
    if (listed.contains(key))
        return;
    listed.insert(key);
    files.append(File{folder, name, given, allowedName(given)});
}

} // namespace

QList<Record> recordsOf(Table& collection, const QList<CollectedField>& fields)
{
    using Names = CollectedField::Names;
    QList<Record> records;
    ControlsDisabled suspended(collection);
    for (collection.first(); !collection.eof(); collection.next())
        records.append(
            {collectedName(collection, fields, Names::Picture), collectedName(collection, fields, Names::Sound)});
    return records;
}

bool allowedName(const QString& name)
{
    return isPlainFileName(name);
}

QString refusal(const QString& name)
{
    return QStringLiteral("Název souboru „%1“ ukazuje mimo svou složku, proto se tento soubor nepřenese.").arg(name);
}

QString soundFileName(const QString& sound)
{
    return sound + QStringLiteral(".wav");
}

QList<File> neededFiles(const QList<Record>& words, const QList<Record>& phrases)
{
    QList<File> files;
    for (const QString table : {schema::newWords::file, schema::newPhrases::file})
        files.append(File{File::Folder::Data, table, table, true});
    QSet<QString> listed;
    for (const Record& word : words) {
        addFile(files, listed, File::Folder::Pictures, word.picture, word.picture);
        addFile(files, listed, File::Folder::Sounds, word.sound, soundFileName(word.sound));
    }
    for (const Record& phrase : phrases)
        addFile(files, listed, File::Folder::Sounds, phrase.sound, soundFileName(phrase.sound));
    return files;
}

qint64 blocks(qint64 size)
{
    return (size + blockSize - 1) / blockSize * blockSize;
}

QString pathOf(const File& file, const Folders& folders)
{
    switch (file.folder) {
    case File::Folder::Data:
        return folders.data + file.name;
    case File::Folder::Pictures:
        return folders.pictures + file.name;
    case File::Folder::Sounds:
        return folders.sounds + file.name;
    }
    return {};
}

qint64 estimatedSize(const QList<File>& files, const Folders& folders)
{
    qint64 sum = 0;
    for (const File& file : files) {
        if (file.allowed)
            sum += fileSize(pathOf(file, folders), true);
    }
    return sum;
}

QString freePhraseSound(const QStringList& localPhraseSounds, const std::function<bool(const QString&)>& taken)
{
    qint64 highest = phrase_numbers::base;
    for (const QString& name : localPhraseSounds) {
        bool ok = false;
        const qint64 number = name.trimmed().toLongLong(&ok);
        if (ok && number < std::numeric_limits<int>::max())
            highest = std::max(highest, number);
    }
    QString candidate;
    do
        candidate = QString::number(++highest);
    while (taken(candidate));
    return candidate;
}

QString withTrailingSlash(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString startFolder(const QString& mediaRoot, const QString& userName, const QString& home)
{
    // Desktops mount a stick at mediaRoot/USER/LABEL; older systems at mediaRoot/LABEL.
    const QDir::Filters filters = QDir::Dirs | QDir::NoDotAndDotDot;
    QStringList disks;
    if (!userName.isEmpty()) {
        for (const QString& label : QDir(mediaRoot + u'/' + userName).entryList(filters, QDir::Name))
            disks.append(mediaRoot + u'/' + userName + u'/' + label);
    }
    for (const QString& label : QDir(mediaRoot).entryList(filters, QDir::Name)) {
        if (label != userName && !label.startsWith(QStringLiteral("cdrom")))
            disks.append(mediaRoot + u'/' + label);
    }
    for (const QString& disk : disks) {
        const QFileInfo info(disk);
        if (info.isWritable())
            return disk + QStringLiteral("/kadmor/");
    }
    return withTrailingSlash(home) + QStringLiteral("kadmor/");
}

bool belongsToInstallation(const QString& folder, const QStringList& installationFolders)
{
    const QString target = QFileInfo(folder).canonicalFilePath();
    if (target.isEmpty())
        return false;
    return std::any_of(installationFolders.begin(), installationFolders.end(),
                       [&target](const QString& own) { return QFileInfo(own).canonicalFilePath() == target; });
}

} // namespace kadmor::package
