// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace kadmor::install {

// The teacher password of a fresh installation, as the help page gives it.
QString defaultTeacherPassword();

struct InstallRequest
{
    QString folder;        // the application folder to lay out; created when missing
    QString payloadFolder; // what the build made: pictures, sounds, help page, content/*.tsv
    QString program;       // the built program to copy in; empty when there is none yet
    bool replace = false;  // replace an existing installation instead of refusing
};

// Lays out a complete application folder: the program, konfig.dbf, the title pictures, the
// feedback sounds, the sounds, pictures and doc folders, and the data folder "data" with the six
// tables and the blank templates in data/empty_tables; creates the zoom store when the user has
// none. Everything is built in a hidden folder inside the target and moved into place at the end,
// so a failure or a refusal leaves the folder as it was. Throws kadmor::Error with a Czech text.
// Gives the notes to show the user.
QStringList installApplication(const InstallRequest& request);

} // namespace kadmor::install
