// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/sound/media_player.h"

#include "base/error_display.h"
#include "base/error.h"
#include "vocabulary/sound/recording_file.h"
#include "vocabulary/sound/take.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QAudioSource>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMediaDevices>
#include <QToolButton>

namespace kadmor {

namespace {

constexpr qint64 stepMilliseconds = 250;

// Symbols that the common fonts have, so that they can take the colour of the text.
struct ButtonLook
{
    MediaPlayer::Button button;
    const char16_t* symbol;
    const char16_t* hint;
    const char16_t* name;
};

constexpr ButtonLook buttonLooks[] = {
    {MediaPlayer::Play, u"▶", u"Přehrát", u"play"},
    {MediaPlayer::Pause, u"❚❚", u"Pozastavit", u"pause"},
    {MediaPlayer::Stop, u"■", u"Zastavit", u"stop"},
    {MediaPlayer::Next, u"▶|", u"Na konec", u"next"},
    {MediaPlayer::Previous, u"|◀", u"Na začátek", u"previous"},
    {MediaPlayer::Step, u"▶▶", u"Krok vpřed", u"step"},
    {MediaPlayer::Back, u"◀◀", u"Krok zpět", u"back"},
    {MediaPlayer::Record, u"●", u"Nahrávat", u"record"},
};

QString colourOf(MediaPlayer::Button button)
{
    return button == MediaPlayer::Record ? QStringLiteral("color: red;") : QStringLiteral("color: green;");
}

} // namespace

MediaPlayer::MediaPlayer(QWidget* parent) : QWidget(parent)
{
    createButtons();
    showMode(Mode::NotOpen);
}

MediaPlayer::~MediaPlayer()
{
    close();
}

void MediaPlayer::createButtons()
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const ButtonLook& look : buttonLooks) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromUtf16(look.name));
        button->setText(QString::fromUtf16(look.symbol));
        button->setToolTip(QString::fromUtf16(look.hint));
        button->setFocusPolicy(Qt::TabFocus);
        // The control's width is shared out among its buttons, down to nothing.
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        layout->addWidget(button);
        m_buttons.append({look.button, button});
    }
    connectButton(Play, &MediaPlayer::play);
    connectButton(Pause, &MediaPlayer::pause);
    connectButton(Stop, &MediaPlayer::stop);
    connectButton(Next, &MediaPlayer::next);
    connectButton(Previous, &MediaPlayer::previous);
    connectButton(Step, &MediaPlayer::step);
    connectButton(Back, &MediaPlayer::back);
    connectButton(Record, &MediaPlayer::record);
}

void MediaPlayer::connectButton(Button which, void (MediaPlayer::*command)())
{
    for (const auto& [button, widget] : std::as_const(m_buttons)) {
        if (button == which)
            connect(widget, &QAbstractButton::clicked, this,
                    [this, command] { runAction([this, command] { (this->*command)(); }); });
    }
}

void MediaPlayer::setVisibleButtons(Buttons buttons)
{
    m_visibleButtons = buttons;
    for (const auto& [button, widget] : std::as_const(m_buttons))
        widget->setVisible(buttons.testFlag(button));
}

void MediaPlayer::setColouredButtons(Buttons buttons)
{
    m_colouredButtons = buttons;
    for (const auto& [button, widget] : std::as_const(m_buttons))
        widget->setStyleSheet(buttons.testFlag(button) ? colourOf(button) : QString());
}

void MediaPlayer::showMode(Mode mode)
{
    m_mode = mode;
    // While recording only Stop makes sense; a closed player has nothing to work on.
    for (const auto& [button, widget] : std::as_const(m_buttons))
        widget->setEnabled(mode != Mode::NotOpen && (mode != Mode::Recording || button == Stop));
}

