// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace testkit {

// Every file below the folder, hidden ones too, by its path relative to the folder, with the hash
// of its content: two calls compare equal when nothing was added, removed or changed.
QMap<QString, QByteArray> fileHashes(const QString& folder);

} // namespace testkit
