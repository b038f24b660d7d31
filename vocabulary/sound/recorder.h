// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace kadmor {

class SoundPlayer;

// One recorder of a page (the word and phrase editors, the pupil's own pronunciation): the empty
// recording it starts on, opening the player on it, the finish step (save, recover, trim) and
// closing. The player belongs to its page; the recorder keeps whether it is open, which is not the
// player's state: a page may close the player and leave the recorder to close it again.
//
// Failures that the recorder itself reports go to the dialogs seam as error boxes with a beep;
// file failures that end the action raise an Error.
class Recorder : public QObject
{
    Q_OBJECT
  public:
    explicit Recorder(SoundPlayer& player, QObject* parent = nullptr) : QObject(parent), m_player(player) {}

    bool isOpen() const { return m_open; }
    // The recording file of the open recorder.
    QString fileName() const;

    // Opens the player on the recording file and marks the recorder open. A file the player cannot
    // open is shown as a write failure, and the recorder stays closed.
    void open(const QString& recordingFile);
    // When the recorder is open: the take is saved into its file, the player closed, a failed save
    // shown; then an empty recording is recovered and, when asked, trimmed.
    void finish(bool trim);
    // When the recorder is open: the take is saved into its file, without a word when that fails,
    // and the player closed. Gives the recording file, or the empty text when nothing was open.
    QString saveAndClose();
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
    bool m_open = false;
};

} // namespace kadmor
