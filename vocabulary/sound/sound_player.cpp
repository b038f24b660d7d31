// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/sound/sound_player.h"

#include "base/error.h"
#include "vocabulary/sound/recording_file.h"
#include "vocabulary/sound/take.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QAudioSource>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>

namespace kadmor {

namespace {

constexpr qint64 stepMilliseconds = 250;

} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer()
{
    close();
}

void SoundPlayer::showMode(Mode mode)
{
    const bool changed = mode != m_mode;
    m_mode = mode;
    if (changed)
        emit modeChanged(mode);
}

QString SoundPlayer::errorText() const
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

void SoundPlayer::fail(ErrorCode code)
{
    m_error = code;
    const QString text = errorText();
    emit failed(text);
    throw Error(text);
}

void SoundPlayer::requireOpen()
{
    if (!isOpen())
        fail(NotOpen);
    m_error = NoError;
}

void SoundPlayer::open()
{
    close();
    if (QMediaDevices::audioOutputs().isEmpty())
        fail(NoOutputDevice);
    loadFile();
    showMode(Mode::Stopped);
}

void SoundPlayer::loadFile()
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

void SoundPlayer::close()
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

const wave::Sound& SoundPlayer::current() const
{
    return m_hasTake ? m_take : m_sound;
}

void SoundPlayer::play()
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
        if (state == QAudio::IdleState && samples->atEnd()) {
            playingEnded();
        } else if (state == QAudio::StoppedState && m_sink->error() != QAudio::NoError) {
            m_error = DeviceFailed;
            playingEnded();
            emit failed(errorText());
        }
    });
    m_playStart = m_position;
    m_sink->start(samples);
    // A device that gives up at once may already have ended the play through stateChanged.
    if (m_sink != nullptr && m_sink->error() != QAudio::NoError) {
        haltPlaying();
        showMode(Mode::Stopped);
        fail(DeviceFailed);
    }
}

void SoundPlayer::pause()
{
    requireOpen();
    if (m_mode != Mode::Playing || m_sink == nullptr)
        return;
    m_sink->suspend();
    showMode(Mode::Paused);
}

void SoundPlayer::stop()
{
    requireOpen();
    if (m_mode == Mode::Playing || m_mode == Mode::Paused) {
        haltPlaying();
        announceEnd();
    }
    haltRecording();
    showMode(Mode::Stopped);
}

void SoundPlayer::next()
{
    stop();
    m_position = current().samples.size();
}

void SoundPlayer::previous()
{
    stop();
    m_position = 0;
}

void SoundPlayer::step()
{
    moveBy(stepMilliseconds);
}

void SoundPlayer::back()
{
    moveBy(-stepMilliseconds);
}

void SoundPlayer::moveBy(qint64 milliseconds)
{
    stop();
    const wave::Sound& sound = current();
    const qint64 distance = sound.format.bytesForDuration(std::abs(milliseconds) * 1000);
    m_position =
        std::clamp(m_position + (milliseconds < 0 ? -distance : distance), qint64(0), qint64(sound.samples.size()));
}

void SoundPlayer::record()
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
    connect(m_input, &QIODevice::readyRead, this, &SoundPlayer::takeDelivered);
    showMode(Mode::Recording);
}

void SoundPlayer::save()
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

void SoundPlayer::haltPlaying()
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

void SoundPlayer::haltRecording()
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

void SoundPlayer::takeDelivered()
{
    wave::addToTake(m_take.samples, m_input->readAll(), m_take.format, m_takeClock.nsecsElapsed() / 1000);
}

void SoundPlayer::playingEnded()
{
    haltPlaying();
    m_position = current().samples.size();
    showMode(Mode::Stopped);
    announceEnd();
}

void SoundPlayer::announceEnd()
{
    const int number = m_playNumber;
    QMetaObject::invokeMethod(
        this,
        [this, number] {
            if (number == m_playNumber)
                emit finished();
        },
        Qt::QueuedConnection);
}

qint64 SoundPlayer::length() const
{
    return (current().format.durationForBytes(current().samples.size()) + 500) / 1000;
}

qint64 SoundPlayer::position() const
{
    return (current().format.durationForBytes(m_position) + 500) / 1000;
}

} // namespace kadmor
