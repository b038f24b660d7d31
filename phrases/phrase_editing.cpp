// SPDX-License-Identifier: GPL-3.0-or-later
// The phrase editor: new phrases with their sound numbers, storing and cancelling, and copying
// every stored phrase into the new-phrases table.
#include "shell/tform1.h"

#include "phrases/phrase_numbers.h"
#include "storage/collection_copy.h"
#include "storage/schema.h"
#include "ui_phrase_edit_page.h"
#include "ui_phrase_page.h"
#include "util/lesson_key.h"
#include "vocabulary/sound/recorder.h"

#include <QTimer>

namespace {

namespace phrases = kadmor::schema::phrases;
constexpr auto lessonIndex = phrases::tag::lesson;
constexpr auto soundIndex = phrases::tag::sound;
constexpr auto lessonField = phrases::field::lesson;
constexpr auto soundField = phrases::field::sound;

} // namespace

// The highest sound name is the last in the textual sound-name order; the table stays in that order,
// without the lesson range, until OK.
void TForm1::BitBtn21Click()
{
    storePhraseRecording();
    copyToNewPhrases();
    Table3->cancelRange(); // stores the phrase edited so far
    Table3->setIndexName(soundIndex);
    Table3->last();
    const QString highest = Table3->recordCount() > 0 ? Table3->fieldByName(soundField).asString() : QString();
    const QString sound = kadmor::phrase_numbers::next(highest);
    Table3->append();
    Table3->fieldByName(lessonField).setAsString(currentLesson);
    Table3->fieldByName(soundField).setAsString(sound);
    p8editfraze->DBEdit38->setText(sound);
    p8editfraze->DBEdit39->setFocus();
}

void TForm1::Button7Click()
{
    copyToNewPhrases();
    Table3->refresh(); // stores the phrase being edited
    storePhraseRecording();
    showPage(p7frazeIndex);
    Table3->setIndexName(lessonIndex);
    Table3->setRange(currentLesson, currentLesson);
    Timer1->start();
}

// Order and range stay as they are: after "&Nová fráze" all phrases are listed by sound name.
void TForm1::SpeedButton8Click()
{
    Table3->cancel();
    Timer1->start();
    showPage(p7frazeIndex);
    if (phraseRecorder->isOpen())
        phraseRecorder->close();
}

void TForm1::DBEdit39Exit()
{
    const QString lesson = kadmor::lesson_key::padded(p8editfraze->DBEdit39->text());
    if (lesson == p8editfraze->DBEdit39->text())
        return;
    if (Table3->isEditing())
        Table3->fieldByName(lessonField).setAsString(lesson);
    else
        p8editfraze->DBEdit39->setText(lesson);
}

// Only "&Nová fráze" and "&OK" copy: a phrase stored by moving with the navigator is not copied.
void TForm1::copyToNewPhrases()
{
    if (!Table3->isEditing() || !collectingNewWords())
        return;
    kadmor::collect(*Table3, *Table7, kadmor::collection::phraseFields());
}
