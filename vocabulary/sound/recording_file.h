// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

namespace kadmor {

// The recorder's own temporary file for a recording file: the recording is written there whole
// and then takes the recording file's name, so a failed save never leaves a half-written
// recording. When that last step fails the temporary file stays for the recording recovery.
QString recordingTemporaryFile(const QString& recordingFile);

// Writes the recording header and the samples into the recording file through its temporary
// file. False when the recording could not be written; the recording file is then as it was.
bool writeRecording(const QString& recordingFile, QByteArrayView samples);

// Gives the source file the target's name, replacing the target in one step (both in one folder).
bool replaceFile(const QString& source, const QString& target);

} // namespace kadmor