QString MediaPlayer::errorText() const
{
    switch (m_error) {
    case NoError:
        return QString();
    case NoOutputDevice:
        return QStringLiteral("Není k dispozici žádné zvukové zařízení pro přehrávání.");
    case NoInputDevice:
        return QStringLiteral("Není k dispozici žádné zvukové zařízení pro nahrávání (mikrofon).");
    case FileNotFound:
        return QStringLiteral("Zvukový soubor „%1“ neexistuje.").arg(m_fileName);
    case FileUnreadable:
        return QStringLiteral("Zvukový soubor „%1“ nelze přečíst.").arg(m_fileName);
    case NotWave:
        return QStringLiteral("Soubor „%1“ není zvukový soubor WAV.").arg(m_fileName);
    case UnsupportedEncoding:
        return QStringLiteral("Zvukový soubor „%1“ je uložen ve formátu, který nelze přehrát.").arg(m_fileName);
    case DeviceFailed:
        return QStringLiteral("Zvukové zařízení nelze použít.");
    case NotOpen:
        return QStringLiteral("Přehrávač není otevřen.");
    case WriteFailed:
        return QStringLiteral("Nahrávku nelze zapsat do souboru „%1“.").arg(m_fileName);
    }
    return QString();
}

void MediaPlayer::fail(ErrorCode code)
{
    m_error = code;
    throw Error(errorText());
}

void MediaPlayer::requireOpen()
{
    if (!isOpen())
        fail(NotOpen);
    m_error = NoError;
}

void MediaPlayer::open()
{
    close();
    if (QMediaDevices::audioOutputs().isEmpty())
        fail(NoOutputDevice);
    loadFile();
    showMode(Mode::Stopped);
}

void MediaPlayer::loadFile()
{
    QFile file(m_fileName);
    if (!file.exists())
        fail(FileNotFound);
    // Only a plain file: a device such as /dev/zero would be read without end.
    if (!QFileInfo(m_fileName).isFile() || !file.open(QIODevice::ReadOnly))
        fail(FileUnreadable);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(FileUnreadable);
    wave::Sound sound = wave::readWave(bytes);
    if (sound.problem == wave::Sound::Problem::NotWave)
        fail(NotWave);
    if (sound.problem == wave::Sound::Problem::UnsupportedEncoding ||
        !QMediaDevices::defaultAudioOutput().isFormatSupported(sound.format))
        fail(UnsupportedEncoding);
    m_sound = std::move(sound);
}

void MediaPlayer::close()
{
    ++m_playNumber; // a pending end notice belongs to a play that no longer counts
    haltRecording();
    haltPlaying();
    m_sound = wave::Sound();
    m_take = wave::Sound();
    m_hasTake = false;
    m_position = 0;
    m_error = NoError;
    showMode(Mode::NotOpen);
}

const wave::Sound& MediaPlayer::current() const
{
    return m_hasTake ? m_take : m_sound;
}

void MediaPlayer::play()
{
    requireOpen();
    if (m_mode == Mode::Paused) {
        m_sink->resume();
        showMode(Mode::Playing);
        return;
    }
    haltRecording();
    haltPlaying();
    const wave::Sound& sound = current();
    if (m_position >= sound.samples.size())
        m_position = 0;
    const int number = ++m_playNumber;
    showMode(Mode::Playing);
    if (sound.samples.isEmpty()) {
        // Nothing to hand to the output: the play ends at once, still on the event loop.
        QMetaObject::invokeMethod(
            this,
            [this, number] {
                if (number == m_playNumber && m_mode == Mode::Playing)
                    playingEnded();
            },
            Qt::QueuedConnection);
        return;
    }
    // The output has no parent: it goes with deleteLater only (see haltPlaying).
    m_sink = new QAudioSink(QMediaDevices::defaultAudioOutput(), sound.format);
    auto* samples = new QBuffer(m_sink);
    samples->setData(sound.samples);
    samples->open(QIODevice::ReadOnly);
    samples->seek(m_position);
    connect(m_sink, &QAudioSink::stateChanged, this, [this, samples](QAudio::State state) {
        // Idle after the last byte: the sound is over (an underrun before it is not); Stopped
        // with an error: the device gave up.
        if ((state == QAudio::IdleState && samples->atEnd()) ||
            (state == QAudio::StoppedState && m_sink->error() != QAudio::NoError))
            playingEnded();
    });
    m_playStart = m_position;
    m_sink->start(samples);
    if (m_sink->error() != QAudio::NoError) {
        haltPlaying();
        showMode(Mode::Stopped);
        fail(DeviceFailed);
    }
}

