// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/sound/recorder.h"

#include "base/dialogs.h"
#include "base/error.h"
#include "util/soubory.h"
#include "vocabulary/sound/recording_file.h"
#include "vocabulary/sound/sound_player.h"
#include "vocabulary/sound/trimming.h"
#include "vocabulary/sound/wave_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kadmor {

namespace {

// Trimming writes the cut recording here, beside the recording, and then gives it the recording's
// name: one rename on one disk, and nothing left in the user's working folder.
const QString trimmingFileName = QStringLiteral("blekotax.tmp");

void showError(const QString& text)
{
    dialogs().beep();
    dialogs().message(BoxType::Error, text, Buttons::Ok);
}

} // namespace

QString Recorder::fileName() const
{
    return m_player.fileName();
}

void Recorder::open(const QString& recordingFile)
{
    m_player.setFileName(recordingFile);
    try {
        m_player.open();
        m_open = true;
    } catch (const Error& error) {
        showError(error.text() + QStringLiteral(" \"") + recordingFile + QStringLiteral("\" \rChyba zápisu! "));
    }
}

void Recorder::finish(bool trimIt)
{
    if (!m_open)
        return;
    const QString file = m_player.fileName();
    m_player.save();
    const int error = m_player.errorCode();
    const QString errorText = m_player.errorText();
    m_player.close();
    m_open = false;
    if (error != SoundPlayer::NoError)
        showError(errorText);
    recover(file);
    if (trimIt)
        trim(file);
}

QString Recorder::saveAndClose()
{
    if (!m_open)
        return {};
    const QString file = m_player.fileName();
    m_player.save();
    close();
    return file;
}

void Recorder::close()
{
    m_player.close();
    m_open = false;
}

void Recorder::writeEmpty(const QString& recordingFile)
{
    QFile file(recordingFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Error(QStringLiteral("Soubor „%1“ nelze vytvořit (%2).").arg(recordingFile, file.errorString()));
    const QByteArray header = wave::recordingHeader();
    if (file.write(header) < header.size() || !file.flush())
        showError(QStringLiteral("Nemohu zapisovat do souboru \"") + recordingFile + QStringLiteral("\" !"));
}

// A missing recording file counts as empty: the recording belongs there either way. Only the
// recorder's own temporary file of this recording is considered.
void Recorder::recover(const QString& recordingFile)
{
    if (fileSize(recordingFile, false) != 0)
        return;
    dialogs().beep();
    const QString temporary = recordingTemporaryFile(recordingFile);
    if (!QFile::exists(temporary))
        return;
    QFile::remove(recordingFile);
    if (copyFile(temporary, recordingFile))
        QFile::remove(temporary);
}

void Recorder::trim(const QString& recordingFile)
{
    const qint64 size = fileSize(recordingFile, false);
    if (size > largestTrimmableRecording) {
        dialogs().beep();
        dialogs().message(BoxType::Plain, QStringLiteral("Slovíčko je moc veliké!\rVelikost: ") + QString::number(size),
                          Buttons::Ok);
        return;
    }
    QFile source(recordingFile);
    if (!source.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Nahrávku „%1“ nelze přečíst (%2).").arg(recordingFile, source.errorString()));
    const QByteArray trimmed = trimmedRecording(source.readAll());
    source.close();

    const QString temporary = QFileInfo(recordingFile).dir().filePath(trimmingFileName);
    QFile target(temporary);
    bool written = target.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                   target.write(trimmed.first(wave::headerSize)) == wave::headerSize;
    QCoreApplication::processEvents();
    written = written && target.write(trimmed.sliced(wave::headerSize)) == trimmed.size() - wave::headerSize;
    target.close();
    if (!written || !replaceFile(temporary, recordingFile)) {
        QFile::remove(temporary);
        throw Error(QStringLiteral("Zkrácenou nahrávku nelze zapsat do souboru „%1“.").arg(recordingFile));
    }
}

} // namespace kadmor
