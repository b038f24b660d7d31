// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

// What a table file looks like from outside at one moment: which file it is, its size, when it
// was last written, its record count and the change counter this engine raises with every write.
// Any write by any program changes it, so an index stamped with it can tell cheaply whether the
// table has changed since.
namespace kadmor::dbf {

inline constexpr int kFingerprintSize = 48;

// From the file's status and the first bytes of its header (at least the 32-byte header).
QByteArray fingerprintOf(const struct stat& info, const QByteArray& headerPrefix);
// Of the file at path now; throws kadmor::Error when it cannot be read.
QByteArray fingerprintOfFile(const QString& path);

} // namespace kadmor::dbf