void MediaPlayer::pause()
{
    requireOpen();
    if (m_mode != Mode::Playing || m_sink == nullptr)
        return;
    m_sink->suspend();
    showMode(Mode::Paused);
}

void MediaPlayer::stop()
{
    requireOpen();
    if (m_mode == Mode::Playing || m_mode == Mode::Paused) {
        haltPlaying();
        announceEnd();
    }
    haltRecording();
    showMode(Mode::Stopped);
}

void MediaPlayer::next()
{
    stop();
    m_position = current().samples.size();
}

void MediaPlayer::previous()
{
    stop();
    m_position = 0;
}

void MediaPlayer::step()
{
    moveBy(stepMilliseconds);
}

void MediaPlayer::back()
{
    moveBy(-stepMilliseconds);
}

void MediaPlayer::moveBy(qint64 milliseconds)
{
    stop();
    const wave::Sound& sound = current();
    const qint64 distance = sound.format.bytesForDuration(std::abs(milliseconds) * 1000);
    m_position =
        std::clamp(m_position + (milliseconds < 0 ? -distance : distance), qint64(0), qint64(sound.samples.size()));
}

void MediaPlayer::record()
{
    requireOpen();
    haltPlaying();
    haltRecording();
    showMode(Mode::Stopped);
    const QAudioDevice input = QMediaDevices::defaultAudioInput();
    if (input.isNull())
        fail(NoInputDevice);
    m_source = new QAudioSource(input, wave::recordingFormat()); // goes as the output does
    m_input = m_source->start();
    if (m_input == nullptr || m_source->error() != QAudio::NoError) {
        haltRecording();
        fail(DeviceFailed);
    }
    m_take = wave::Sound{wave::Sound::Problem::None, wave::recordingFormat(), QByteArray()};
    m_hasTake = true;
    m_position = 0;
    m_takeClock.start();
    connect(m_input, &QIODevice::readyRead, this, &MediaPlayer::takeDelivered);
    showMode(Mode::Recording);
}

void MediaPlayer::save()
{
    if (!isOpen()) {
        m_error = NotOpen;
        return;
    }
    m_error = NoError;
    if (m_mode == Mode::Recording) {
        haltRecording();
        showMode(Mode::Stopped);
    }
    if (m_hasTake && !writeRecording(m_fileName, m_take.samples))
        m_error = WriteFailed;
}

void MediaPlayer::haltPlaying()
{
    if (m_sink == nullptr)
        return;
    const qint64 played = current().format.bytesForDuration(m_sink->processedUSecs());
    m_position = std::min(m_playStart + played, qint64(current().samples.size()));
    // The output may be the sender of the signal being handled, and its destructor handles
    // pending events: it goes on the event loop, never from inside this player's own calls.
    m_sink->disconnect(this);
    m_sink->stop();
    m_sink->deleteLater();
    m_sink = nullptr;
}

void MediaPlayer::haltRecording()
{
    if (m_source == nullptr)
        return;
    if (m_input != nullptr)
        takeDelivered();
    m_source->disconnect(this);
    m_source->stop();
    m_source->deleteLater();
    m_source = nullptr;
    m_input = nullptr;
}

void MediaPlayer::takeDelivered()
{
    wave::addToTake(m_take.samples, m_input->readAll(), m_take.format, m_takeClock.nsecsElapsed() / 1000);
}

void MediaPlayer::playingEnded()
{
    haltPlaying();
    m_position = current().samples.size();
    showMode(Mode::Stopped);
    announceEnd();
}

void MediaPlayer::announceEnd()
{
    if (!m_notify)
        return;
    const int number = m_playNumber;
    QMetaObject::invokeMethod(
        this,
        [this, number] {
            if (number == m_playNumber)
                emit notified();
        },
        Qt::QueuedConnection);
}

qint64 MediaPlayer::length() const
{
    return (current().format.durationForBytes(current().samples.size()) + 500) / 1000;
}

qint64 MediaPlayer::position() const
{
    return (current().format.durationForBytes(m_position) + 500) / 1000;
}

} // namespace kadmor
