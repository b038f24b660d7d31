// SPDX-License-Identifier: GPL-3.0-or-later
// Deleting a word from the word list, with the sound and picture only it uses.
#include "shell/tform1.h"

#include "storage/error.h"
#include "storage/layouts.h"
#include "util/soubory.h"

#include <QFile>

namespace {

using kadmor::dialogs;

// How many records of the table in the data folder name the file in the field.
int recordsNaming(const QString& dataFolder, const kadmor::TableLayout& layout, const QString& field,
                  const QString& name)
{
    kadmor::Table table(layout);
    table.setDatabaseName(dataFolder);
    table.setTableName(layout.fileName);
    table.open();
    int count = 0;
    for (table.first(); !table.eof(); table.next())
        count += table.fieldByName(field).asString() == name ? 1 : 0;
    return count;
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
    const QString sound = Table1->fieldByName(QStringLiteral("ZVUK")).asString();
    const QString picture = Table1->fieldByName(QStringLiteral("OBR")).asString();
    if (!sound.isEmpty() && kadmor::isPlainFileName(sound) &&
        recordsNaming(dataFolder, layouts::words(), QStringLiteral("ZVUK"), sound) <= 1 &&
        recordsNaming(dataFolder, layouts::phrases(), QStringLiteral("ZVUK"), sound) == 0)
        deleteFile(soundFile(sound));
    if (!picture.isEmpty() && kadmor::isPlainFileName(picture) &&
        recordsNaming(dataFolder, layouts::words(), QStringLiteral("OBR"), picture) <= 1)
        deleteFile(pictureFile(picture));
}
