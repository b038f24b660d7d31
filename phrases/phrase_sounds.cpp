// SPDX-License-Identifier: GPL-3.0-or-later
// Hearing and recording phrases: a phrase heard, the pupil's own pronunciation on the phrase page
// and the teacher's recording of a phrase's sound in the editor.
#include "shell/tform1.h"

#include "storage/schema.h"
#include "ui_phrase_edit_page.h"
#include "ui_phrase_page.h"
#include "vocabulary/sound/media_player.h"
#include "vocabulary/sound/recorder.h"

void TForm1::BitBtn19Click()
{
    p7fraze->DBGrid3->setFocus();
    playSoundOn(p7fraze->MediaPlayer7, Table3->fieldByName(kadmor::schema::phrases::field::sound).asString());
}

void TForm1::MediaPlayer7Notify()
{
    p7fraze->MediaPlayer7->player().close();
}

void TForm1::Image5Click()
{
    recordOwnPronunciation(*phraseOwnRecorder);
    p7fraze->DBGrid3->setFocus();
}

// Recording again before storing starts over on a file that holds only the header.
void TForm1::Image2Click()
{
    p8editfraze->MediaPlayer6->setFocus();
    Table3->edit();
    const QString name = p8editfraze->DBEdit38->text();
    Table3->fieldByName(kadmor::schema::phrases::field::sound).setAsString(name);
    phraseRecorder->saveAndClose();
    writeEmptyRecording(name);
    openRecorder(*phraseRecorder, name);
}

// A failed save is not reported here: the recovery restores what the recorder kept.
void TForm1::storePhraseRecording()
{
    if (phraseRecorder->isOpen())
        kondelfr(phraseRecorder->saveAndClose());
}

void TForm1::kondelfr(const QString& recordingFile)
{
    kondel(recordingFile);
}
