// SPDX-License-Identifier: GPL-3.0-or-later
// Deleting in bulk: everything, the current lesson's words, the current lesson's phrases.
#include "shell/tform1.h"

#include "base/error.h"
#include "maintenance/maintenance_rules.h"
#include "storage/controls_disabled.h"
#include "storage/layouts.h"
#include "storage/schema.h"
#include "storage/table_group.h"
#include "ui_word_list_page.h"
#include "util/confirmation_number.h"
#include "util/soubory.h"
#include "util/tools.h"
#include "vocabulary/kept_files.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QTimer>

#include <exception>
#include <functional>

namespace {

using kadmor::Answer;
using kadmor::BoxType;
using kadmor::Buttons;
using kadmor::dialogs;
using kadmor::kept_files::NamedFile;
namespace maintenance = kadmor::maintenance;
namespace schema = kadmor::schema;

const QString mayDelete = QStringLiteral("Mazat může pouze oprávněná osoba!");
const QString mayEdit = QStringLiteral("Editovat může pouze oprávněná osoba!");

void letWindowPaint()
{
    QCoreApplication::processEvents();
}

// The refresh timer does not tick into a walk (a box shown on an error runs the event loop); it
// runs again afterwards when it ran before.
class RefreshPaused
{
  public:
    explicit RefreshPaused(QTimer& timer) : m_timer(timer), m_wasActive(timer.isActive()) { m_timer.stop(); }
    ~RefreshPaused()
    {
        if (m_wasActive)
            m_timer.start();
    }
    RefreshPaused(const RefreshPaused&) = delete;
    RefreshPaused& operator=(const RefreshPaused&) = delete;

  private:
    QTimer& m_timer;
    bool m_wasActive;
};

// A field of the list that names a file, and the file a name stands for.
struct FileField
{
    QString field;
    std::function<QString(const QString& name)> path;
};

// A file that a record names: its count of naming records, and its path.
struct RecordFile
{
    NamedFile* file;
    QString path;
};

// The sounds and pictures that the records of a list name, with how many records of the word and
// phrase tables name each: a file goes with the last record that names it, never while another
// word or phrase still does.
class NamedFiles
{
  public:
    NamedFiles(kadmor::Table& list, QList<FileField> fields, const QString& dataFolder) : m_fields(std::move(fields))
    {
        const kadmor::Bookmark start = list.bookmark();
        for (list.first(); !list.eof(); list.next()) {
            for (const FileField& field : m_fields) {
                const QString name = list.fieldByName(field.field).asString();
                if (!name.isEmpty() && !m_files.contains(key(field.field, name)))
                    m_files.insert(key(field.field, name), NamedFile{field.field, name});
            }
        }
        list.gotoBookmark(start);
        QList<NamedFile*> inWords;
        QList<NamedFile*> sounds;
        for (NamedFile& file : m_files) {
            inWords.append(&file);
            if (file.field == schema::words::field::sound)
                sounds.append(&file); // words and phrases name their sounds in fields of one name
        }
        if (!inWords.isEmpty())
            kadmor::kept_files::countRecordsNaming(dataFolder, kadmor::layouts::words(), inWords);
        if (!sounds.isEmpty())
            kadmor::kept_files::countRecordsNaming(dataFolder, kadmor::layouts::phrases(), sounds);
    }

    // The files the current record of the list names; a name reaching outside its folder has none.
    QList<RecordFile> of(kadmor::Table& list)
    {
        QList<RecordFile> files;
        for (const FileField& field : m_fields) {
            const QString name = list.fieldByName(field.field).asString();
            const auto found = m_files.find(key(field.field, name));
            if (found != m_files.end())
                files.append({&*found, kadmor::isPlainFileName(name) ? field.path(name) : QString()});
        }
        return files;
    }

  private:
    static QString key(const QString& field, const QString& name) { return field + u'\n' + name; }

