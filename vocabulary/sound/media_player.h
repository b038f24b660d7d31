// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "vocabulary/sound/wave_file.h"

#include <QElapsedTimer>
#include <QWidget>

class QAbstractButton;
class QAudioSink;
class QAudioSource;

namespace kadmor {

// A player control on one WAV file, with its own buttons: it plays the file, records a take from
// the default input (8-bit unsigned mono, 22050 Hz) and writes that take into the file on save.
//
// Commands the program gives (open, play) raise an Error with a Czech text when they fail; the
// user's buttons go through the general error display; save reports only through errorCode().
// Every command sets errorCode() (0 when it worked) and errorText().
class MediaPlayer : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(Buttons visibleButtons READ visibleButtons WRITE setVisibleButtons)
    Q_PROPERTY(Buttons colouredButtons READ colouredButtons WRITE setColouredButtons)
    Q_PROPERTY(bool notify READ notify WRITE setNotify)

  public:
    enum Button {
        Play = 0x01,
        Pause = 0x02,
        Stop = 0x04,
        Next = 0x08,     // to the end
        Previous = 0x10, // to the start
        Step = 0x20,     // a quarter of a second forward
        Back = 0x40,     // a quarter of a second back
        Record = 0x80,
    };
    Q_DECLARE_FLAGS(Buttons, Button)
    Q_FLAG(Buttons)
    static constexpr Buttons allButtons{0xFF};

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

    explicit MediaPlayer(QWidget* parent = nullptr);
    ~MediaPlayer() override;

    Buttons visibleButtons() const { return m_visibleButtons; }
    void setVisibleButtons(Buttons buttons);
    Buttons colouredButtons() const { return m_colouredButtons; }
    void setColouredButtons(Buttons buttons);
    // Whether the end of every play is announced by notified().
    bool notify() const { return m_notify; }
    void setNotify(bool on) { m_notify = on; }

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
    void next();
    void previous();
    void step();
    void back();
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
    // The end of a play (reached, stopped or failed), once per play, on the event loop; only with
    // notify on. A play ended by close or by a new play is not announced.
    void notified();

  private:
    void createButtons();
    void connectButton(Button button, void (MediaPlayer::*command)());
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
    Buttons m_visibleButtons = allButtons;
    Buttons m_colouredButtons;
    bool m_notify = false;
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
    QList<std::pair<Button, QAbstractButton*>> m_buttons;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(MediaPlayer::Buttons)

} // namespace kadmor
