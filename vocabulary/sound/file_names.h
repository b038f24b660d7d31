// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kadmor {

// Sound and picture names come from the tables, which other installations fill (lesson packages).
// A name that would reach outside its folder (a path separator, "." or "..") is refused with an
// Error before any file is opened or written; the empty name passes (it names ".wav", or no picture).
void requireSoundName(const QString& name);
void requirePictureName(const QString& name);

// The file of a sound (sounds/NAME.wav) or a picture (pictures/NAME) in the application folder,
// given with its trailing "/"; a name refused above raises its Error instead.
QString soundPath(const QString& applicationFolderSlash, const QString& name);
QString picturePath(const QString& applicationFolderSlash, const QString& name);

} // namespace kadmor