    QList<FileField> m_fields;
    QHash<QString, NamedFile> m_files;
};

// The files of a deleted record: one record fewer names each, and an existing file that no other
// record names goes.
void deleteFilesOf(const QList<RecordFile>& files)
{
    for (const RecordFile& named : files) {
        const bool deletable = kadmor::kept_files::deletable(*named.file);
        --named.file->records;
        if (deletable && QFile::exists(named.path))
            kadmor::kept_files::deleteFile(named.path);
    }
}

// "Pokračovat?" after a record that could not be deleted with its files.
bool goOnAfter(const kadmor::Error& error)
{
    return dialogs().message(BoxType::Error, error.text() + QStringLiteral("\rPokračovat?"), Buttons::YesNo) ==
           Answer::Yes;
}

// Deletes the records of the list from the current one on; the cursor moves on by itself after each
// deletion, so the whole list goes. The record goes before its files, so that a failure never
// leaves a record naming a deleted file. After a failure the user decides whether to go on; a
// record that could not be deleted stays with its files.
void deleteList(kadmor::Table& list, const QList<FileField>& fields, const QString& dataFolder)
{
    if (list.recordCount() == 0)
        return;
    NamedFiles files(list, fields, dataFolder);
    while (!list.eof()) {
        QList<RecordFile> named;
        try {
            named = files.of(list);
            list.remove();
        } catch (const kadmor::Error& error) {
            if (!goOnAfter(error))
                return;
            list.next();
            continue;
        }
        try {
            deleteFilesOf(named);
        } catch (const kadmor::Error& error) {
            if (!goOnAfter(error))
                return;
        }
    }
}

} // namespace

bool TForm1::confirmBulkDeletion(const QString& question, const QString& refusal, bool warningSound)
{
    if (!guard(refusal))
        return false;
    dialogs().beep();
    if (warningSound && kadmor::soundDevicePresent())
        playSound(QStringLiteral("varovani"));
    if (dialogs().message(BoxType::Warning, question + QStringLiteral("\rMůžete ztratit práci za několik let!!!"),
                          Buttons::YesNo) != Answer::Yes)
        return false;
    return kadmor::confirmed(
        dialogs().input(maintenance::confirmationCaption(), kadmor::confirmationPrompt(), QString()));
}

void TForm1::BitBtn5Click()
{
    if (!confirmBulkDeletion(QStringLiteral("Opravdu chceš smazat úplně všechno?"), mayDelete, true))
        return;
    Timer1->stop();
    p2zaktabul->Edit2->clear();
    Edit2Exit();
    setStatus(QStringLiteral("Mažu všechno, momentíček..."));
    letWindowPaint();
    const QList<kadmor::Table*> tables = {Table1, Table2, Table3};
    kadmor::tables::close(tables);

    bool success = false;
    std::exception_ptr failure;
    try {
        try {
            for (kadmor::Table* table : tables)
                table->emptyTable();
            smazNovaSlova();
            success = true;
        } catch (const kadmor::Error&) {
            if (dialogs().message(BoxType::Error, QStringLiteral("Tabulky nejde smazat, mám to zkusit znova?"),
                                  Buttons::YesNo) == Answer::Yes) {
                kadmor::replaceByTemplates(dataFolder, maintenance::everythingTemplates());
                success = true;
            }
        }
    } catch (...) {
        failure = std::current_exception();
    }
    // Whatever happened, the tables are open again and the shared refresh goes on.
    try {
        kadmor::tables::open(tables);
    } catch (...) {
        if (!failure)
            failure = std::current_exception();
    }
    Timer1->start();
    // The reopened tables announce their first record on the next turn of the event loop; the
    // status line is cleared after that.
    letWindowPaint();
    if (failure || !success)
        setStatus(QString());
    if (failure)
        std::rethrow_exception(failure);
    if (!success)
        return;
    maintenance::emptyFolder(applicationFolder + QStringLiteral("/sounds"), &maintenance::keptSound);
    letWindowPaint();
    maintenance::emptyFolder(applicationFolder + QStringLiteral("/pictures"), nullptr);
    dialogs().beep();
    setStatus(QString());
    dialogs().message(BoxType::Plain, QStringLiteral("Všechno bylo smazáno!!!"), Buttons::Ok);
}

void TForm1::BitBtn35Click()
{
    if (!confirmBulkDeletion(QStringLiteral("Opravdu chceš smazat tuto lekci?"), mayDelete, false))
        return;
    RefreshPaused paused(*Timer1);
    kadmor::ControlsDisabled suspended(*Table1);
    Table1->first();
    deleteList(*Table1,
               {{schema::words::field::sound, [this](const QString& name) { return soundFile(name); }},
                {schema::words::field::picture, [this](const QString& name) { return pictureFile(name); }}},
               dataFolder);
}

void TForm1::BitBtn36Click()
{
    if (!confirmBulkDeletion(QStringLiteral("Opravdu chceš smazat tyto fráze?"), mayEdit, false))
        return;
    RefreshPaused paused(*Timer1);
    kadmor::ControlsDisabled suspended(*Table3);
    deleteList(*Table3, {{schema::phrases::field::sound, [this](const QString& name) { return soundFile(name); }}},
               dataFolder);
}
