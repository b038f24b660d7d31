// SPDX-License-Identifier: GPL-3.0-or-later
// Hearing, recording and showing a word: the shared sound operations, the word recorder (its steps
// are the sound service's Recorder), the pupil's own pronunciation and the picture window.
#include "shell/tform1.h"

#include "storage/schema.h"
#include "ui_word_edit_page.h"
#include "ui_word_list_page.h"
#include "vocabulary/grview_u.h"
#include "vocabulary/sound/file_names.h"
#include "vocabulary/sound/media_player.h"
#include "vocabulary/sound/recorder.h"

#include <QCoreApplication>
#include <QTimer>

using kadmor::BoxType;
using kadmor::Buttons;
using kadmor::dialogs;
namespace wordField = kadmor::schema::words::field;

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
    wordRecorder = new kadmor::Recorder(p3edit->MediaPlayer2->player(), p3edit->MediaPlayer2);
    ownRecorder = new kadmor::Recorder(p2zaktabul->MediaPlayer3->player(), p2zaktabul->MediaPlayer3);
    handle(p2zaktabul->BitBtn1, &QPushButton::clicked, &TForm1::BitBtn1Click);
    handle(p2zaktabul->BitBtn2, &QPushButton::clicked, &TForm1::BitBtn2Click);
    handle(p2zaktabul->Image4, &QToolButton::clicked, &TForm1::Image4Click);
    handle(p2zaktabul->MediaPlayer1, &kadmor::MediaPlayer::notified, &TForm1::MediaPlayer1Notify);
    handle(p3edit->BitBtn4, &QPushButton::clicked, &TForm1::BitBtn4Click);
}

void TForm1::playSound(const QString& name)
{
    playSoundOn(p2zaktabul->MediaPlayer1, name);
}

void TForm1::playSoundOn(kadmor::MediaPlayer* strip, const QString& name)
{
    kadmor::SoundPlayer& player = strip->player();
    player.setFileName(soundFile(name.isEmpty() ? QStringLiteral("nosound") : name));
    player.open();
    player.play();
}

void TForm1::MediaPlayer1Notify()
{
    p2zaktabul->MediaPlayer1->player().close();
}

void TForm1::writeEmptyRecording(const QString& name)
{
    kadmor::Recorder::writeEmpty(soundFile(name));
}

void TForm1::openRecorder(kadmor::Recorder& recorder, const QString& name)
{
    if (name.isEmpty()) {
        dialogs().beep();
        dialogs().message(BoxType::Warning, QStringLiteral("Není zadáno žádné slovíčko!"), Buttons::Ok);
        return;
    }
    recorder.open(soundFile(name));
}

void TForm1::finishWordRecording()
{
    if (!wordRecorder->isOpen())
        return;
    setStatus(wordRecorder->fileName());
    QCoreApplication::processEvents();
    wordRecorder->finish(p3edit->CheckBox6->isChecked());
}

void TForm1::closeWordRecorder()
{
    wordRecorder->close();
}

void TForm1::kondel(const QString& recordingFile)
{
    kadmor::Recorder::recover(recordingFile);
}

void TForm1::trimRecording(const QString& recordingFile)
{
    kadmor::Recorder::trim(recordingFile);
}

void TForm1::BitBtn1Click()
{
    playSound(Table1->fieldByName(wordField::sound).asString());
    p2zaktabul->DBGrid1->setFocus();
}

void TForm1::BitBtn2Click()
{
    const QString picture = Table1->fieldByName(wordField::picture).asString();
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
    recordOwnPronunciation(*ownRecorder);
    p2zaktabul->DBGrid1->setFocus();
}

void TForm1::recordOwnPronunciation(kadmor::Recorder& recorder)
{
    if (recorder.isOpen())
        recorder.close();
    const QString own = QStringLiteral("mujzvuk");
    writeEmptyRecording(own);
    openRecorder(recorder, own);
}

void TForm1::BitBtn4Click()
{
    finishWordRecording();
    Table1->edit();
    const QString name = p3edit->DBEdit5->text();
    Table1->fieldByName(wordField::sound).setAsString(name);
    writeEmptyRecording(name);
    openRecorder(*wordRecorder, name);
}
