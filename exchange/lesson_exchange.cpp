// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson exchange: into and out of the new-words page, collecting the shown lesson, deleting the
// collection, emptying the package folder and the size of a package.
#include "shell/tform1.h"

#include "base/error.h"
#include "exchange/package_rules.h"
#include "storage/collection_copy.h"
#include "storage/controls_disabled.h"
#include "storage/layouts.h"
#include "ui_new_words_page.h"
#include "ui_word_list_page.h"
#include "util/soubory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using kadmor::dialogs;
namespace package = kadmor::package;

namespace {

void copyAll(kadmor::Table* from, kadmor::Table* into, const QList<kadmor::CollectedField>& fields)
{
    {
        kadmor::ControlsDisabled suspended(*from);
        for (from->first(); !from->eof(); from->next())
            kadmor::collect(*from, *into, fields);
    }
    into->refresh();
}

} // namespace

void TForm1::BitBtn29Click()
{
    showPage(p11novaslovaIndex);
}

void TForm1::BitBtn28Click()
{
    showPage(p2zaktabulIndex);
}

// An empty field would name the root folder.
QString TForm1::takeNewLessonFolder()
{
    const QString typed = p11novaslova->Edit18->text().trimmed();
    if (typed.isEmpty())
        throw kadmor::Error(QStringLiteral("Není zadána složka, ze které se má číst nebo do které se má zapisovat."));
    newLessonFolder = package::withTrailingSlash(typed);
    p11novaslova->Edit18->setText(newLessonFolder);
    return newLessonFolder;
}

void TForm1::pointNewTables(const QString& folder)
{
    for (kadmor::Table* table : {Table6, Table7}) {
        try {
            table->close();
        } catch (const kadmor::Error&) {
            // A record that cannot be stored any more is no reason to keep the table where it was.
        }
        table->setDatabaseName(folder);
    }
}

// The word list and the phrase list as they are shown: one lesson, or all of them.
void TForm1::BitBtn31Click()
{
    pointNewTables(dataFolder);
    Table6->open();
    Table7->open();
    copyAll(Table1, Table6, kadmor::collection::wordFields());
    copyAll(Table3, Table7, kadmor::collection::phraseFields());
}

void TForm1::Button9Click()
{
    smazNovaSlova();
}

void TForm1::smazNovaSlova()
{
    pointNewTables(dataFolder);
    QCoreApplication::processEvents();
    try {
        Table6->emptyTable();
        Table7->emptyTable();
    } catch (const kadmor::Error&) {
        dialogs().beep();
        namespace layouts = kadmor::layouts;
        kadmor::replaceByTemplates(dataFolder,
                                   layouts::filesOf(layouts::newWords()) + layouts::filesOf(layouts::newPhrases()));
    }
    QCoreApplication::processEvents();
    Table6->open();
    Table7->open();
}

// Every entry but the folder's own "." and "..": an empty folder counts as cleaned.
void TForm1::Button10Click()
{
    const QString folder = takeNewLessonFolder();
    setStatus(QStringLiteral("Pracuji, čekej..."));
    if (package::belongsToInstallation(folder,
                                       {dataFolder, applicationFolder, applicationFolderSlash + "sounds",
                                        applicationFolderSlash + "pictures", QDir::homePath(), QDir::rootPath()})) {
        setStatus(QString());
        dialogs().beep();
        dialogs().message(kadmor::BoxType::Warning,
                          QStringLiteral("Složku „%1“ nelze vyčistit: patří programu, nebo je to domovská či "
                                         "kořenová složka.")
                              .arg(folder),
                          kadmor::Buttons::Ok);
        return;
    }
    bool cleaned = true;
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
        cleaned = QFile::remove(folder + name);
    setStatus(QString());
    dialogs().beep();
    dialogs().message(kadmor::BoxType::Information,
                      QStringLiteral("Disk \"") + p11novaslova->Edit18->text() +
                          (cleaned ? QStringLiteral("\" je vyčištěn!") : QStringLiteral("\" není vyčištěn!")),
                      kadmor::Buttons::Ok);
}

void TForm1::BitBtn33Click()
{
    const QList<package::Record> words = package::recordsOf(*Table6, kadmor::collection::wordFields());
    const QList<package::Record> phrases = package::recordsOf(*Table7, kadmor::collection::phraseFields());
    const package::Folders folders{dataFolder + u'/', applicationFolderSlash + QStringLiteral("pictures/"),
                                   applicationFolderSlash + QStringLiteral("sounds/")};
    const qint64 size = package::estimatedSize(package::neededFiles(words, phrases), folders);
    dialogs().beep();
    dialogs().message(kadmor::BoxType::Information,
                      QStringLiteral("Na disketě je potřeba: ") + QString::number(size) +
                          QStringLiteral(" volných bytů!"),
                      kadmor::Buttons::Ok);
}
