// SPDX-License-Identifier: GPL-3.0-or-later
// Word editing: the word editor page, new words with their duplicate check, and copying every
// edited word into the new-words table.
#include "shell/tform1.h"

#include "base/error.h"
#include "storage/collection_copy.h"
#include "storage/schema.h"
#include "ui_word_edit_page.h"
#include "ui_word_list_page.h"
#include "util/lesson_key.h"

#include <QTimer>

namespace {

namespace words = kadmor::schema::words;
constexpr auto wordField = words::field::foreign;
constexpr auto czechField = words::field::czech;
constexpr auto lessonField = words::field::lesson;
constexpr auto soundField = words::field::sound;

} // namespace

void TForm1::BitBtn3Click()
{
    if (!guard(QStringLiteral("Editovat může pouze oprávněná osoba!")))
        return;
    Timer1->stop();
    newWordMode = false;
    Table1->edit();
    showPage(p3editIndex);
    p3edit->Edit17->setFocus();
}

void TForm1::BitBtn6Click()
{
    newWordMode = true;
    finishWordRecording();
    copyToNewWords();
    Table1->append(); // saves the word edited so far
    p3edit->Edit17->setText(p2zaktabul->Edit2->text());
    p3edit->Edit17->setFocus();
}

void TForm1::Button2Click()
{
    copyToNewWords();
    Table1->refresh(); // saves the word being edited
    finishWordRecording();
    Timer1->start();
    showPage(p2zaktabulIndex);
}

void TForm1::SpeedButton1Click()
{
    try {
        Table1->cancel();
    } catch (const kadmor::Error&) {
        // Nothing to cancel is no reason to stay in the editor.
    }
    closeWordRecorder();
    Timer1->start();
    showPage(p2zaktabulIndex);
}

// Every word edited or added while "připisovat" is ticked goes into the next lesson package.
void TForm1::copyToNewWords()
{
    if (!Table1->isEditing() || !collectingNewWords())
        return;
    kadmor::collect(*Table1, *Table6, kadmor::collection::wordFields());
}

void TForm1::Edit17Enter()
{
    p3edit->Edit17->setText(p2zaktabul->Edit2->text());
}

void TForm1::Edit17Exit()
{
    p3edit->Edit17->setText(kadmor::lesson_key::padded(p3edit->Edit17->text()));
}

// The typed word starts a fresh record after a look through all lessons for the same word; a
// duplicate is only a warning.
void TForm1::DBEdit1Exit()
{
    if (!newWordMode)
        return;
    const QString word = Table1->fieldByName(wordField).asString();
    discardNewWord();
    kadmor::dialogs().beep();
    nefiltruj(words::tag::foreign);
    if (Table1->findKey(word))
        showDuplicate();
    filtruj(lessonField, currentLesson, words::tag::foreign);
    Table1->append();
    Table1->fieldByName(wordField).setAsString(word);
}

// Only a record that was never saved is discarded: a saved word reached with the navigator is
// kept (its changes are saved by the next append).
void TForm1::discardNewWord()
{
    if (Table1->state() == kadmor::TableState::Insert)
        Table1->cancel();
}

void TForm1::showDuplicate()
{
    kadmor::dialogs().message(kadmor::BoxType::Information,
                              QStringLiteral("Pozor, toto slovo již existuje!\rlekce: ") +
                                  Table1->fieldByName(lessonField).asString() + u'\r' + languageName +
                                  QStringLiteral(": ") + Table1->fieldByName(wordField).asString() +
                                  QStringLiteral("\rčesky: ") + Table1->fieldByName(czechField).asString(),
                              kadmor::Buttons::Ok);
}

// The lesson, the word and the proposed sound name are written whenever the Czech word is left,
// so a word always takes the lesson shown in Edit17.
void TForm1::DBEdit3Exit()
{
    if (!newWordMode)
        Table1->edit();
    const QString word = p3edit->DBEdit1->text();
    Table1->fieldByName(wordField).setAsString(word);
    Table1->fieldByName(soundField).setAsString(word);
    Table1->fieldByName(lessonField).setAsString(p3edit->Edit17->text());
}

void TForm1::DBEdit5Enter()
{
    const QString word = p3edit->DBEdit1->text();
    if (Table1->isEditing())
        Table1->fieldByName(soundField).setAsString(word);
    else
        p3edit->DBEdit5->setText(word);
}
