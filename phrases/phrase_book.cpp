// SPDX-License-Identifier: GPL-3.0-or-later
// The phrase book: into and out of its pages, and deleting one phrase with the sound only it uses.
#include "shell/tform1.h"

#include "storage/schema.h"
#include "ui_phrase_edit_page.h"
#include "ui_phrase_page.h"
#include "ui_word_list_page.h"
#include "vocabulary/kept_files.h"
#include "vocabulary/sound/media_player.h"
#include "vocabulary/sound/recorder.h"

#include <QTimer>

using kadmor::dialogs;

void TForm1::BitBtn15Click()
{
    ownRecorder->close();
    showPage(p7frazeIndex);
}

// The own recording's flag stays: the next use of the own-pronunciation button closes nothing more.
void TForm1::BitBtn16Click()
{
    p7fraze->MediaPlayer5->player().close();
    showPage(p2zaktabulIndex);
}

void TForm1::BitBtn18Click()
{
    if (!guard(QStringLiteral("Editovat může pouze oprávněná osoba!")))
        return;
    Timer1->stop();
    showPage(p8editfrazeIndex);
    p8editfraze->DBEdit39->setFocus();
}

void TForm1::BitBtn22Click()
{
    deleteCurrentRecord(Table3, QStringLiteral("Editovat může pouze oprávněná osoba!"), &TForm1::deletePhraseSound);
}

// Phrase sounds come from other installations' packages and words name sounds too: the
// file goes only when no other phrase and no word names it, and only inside the sounds folder.
void TForm1::deletePhraseSound()
{
    using namespace kadmor::kept_files;
    const QString soundField = kadmor::schema::phrases::field::sound; // the word table's too
    NamedFile sound{soundField, Table3->fieldByName(soundField).asString()};
    if (sound.name.isEmpty())
        return;
    // The open tables count from the files as they are now, without opening them a second time.
    sound.records =
        Table3->countRecordsWith(sound.field, sound.name) + Table1->countRecordsWith(sound.field, sound.name);
    if (deletable(sound))
        deleteFile(soundFile(sound.name));
}
