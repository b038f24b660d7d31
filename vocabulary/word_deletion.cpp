// SPDX-License-Identifier: GPL-3.0-or-later
// Deleting a word from the word list, with the sound and picture only it uses.
#include "shell/tform1.h"

#include "base/error.h"
#include "storage/layouts.h"
#include "storage/schema.h"
#include "vocabulary/kept_files.h"

namespace {

using kadmor::dialogs;
using namespace kadmor::kept_files;

} // namespace

void TForm1::BitBtn7Click()
{
    deleteCurrentRecord(Table1, QStringLiteral("Mazat může pouze oprávněná osoba!"), &TForm1::deleteWordFiles);
}

void TForm1::deleteCurrentRecord(kadmor::Table* table, const QString& refusal, void (TForm1::*deleteFiles)())
{
    if (!guard(refusal))
        return;
    dialogs().beep();
    if (dialogs().message(kadmor::BoxType::Warning, QStringLiteral("Opravdu chceš smazat tento záznam?"),
                          kadmor::Buttons::YesNo) != kadmor::Answer::Yes)
        return;
    QString failure;
    try {
        (this->*deleteFiles)();
    } catch (const kadmor::Error& error) {
        failure = error.text();
    }
    table->remove();
    if (!failure.isEmpty())
        throw kadmor::Error(failure);
}

// A sound or picture is deleted only when no other word and no phrase names it (lessons share
// sounds of the same word), and only when its name stays inside its folder.
void TForm1::deleteWordFiles()
{
    namespace layouts = kadmor::layouts;
    namespace field = kadmor::schema::words::field;
    NamedFile sound{field::sound, Table1->fieldByName(field::sound).asString()};
    NamedFile picture{field::picture, Table1->fieldByName(field::picture).asString()};
    if (sound.name.isEmpty() && picture.name.isEmpty())
        return;
    // The open tables count from the files as they are now, without opening them a second time
    // (which would check each index again).
    for (NamedFile* file : {&sound, &picture})
        if (!file->name.isEmpty())
            file->records += Table1->countRecordsWith(file->field, file->name);
    if (!sound.name.isEmpty()) { // phrases name sounds in their field of the same name
        if (Table3->isOpen())
            sound.records += Table3->countRecordsWith(sound.field, sound.name);
        else
            countRecordsNaming(dataFolder, layouts::phrases(), {&sound});
    }
    if (deletable(sound))
        deleteFile(soundFile(sound.name));
    if (deletable(picture))
        deleteFile(pictureFile(picture.name));
}
