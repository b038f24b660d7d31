// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kadmor {

class SoundPlayer;

// The steps of one recorder's recording, for every editor that records (words, phrases): the empty
// recording it starts on, opening the player on it, the finish step (save, recover, trim) and
// closing. It holds neither part of the recorder: the player belongs to its page and the flag that
// tells whether the recorder is open to the main window's run state; it works on both.
//
// Failures that the recorder itself reports go to the dialogs seam as error boxes with a beep;
// file failures that end the action raise an Error.
class Recorder
{
  public:
    Recorder(SoundPlayer& player, bool& open) : m_player(player), m_open(open) {}

    bool isOpen() const { return m_open; }
    // The recording file of the open recorder.
    QString fileName() const;

    // Opens the player on the recording file and marks the recorder open. A file the player cannot
    // open is shown as a write failure, and the recorder stays closed.
    void open(const QString& recordingFile);
    // When the recorder is open: the take is saved into its file, the player closed, a failed save
    // shown; then an empty recording is recovered and, when asked, trimmed.
    void finish(bool trim);
    // Closes the player without saving.
    void close();

    // The recording file becomes the recording header alone. A file that cannot be created raises
    // an Error; one that cannot be written is shown.
    static void writeEmpty(const QString& recordingFile);
    // An empty (or missing) recording file is restored from the recorder's own temporary file,
    // which goes only once its copy has worked. A beep tells that the recording was empty.
    static void recover(const QString& recordingFile);
    // Cuts the quiet beginning and end off the recording file; a file larger than the trimming
    // buffer is left as it is, with a box that tells its size.
    static void trim(const QString& recordingFile);

  private:
    SoundPlayer& m_player;
    bool& m_open;
};

} // namespace kadmor
