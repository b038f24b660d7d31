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
    QString configTable;   // a prepared konfig.dbf (an administrator's) to copy; empty: a new one
};

// The name of the first payload entry missing from the folder; empty when it holds them all.
QString missingPayloadEntry(const QString& payloadFolder);

// Lays out a complete application folder: the program, konfig.dbf (new, or the prepared one), the title pictures, the
// feedback sounds, the sounds, pictures and doc folders, and the data folder "data" with the six
// tables and the blank templates in data/empty_tables; creates the zoom store when the user has
// none. Everything is built in a hidden folder inside the target and moved into place at the end,
// konfig.dbf last, so a failure or a refusal leaves the folder as it was, and a folder with
// konfig.dbf holds a whole installation. Throws kadmor::Error with a Czech text.
// Gives the notes to show the user.
QStringList installApplication(const InstallRequest& request);

} // namespace kadmor::install
