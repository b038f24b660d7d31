// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the collection as a lesson package into the new-lesson folder, and reading a package
// into the word and phrase tables. Names in a package come from another computer: a picture or
// sound name that would reach outside its folder is refused, and an incoming phrase whose sound
// name is taken here gets the next free phrase number.
#include "shell/tform1.h"

#include "base/error.h"
#include "exchange/package_rules.h"
#include "storage/collection_copy.h"
#include "storage/layouts.h"
#include "storage/schema.h"
#include "storage/system_error.h"
#include "ui_new_words_page.h"
#include "util/soubory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTimer>

#include <filesystem>

using kadmor::dialogs;
namespace package = kadmor::package;
namespace schema = kadmor::schema;

namespace {

void refuse(const QString& name)
{
    dialogs().beep();
    dialogs().message(kadmor::BoxType::Warning, package::refusal(name), kadmor::Buttons::Ok);
}

// Creates the package folder (one level) when it is missing; false after the message.
bool createPackageFolder(const QString& folder)
{
    const QString path = folder.chopped(1);
    if (path.isEmpty() || QFileInfo(path).isDir())
        return true;
    std::error_code error;
    std::filesystem::create_directory(std::filesystem::path(path.toStdString()), error);
    if (!error)
        return true;
    dialogs().beep();
    dialogs().message(kadmor::BoxType::Error,
                      QStringLiteral("Složku nelze vytvořit: %1.").arg(kadmor::systemErrorText(error.value())) +
                          QStringLiteral("\rNelze vytvořit adresář ") + path,
                      kadmor::Buttons::Ok);
    return false;
}

// The sound names the word or phrase table of the data folder holds, read past any range.
QSet<QString> soundNames(const QString& dataFolder, const kadmor::TableLayout& layout, const QString& soundField)
{
    kadmor::Table table(layout);
    table.setDatabaseName(dataFolder);
    table.open();
    QSet<QString> names;
    for (table.first(); !table.eof(); table.next())
        names.insert(table.fieldByName(soundField).asString());
    names.remove(QString());
    return names;
}

} // namespace

void TForm1::copyIntoPackage(const QString& source, const QString& target)
{
    if (copier.copy(source, target))
        return;
    const QString folder = p11novaslova->Edit18->text();
    dialogs().beep();
    const kadmor::Answer answer =
        dialogs().message(kadmor::BoxType::Error,
                          QStringLiteral("Nelze zapisovat na ") + folder + QStringLiteral(". Přístup na \"") + folder +
                              QStringLiteral("\" odmítnut!\rPokračovat?"),
                          kadmor::Buttons::YesNo);
    if (answer == kadmor::Answer::Yes)
        copier.setDone(true);
}

// Each file is copied once, however many records name it; "Lekce je uložena!" follows also when
// the user stopped the writing.
void TForm1::BitBtn26Click()
{
    const QString folder = takeNewLessonFolder();
    if (!createPackageFolder(folder))
        return;
    pointNewTables(dataFolder);
    const package::Folders folders{dataFolder + u'/', applicationFolderSlash + QStringLiteral("pictures/"),
                                   applicationFolderSlash + QStringLiteral("sounds/")};
    copyIntoPackage(folders.data + schema::newWords::file, folder + schema::newWords::file);
    if (copier.done())
        copyIntoPackage(folders.data + schema::newPhrases::file, folder + schema::newPhrases::file);
    Table6->open();
    Table7->open();

    const QList<package::Record> words = package::recordsOf(*Table6, kadmor::collection::wordFields());
    const QList<package::Record> phrases = package::recordsOf(*Table7, kadmor::collection::phraseFields());
    const QList<package::File> files = package::neededFiles(words, phrases);
    for (const package::File& file : files) {
        if (!copier.done())
            break;
        if (file.folder == package::File::Folder::Data)
            continue;
        if (!file.allowed) {
            refuse(file.given);
            continue;
        }
        copyIntoPackage(package::pathOf(file, folders), folder + file.name);
        QCoreApplication::processEvents();
    }
    dialogs().beep();
    dialogs().message(kadmor::BoxType::Information, QStringLiteral("Lekce je uložena!"), kadmor::Buttons::Ok);
}

// A read that fails (no package in the folder, say) puts the collection tables back on the data
// folder and the refresh running at once, instead of leaving them on the package.
void TForm1::BitBtn27Click()
{
    Timer1->stop();
    const QString folder = takeNewLessonFolder();
    const auto restore = [this] {
        pointNewTables(dataFolder);
        Table6->open();
        Table7->open();
        Timer1->start();
    };
    try {
        pointNewTables(folder);
        Table6->open();
        Table7->open();
        readPackageWords(folder);
        readPackagePhrases(folder);
        Table3->refresh();
    } catch (const kadmor::Error&) {
        try {
            restore();
        } catch (const kadmor::Error&) {
            // The read's own error is the one to show.
        }
        throw;
    }
    dialogs().beep();
    dialogs().message(kadmor::BoxType::Information, QStringLiteral("Lekce byla načtena!"), kadmor::Buttons::Ok);
    restore();
}

// A picture or sound whose copy failed (Copy file has told the user) still gets its name; a refused
// name is not stored.
void TForm1::readPackageWords(const QString& folder)
{
    using Names = kadmor::CollectedField::Names;
    kadmor::readBack(*Table6, *Table1, kadmor::collection::wordFields(), [&](Names names, const QString& name) {
        if (!package::allowedName(name)) {
            refuse(name);
            return QString();
        }
        if (names == Names::Picture)
            kadmor::copyFile(folder + name, pictureFile(name));
        else
            kadmor::copyFile(folder + package::soundFileName(name), soundFile(name));
        return name;
    });
}

// Every installation numbers its phrase sounds from the same base: an incoming phrase whose sound
// name a phrase or word here already uses, or whose sound file exists here, is renumbered, so that
// neither the local sound is overwritten nor the incoming phrase plays another phrase's sound.
void TForm1::readPackagePhrases(const QString& folder)
{
    QSet<QString> phraseSounds = soundNames(dataFolder, kadmor::layouts::phrases(), schema::phrases::field::sound);
    const QSet<QString> wordSounds = soundNames(dataFolder, kadmor::layouts::words(), schema::words::field::sound);
    const auto taken = [&](const QString& name) {
        return phraseSounds.contains(name) || wordSounds.contains(name) || QFile::exists(soundFile(name));
    };
    kadmor::readBack(
        *Table7, *Table3, kadmor::collection::phraseFields(), [&](kadmor::CollectedField::Names, const QString& sound) {
            if (!package::allowedName(sound)) {
                refuse(sound);
                return QString();
            }
            const QString local = taken(sound) ? package::freePhraseSound(phraseSounds.values(), taken) : sound;
            kadmor::copyFile(folder + package::soundFileName(sound), soundFile(local));
            phraseSounds.insert(local);
            return local;
        });
}
