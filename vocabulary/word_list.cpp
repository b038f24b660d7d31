// SPDX-License-Identifier: GPL-3.0-or-later
// The word list: the lesson restriction, the order and the search of the word table.
#include "shell/tform1.h"

#include "storage/schema.h"
#include "ui_word_list_page.h"
#include "util/lesson_key.h"

namespace {

namespace words = kadmor::schema::words;
constexpr auto lessonField = words::field::lesson;
constexpr auto lessonIndex = words::tag::lesson;
constexpr auto wordIndex = words::tag::foreign;
constexpr auto czechIndex = words::tag::czech;
constexpr auto phraseLessonIndex = kadmor::schema::phrases::tag::lesson;
const QString lessonOrderText = QStringLiteral("lekcí");
const QString czechOrderText = QStringLiteral("českých slov");

} // namespace

void TForm1::filtruj(const QString& field, const QString& value, const QString& index)
{
    Table1->setFilter(field + QStringLiteral("='") + value + u'\'');
    Table1->setFiltered(true);
    Table1->setIndexName(index);
}

void TForm1::nefiltruj(const QString& index)
{
    Table1->setFiltered(false);
    Table1->setIndexName(index);
}

QString TForm1::wordOrderText() const
{
    return languageName + QStringLiteral("ch slov");
}

// The order buttons and the combo box start from an empty lesson box and status bar.
void TForm1::resetWordList()
{
    p2zaktabul->Edit2->clear();
    setStatus(QString());
}

void TForm1::Edit2Enter()
{
    p2zaktabul->Edit2->clear();
}

void TForm1::chooseLesson(const QString& lesson)
{
    currentLesson = lesson;
    // The phrase editor may have left the phrases in sound-name order; their range is on lessons.
    Table3->setIndexName(phraseLessonIndex);
    if (lesson == kadmor::lesson_key::allLessons) {
        nefiltruj(wordIndex);
        Table3->cancelRange();
        return;
    }
    filtruj(lessonField, lesson, wordIndex);
    Table3->setRange(lesson, lesson);
}

void TForm1::Edit2Exit()
{
    const QString box = kadmor::lesson_key::padded(p2zaktabul->Edit2->text());
    p2zaktabul->Edit2->setText(box);
    chooseLesson(kadmor::lesson_key::chosen(box));
    if (currentLesson == kadmor::lesson_key::allLessons) {
        setStatus(QStringLiteral("neseřazeno, výpis všech slovíček"));
        p2zaktabul->ComboBox1->setEditText(wordOrderText());
        return;
    }
    setStatus(QStringLiteral("vybrána lekce číslo: ") + box);
    p2zaktabul->ComboBox1->setEditText(QStringLiteral("lekce číslo: ") + box);
}

void TForm1::DBGrid1Enter()
{
    p2zaktabul->Edit2->setText(currentLesson);
}

void TForm1::DBGrid1Escape()
{
    kadmor::dialogs().beep();
    if (kadmor::dialogs().message(kadmor::BoxType::Information, QStringLiteral("Opravdu chceš skončit?"),
                                  kadmor::Buttons::YesNo) == kadmor::Answer::Yes)
        close();
}

// All lessons ordered by lesson; the lesson chosen before stays the current one.
void TForm1::SpeedButton2Click()
{
    resetWordList();
    nefiltruj(lessonIndex);
    Table3->cancelRange();
    p2zaktabul->ComboBox1->setEditText(lessonOrderText);
    p2zaktabul->Edit2->setText(kadmor::lesson_key::allLessons);
}

void TForm1::SpeedButton3Click()
{
    resetWordList();
    Table1->setIndexName(wordIndex);
    p2zaktabul->ComboBox1->setEditText(wordOrderText());
}

void TForm1::SpeedButton4Click()
{
    resetWordList();
    Table1->setIndexName(czechIndex);
    p2zaktabul->ComboBox1->setEditText(czechOrderText);
}

// Unlike SpeedButton2, the item "lekcí" also leaves no lesson chosen.
void TForm1::ComboBox1Change()
{
    const QString text = p2zaktabul->ComboBox1->currentText();
    if (text == wordOrderText()) {
        resetWordList();
        Table1->setIndexName(wordIndex);
    } else if (text == czechOrderText) {
        resetWordList();
        Table1->setIndexName(czechIndex);
    } else if (text == lessonOrderText) {
        resetWordList();
        nefiltruj(lessonIndex);
        Table3->cancelRange();
        currentLesson = kadmor::lesson_key::noLesson;
    }
    p2zaktabul->DBGrid1->setFocus();
}

void TForm1::BitBtn14Click()
{
    p2zaktabul->Edit1->setFocus();
}

void TForm1::Edit1Change()
{
    Table1->findNearest(p2zaktabul->Edit1->text());
}

// A search in the lesson order would compare words with lesson numbers: it switches to the words.
void TForm1::Edit1Exit()
{
    p2zaktabul->Edit2->clear();
    const QString index = Table1->indexName();
    if (index != wordIndex && index != czechIndex) {
        Table1->setIndexName(wordIndex);
        p2zaktabul->ComboBox1->setEditText(wordOrderText());
    }
    Table1->findNearest(p2zaktabul->Edit1->text());
    setStatus(QString());
}

// The start-up's lesson: the one the lesson box shows.
void TForm1::selectFirstLesson()
{
    chooseLesson(kadmor::lesson_key::chosen(p2zaktabul->Edit2->text()));
}
