// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace kadmor {

// Opens file with the desktop's program for it. A program file is started with parameters
// (split like a command line) in workingFolder; a relative file is taken from workingFolder when
// one is given. Texts of any length are passed whole. Nothing is reported.
void openDocument(const QString& file, const QString& parameters, const QString& workingFolder);

// Copies source over target with the user's consent: a missing source is reported (beep, warning),
// an existing target is replaced only when the user answers Yes to the question. A failed copy
// shows nothing (callers report it) and leaves an existing target as it was.
// Gives true when the file was copied.
bool copyFile(const QString& source, const QString& target);

// Copy file with the copy-done flag of the run, which the lesson writer reads to decide whether to
// go on with the next file: cleared at the start of every copy and set when the copy worked; the
// writer sets it itself when the user agrees to go on after a failed copy.
class FileCopier
{
  public:
    bool copy(const QString& source, const QString& target);
    bool done() const { return m_done; }
    void setDone(bool done) { m_done = done; }

  private:
    bool m_done = false;
};

// The size of the file in bytes, 0 when it cannot be read; with roundToBlocks, rounded up to whole
// 512-byte blocks (the room it takes on a disk).
qint64 fileSize(const QString& path, bool roundToBlocks);

// Whether a file name stored in a table names a file inside its folder: no path separator (either
// kind, as Windows installations wrote them) and neither "." nor "..". Names from tables and
// packages are checked before a file is opened, written or deleted.
bool isPlainFileName(const QString& name);

// Replaces each named table file of the data folder by its blank copy from the templates folder
// "empty_tables", with Copy file's own messages. A file whose template is missing is left as it is
// rather than lost. True when every file was replaced.
bool replaceByTemplates(const QString& dataFolder, const QStringList& names);

} // namespace kadmor
