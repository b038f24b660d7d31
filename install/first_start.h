// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kadmor::install {

// Where the parts of an installed program are, found from the folder of its executable
// (PREFIX/bin): the fixed content of a new installation in PREFIX/share/kadmor, and the
// administrator's prepared configuration table, /etc/kadmor/konfig.dbf for the prefix /usr
// (PREFIX/etc/kadmor/konfig.dbf for any other prefix).
QString sharedContentFolder(const QString& executableFolder);
QString administratorConfigTable(const QString& executableFolder);

// The user's own installation of an installed program: $XDG_DATA_HOME/kadmor, that is
// ~/.local/share/kadmor unless the variable says otherwise.
QString userInstallationFolder();

// The application folder the program opens, for the folder of its executable:
// - that folder itself when konfig.dbf is beside the executable (a build folder prepared by
//   kadmor-install or a folder laid out by it), or when the executable is not an installed program
//   (no PREFIX/share/kadmor beside its folder): the start-up then opens it, or reports the missing
//   konfig.dbf, as it always has;
// - otherwise the user's own installation, laid out there from the shared content first when it
//   has no konfig.dbf yet, with the administrator's configuration table when there is one. An
//   existing installation is never changed.
// Throws kadmor::Error with a Czech text when the user's installation cannot be laid out.
QString applicationFolderFor(const QString& executableFolder);

} // namespace kadmor::install
