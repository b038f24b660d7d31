// SPDX-License-Identifier: GPL-3.0-or-later
// Hearing, recording and showing a word: the shared sound operations, the word recorder with its
// recovery and trimming, the pupil's own pronunciation and the picture window.
#include "shell/tform1.h"

#include "base/error.h"
#include "ui_word_edit_page.h"
#include "ui_word_list_page.h"
#include "util/soubory.h"
#include "vocabulary/grview_u.h"
#include "vocabulary/sound/file_names.h"
#include "vocabulary/sound/media_player.h"
#include "vocabulary/sound/recording_file.h"
#include "vocabulary/sound/trimming.h"
#include "vocabulary/sound/wave_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

using kadmor::BoxType;
using kadmor::Buttons;
using kadmor::dialogs;

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

QString TForm1::soundFile(const QString& name) const
{
    return kadmor::soundPath(applicationFolderSlash, name);
}

QString TForm1::pictureFile(const QString& name) const
{
    return kadmor::picturePath(applicationFolderSlash, name);
}

void TForm1::setupPronunciation()
{
    handle(p2zaktabul->BitBtn1, &QPushButton::clicked, &TForm1::BitBtn1Click);
    handle(p2zaktabul->BitBtn2, &QPushButton::clicked, &TForm1::BitBtn2Click);
    handle(p2zaktabul->Image4, &QToolButton::clicked, &TForm1::Image4Click);
    handle(p2zaktabul->MediaPlayer1, &kadmor::MediaPlayer::notified, &TForm1::MediaPlayer1Notify);
    handle(p3edit->BitBtn4, &QPushButton::clicked, &TForm1::BitBtn4Click);
}

void TForm1::playSound(const QString& name)
{
    const QString soundName = name.isEmpty() ? QStringLiteral("nosound") : name;
    kadmor::MediaPlayer* player = p2zaktabul->MediaPlayer1;
    player->setFileName(soundFile(soundName));
    player->open();
    player->play();
}

void TForm1::MediaPlayer1Notify()
{
    p2zaktabul->MediaPlayer1->close();
}

void TForm1::writeEmptyRecording(const QString& name)
{
    const QString path = soundFile(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw kadmor::Error(QStringLiteral("Soubor „%1“ nelze vytvořit (%2).").arg(path, file.errorString()));
    const QByteArray header = kadmor::wave::recordingHeader();
    if (file.write(header) < header.size() || !file.flush())
        showError(QStringLiteral("Nemohu zapisovat do souboru \"") + path + QStringLiteral("\" !"));
}

void TForm1::openRecorder(kadmor::MediaPlayer* player, bool& open, const QString& name)
{
    if (name.isEmpty()) {
        dialogs().beep();
        dialogs().message(BoxType::Warning, QStringLiteral("Není zadáno žádné slovíčko!"), Buttons::Ok);
        return;
    }
    const QString path = soundFile(name);
    player->setFileName(path);
    try {
        player->open();
        open = true;
    } catch (const kadmor::Error& error) {
        showError(error.text() + QStringLiteral(" \"") + path + QStringLiteral("\" \rChyba zápisu! "));
    }
}

void TForm1::finishWordRecording()
{
    if (!wordRecordingOpen)
        return;
    kadmor::MediaPlayer* recorder = p3edit->MediaPlayer2;
    const QString file = recorder->fileName();
    setStatus(file);
    QCoreApplication::processEvents();
    recorder->save();
    const int error = recorder->errorCode();
    const QString errorText = recorder->errorText();
    recorder->close();
    wordRecordingOpen = false;
    if (error != 0)
        showError(errorText);
    kondel(file);
    if (p3edit->CheckBox6->isChecked())
        trimRecording(file);
}

void TForm1::closeWordRecorder()
{
    p3edit->MediaPlayer2->close();
    wordRecordingOpen = false;
}

// A missing recording file counts as empty: the recording belongs there either way. Only the
// recorder's own temporary file of this recording is considered, and it is deleted only once its
// copy has worked.
void TForm1::kondel(const QString& recordingFile)
{
    if (kadmor::fileSize(recordingFile, false) != 0)
        return;
    dialogs().beep();
    const QString temporary = kadmor::recordingTemporaryFile(recordingFile);
    if (!QFile::exists(temporary))
        return;
    QFile::remove(recordingFile);
    if (kadmor::copyFile(temporary, recordingFile))
        QFile::remove(temporary);
}

void TForm1::trimRecording(const QString& recordingFile)
{
    const qint64 size = kadmor::fileSize(recordingFile, false);
    if (size > kadmor::largestTrimmableRecording) {
        dialogs().beep();
        dialogs().message(BoxType::Plain, QStringLiteral("Slovíčko je moc veliké!\rVelikost: ") + QString::number(size),
                          Buttons::Ok);
        return;
    }
    QFile source(recordingFile);
    if (!source.open(QIODevice::ReadOnly))
        throw kadmor::Error(
            QStringLiteral("Nahrávku „%1“ nelze přečíst (%2).").arg(recordingFile, source.errorString()));
    const QByteArray trimmed = kadmor::trimmedRecording(source.readAll());
    source.close();

    const QString temporary = QFileInfo(recordingFile).dir().filePath(trimmingFileName);
    QFile target(temporary);
    bool written = target.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                   target.write(trimmed.first(kadmor::wave::headerSize)) == kadmor::wave::headerSize;
    QCoreApplication::processEvents();
    written =
        written && target.write(trimmed.sliced(kadmor::wave::headerSize)) == trimmed.size() - kadmor::wave::headerSize;
    target.close();
    if (!written || !kadmor::replaceFile(temporary, recordingFile)) {
        QFile::remove(temporary);
        throw kadmor::Error(QStringLiteral("Zkrácenou nahrávku nelze zapsat do souboru „%1“.").arg(recordingFile));
    }
}

void TForm1::BitBtn1Click()
{
    playSound(Table1->fieldByName(QStringLiteral("ZVUK")).asString());
    p2zaktabul->DBGrid1->setFocus();
}

void TForm1::BitBtn2Click()
{
    const QString picture = Table1->fieldByName(QStringLiteral("OBR")).asString();
    p2zaktabul->DBGrid1->setFocus();
    if (picture.isEmpty()) {
        dialogs().beep();
        dialogs().message(BoxType::Warning, QStringLiteral("V databázi není přiřazen žádný obrázek!"), Buttons::Ok);
        return;
    }
    grview->path = pictureFile(picture);
    grview->setWindowTitle(picture);
    Timer1->stop();
    grview->exec();
    Timer1->start();
}

void TForm1::Image4Click()
{
    if (ownRecordingOpen) {
        p2zaktabul->MediaPlayer3->close();
        ownRecordingOpen = false;
    }
    const QString own = QStringLiteral("mujzvuk");
    writeEmptyRecording(own);
    openRecorder(p2zaktabul->MediaPlayer3, ownRecordingOpen, own);
    p2zaktabul->DBGrid1->setFocus();
}

void TForm1::BitBtn4Click()
{
    finishWordRecording();
    Table1->edit();
    const QString name = p3edit->DBEdit5->text();
    Table1->fieldByName(QStringLiteral("ZVUK")).setAsString(name);
    writeEmptyRecording(name);
    openRecorder(p3edit->MediaPlayer2, wordRecordingOpen, name);
}
