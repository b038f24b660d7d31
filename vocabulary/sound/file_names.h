// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kadmor {

// Sound and picture names come from the tables, which other installations fill (lesson packages).
// A name stays inside its folder when it has no path separator ("/" or "\") and is not "." or "..";
// the empty name stays inside too (it names the file ".wav", or no picture).
bool staysInFolder(const QString& name);

// The file of a sound name in the sounds folder (given with its trailing "/"): folder + name +
// ".wav". A name that would reach outside the folder is refused with an Error.
QString soundFile(const QString& soundsFolder, const QString& name);

// The file of a picture name in the pictures folder (given with its trailing "/"). A name that
// would reach outside the folder is refused with an Error.
QString pictureFile(const QString& picturesFolder, const QString& name);

} // namespace kadmor
