// SPDX-License-Identifier: GPL-3.0-or-later
// Deleting a word from the word list, with the sound and picture only it uses.
#include "shell/tform1.h"

#include "base/error.h"
#include "storage/layouts.h"
#include "util/soubory.h"

#include <QFile>

namespace {

using kadmor::dialogs;

// A file name stored in a field, and how many records of the tables counted so far name it.
struct NamedFile
{
    QString field;
    QString name;
    int records = 0;
};

// Adds the records of the table in the data folder that name each file, in one pass.
void countRecordsNaming(const QString& dataFolder, const kadmor::TableLayout& layout, QList<NamedFile*> files)
{
    kadmor::Table table(layout);
    table.setDatabaseName(dataFolder);
    table.setTableName(layout.fileName);
    table.open();
    for (table.first(); !table.eof(); table.next()) {
        for (NamedFile* file : files)
            file->records += table.fieldByName(file->field).asString() == file->name ? 1 : 0;
    }
}

// Whether the word's file may go: a plain name that no other word (and for sounds no phrase) names.
bool deletable(const NamedFile& file)
{
    return !file.name.isEmpty() && kadmor::isPlainFileName(file.name) && file.records <= 1;
}

// Deletes the file; a failure is an input/output error.
void deleteFile(const QString& path)
{
    if (!QFile::exists(path))
        throw kadmor::Error(QStringLiteral("Soubor \"%1\" neexistuje.").arg(path));
    if (!QFile::remove(path))
        throw kadmor::Error(QStringLiteral("Soubor \"%1\" nelze smazat.").arg(path));
}

} // namespace

// The record goes in every case; a file that could not be deleted is reported afterwards.
void TForm1::BitBtn7Click()
{
    if (!guard(QStringLiteral("Mazat může pouze oprávněná osoba!")))
        return;
    dialogs().beep();
    if (dialogs().message(kadmor::BoxType::Warning, QStringLiteral("Opravdu chceš smazat tento záznam?"),
                          kadmor::Buttons::YesNo) != kadmor::Answer::Yes)
        return;
    QString failure;
    try {
        deleteWordFiles();
    } catch (const kadmor::Error& error) {
        failure = error.text();
    }
    Table1->remove();
    if (!failure.isEmpty())
        throw kadmor::Error(failure);
}

// A sound or picture is deleted only when no other word and no phrase names it (lessons share
// sounds of the same word), and only when its name stays inside its folder.
void TForm1::deleteWordFiles()
{
    namespace layouts = kadmor::layouts;
    NamedFile sound{QStringLiteral("ZVUK"), Table1->fieldByName(QStringLiteral("ZVUK")).asString()};
    NamedFile picture{QStringLiteral("OBR"), Table1->fieldByName(QStringLiteral("OBR")).asString()};
    if (sound.name.isEmpty() && picture.name.isEmpty())
        return;
    countRecordsNaming(dataFolder, layouts::words(), {&sound, &picture});
    if (!sound.name.isEmpty())
        countRecordsNaming(dataFolder, layouts::phrases(), {&sound}); // phrases name sounds in ZVUK too
    if (deletable(sound))
        deleteFile(soundFile(sound.name));
    if (deletable(picture))
        deleteFile(pictureFile(picture.name));
}
