// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "vocabulary/sound/wave_file.h"

#include <QElapsedTimer>
#include <QObject>

class QAudioSink;
class QAudioSource;
class QIODevice;

namespace kadmor {

// The player on one WAV file, without any window: it plays the file, records a take from the
// default input (8-bit unsigned mono, 22050 Hz) and writes that take into the file on save.
//
// Commands that fail (every one but save) raise an Error with a Czech text and emit failed() with
// it first; save reports only through errorCode(). Every command sets errorCode() (0 when it
// worked) and errorText(). The button strip (MediaPlayer) and the pages that wait for a sound
// follow it through its signals.
class SoundPlayer : public QObject
{
    Q_OBJECT

  public:
    enum class Mode { NotOpen, Stopped, Playing, Paused, Recording };

    enum ErrorCode {
        NoError = 0,
        NoOutputDevice,
        NoInputDevice,
        FileNotFound,
        FileUnreadable,
        NotWave,
        UnsupportedEncoding,
        DeviceFailed,
        NotOpen,
        WriteFailed,
    };

    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    QString fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    // Opens the sound output on the file; an open player is closed first. Without an output device
    // or with a file that is missing, unreadable or no playable WAV file it raises an Error and
    // stays closed.
    void open();
    // Stops playing or recording and forgets the file's sound and any unsaved take.
    void close();
    bool isOpen() const { return m_mode != Mode::NotOpen; }
    Mode mode() const { return m_mode; }

    // Plays the take recorded since opening, or else the file, from the current position (from
    // the start when at the end); returns at once. A paused play goes on.
    void play();
    void pause();
    // Ends playing (the position stays) or recording.
    void stop();
    void next();     // to the end
    void previous(); // to the start
    void step();     // a quarter of a second forward
    void back();     // a quarter of a second back
    // Starts a new take from the default input; it replaces the previous take.
    void record();
    // Writes the take into the file: the recording header with its lengths, then the samples. With
    // no take the file stays as it is.
    void save();

    // Milliseconds (rounded) of the sound that play would play, and of the current position in it.
    qint64 length() const;
    qint64 position() const;

    int errorCode() const { return m_error; }
    QString errorText() const;

  signals:
    // The end of a play (reached, stopped or failed), once per play, on the event loop. A play
    // ended by close or by a new play is not announced.
    void finished();
    // A command or the sound device failed, with the text of the failure; the device failing in
    // the middle of a play is reported here (and the play ends with finished()).
    void failed(const QString& text);
    void modeChanged(kadmor::SoundPlayer::Mode mode);

  private:
    void showMode(Mode mode);
    [[noreturn]] void fail(ErrorCode code);
    void requireOpen();
    void loadFile();
    void haltPlaying();
    void haltRecording();
    void takeDelivered();
    void playingEnded();
    void announceEnd();
    void moveBy(qint64 milliseconds);
    const wave::Sound& current() const;

    QString m_fileName;
    Mode m_mode = Mode::NotOpen;
    ErrorCode m_error = NoError;
    wave::Sound m_sound; // the file's sound
    wave::Sound m_take;  // the recorded take, in the recording format
    bool m_hasTake = false;
    QElapsedTimer m_takeClock;        // since the take started
    qint64 m_position = 0;            // bytes into current().samples
    int m_playNumber = 0;             // tells a pending end notice from one of an earlier play
    qint64 m_playStart = 0;           // where the running play started, in bytes
    QAudioSink* m_sink = nullptr;     // while playing or paused; owns what it plays from
    QAudioSource* m_source = nullptr; // while recording
    QIODevice* m_input = nullptr;
};

} // namespace kadmor
