// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/collection_copy.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// The rules of a lesson package: a flat folder with the two collection tables and every picture
// and sound they name. A package is data from another computer, so every name in it is checked
// before a file is read or written.
namespace kadmor::package {

// The file names one record of the collection gives: a word's picture and sound, or a phrase's
// sound (with an empty picture).
struct Record
{
    QString picture;
    QString sound;
};

// The picture and sound names of every record of an open collection table, read with its grids
// suspended.
QList<Record> recordsOf(Table& collection, const QList<CollectedField>& fields);

// One file of a package: where it lives on the installation and its name in the package folder.
struct File
{
    enum class Folder { Data, Pictures, Sounds };
    Folder folder = Folder::Data;
    QString name;  // as in the package folder: "newwords.dbf", "cat.bmp", "cat.wav"
    QString given; // the name the record gives (the sound name without ".wav")
    bool allowed = true;
};

// Whether a picture or sound name of a record may name a file in the package folder and in the
// pictures or sounds folder: no path separator of either kind, neither "." nor "..".
bool allowedName(const QString& name);
// The message for a record's file that is refused.
QString refusal(const QString& name);

// The sound file of a sound name.
QString soundFileName(const QString& sound);

// The files a package of the collection needs, in the order they are written: the two tables, then
// each word's picture and sound, then each phrase's sound. Empty names name no file; a file named
// by several records is listed once; a refused name is listed with allowed false.
QList<File> neededFiles(const QList<Record>& words, const QList<Record>& phrases);

// The room a file of this many bytes takes on a disk with 512-byte blocks.
qint64 blocks(qint64 size);

// The bytes a package needs: every allowed file, rounded to whole blocks, a missing file counting 0.
// Folders end with "/".
struct Folders
{
    QString data;
    QString pictures;
    QString sounds;
};
QString pathOf(const File& file, const Folders& folders);
qint64 estimatedSize(const QList<File>& files, const Folders& folders);

// The sound name for an incoming phrase whose own name is taken on this installation: one above the
// highest phrase number here (the highest whole number among the local phrase names, or the base),
// skipping every name that is taken.
QString freePhraseSound(const QStringList& localPhraseSounds, const std::function<bool(const QString&)>& taken);

// The folder field's text as a folder that file names can be appended to: with a trailing "/".
QString withTrailingSlash(const QString& folder);

// The folder the new-lesson field starts with: a "kadmor" folder on the first removable disk that
// the desktop mounted under mediaRoot (mediaRoot/USER/LABEL, or mediaRoot/LABEL), or in the home
// folder when no disk is mounted.
QString startFolder(const QString& mediaRoot, const QString& userName, const QString& home);

// Whether emptying the folder would delete files of this installation itself.
bool belongsToInstallation(const QString& folder, const QStringList& installationFolders);

} // namespace kadmor::package
