// SPDX-License-Identifier: GPL-3.0-or-later
// The test session: the test page for the selected pupil, its set-up boxes, and the test itself,
// which asks, waits for the answer, judges it, shows and plays the sign, keeps the wrong words and
// hands the grade to the grade book.
#include "shell/tform1.h"

#include "base/error.h"
#include "storage/schema.h"
#include "storage/table_group.h"
#include "testing/test_rules.h"
#include "ui_test_page.h"
#include "util/lesson_key.h"
#include "util/tools.h"
#include "vocabulary/sound/media_player.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTimer>

using kadmor::Answer;
using kadmor::BoxType;
using kadmor::Buttons;
using kadmor::dialogs;

namespace {

namespace words = kadmor::schema::words;
constexpr int minimumWords = 10;
constexpr int pauseTicks = 2; // the feedback without a sound device lasts two timer ticks
const QColor askingColour(192, 192, 192);

void warn(const QString& text)
{
    dialogs().beep();
    dialogs().message(BoxType::Warning, text, Buttons::Ok);
}

// The word count box as a whole number; anything else is the number conversion's error.
int wordCount(const QLineEdit* box)
{
    bool ok = false;
    const int count = box->text().trimmed().toInt(&ok);
    if (!ok)
        throw kadmor::Error(QStringLiteral("„%1“ není platné celé číslo.").arg(box->text()));
    return count;
}

QString fieldText(kadmor::Table* table, const QString& field)
{
    return table->fieldByName(field).asString();
}

} // namespace

void TForm1::BitBtn9Click()
{
    const QString name = Table2->recordCount() > 0 ? fieldText(Table2, kadmor::schema::grades::field::name) : QString();
    if (name.isEmpty()) {
        warn(QStringLiteral("První musí být zapsáno jméno žáka. Stiskněte tlačítko NOVÝ."));
        return;
    }
    showPage(p6zkouseniIndex);
    p6zkouseni->Edit7->setText(name);
    p6zkouseni->Edit4->setText(currentLesson);
    p6zkouseni->Edit4->setFocus();
}

void TForm1::Edit4Exit()
{
    const QString box = kadmor::lesson_key::padded(p6zkouseni->Edit4->text());
    p6zkouseni->Edit4->setText(box);
    chooseLesson(kadmor::lesson_key::chosen(box));
    if (currentLesson == kadmor::lesson_key::allLessons) {
        setStatus(QStringLiteral("neseřazeno, zkoušení ze všech slovíček"));
        return;
    }
    setStatus(QStringLiteral("vybrána lekce číslo: ") + box);
    questionCount = wordCount(p6zkouseni->Edit8);
}

void TForm1::Edit4KeyPress()
{
    p6zkouseni->Edit8->setFocus();
}

void TForm1::Edit8KeyPress()
{
    p6zkouseni->Button6->setFocus();
}

void TForm1::CheckBox1Enter()
{
    if (p6zkouseni->CheckBox2->isChecked())
        p6zkouseni->CheckBox2->setChecked(false);
}

// Czech to the second language can only be written: the pupil cannot hear a Czech word.
void TForm1::CheckBox2Enter()
{
    if (!p6zkouseni->CheckBox1->isChecked())
        return;
    p6zkouseni->CheckBox1->setChecked(false);
    p6zkouseni->CheckBox3->setChecked(true);
    p6zkouseni->CheckBox4->setChecked(false);
}

void TForm1::CheckBox3Enter()
{
    if (p6zkouseni->CheckBox4->isChecked())
        p6zkouseni->CheckBox4->setChecked(false);
}

void TForm1::CheckBox4Enter()
{
    if (p6zkouseni->CheckBox3->isChecked())
        p6zkouseni->CheckBox3->setChecked(false);
}

void TForm1::Button6Click()
{
    const Ui::TestPage& page = *p6zkouseni;
    const bool toCzech = page.CheckBox1->isChecked();
    const bool fromCzech = page.CheckBox2->isChecked();
    const bool written = page.CheckBox3->isChecked();
    const bool oral = page.CheckBox4->isChecked();
    if ((toCzech && !written && !oral) || (!toCzech && !fromCzech) || (fromCzech && oral) || (fromCzech && !written)) {
        warn(QStringLiteral("Špatně zadáno zkoušení!"));
        return;
    }
    questionCount = wordCount(page.Edit8);
    if (questionCount < minimumWords) {
        dialogs().beep();
        dialogs().message(BoxType::Plain, QStringLiteral("Ty lenochu, alespoň 10 slov!"), Buttons::Ok);
        page.Edit8->setFocus();
        return;
    }
    // One test at a time: the button comes back however the test ends.
    struct Reenable
    {
        QPushButton* button;
        ~Reenable() { button->setEnabled(true); }
    } reenable{page.Button6};
    page.Button6->setEnabled(false);
    page.Edit6->setFocus();
    zkouska();
}

void TForm1::Edit6KeyPress(int key)
{
    if (key == Qt::Key_Escape)
        abortTest = true;
    else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !testPlaying)
        answered = true;
}

void TForm1::playTestSound(const QString& file)
{
    kadmor::SoundPlayer& player = p6zkouseni->MediaPlayer4->player();
    player.setFileName(file);
    player.open();
    player.play();
    testPlaying = true;
}

void TForm1::endFeedback()
{
    Ui::TestPage& page = *p6zkouseni;
    for (QWidget* shown : {static_cast<QWidget*>(page.dobre), static_cast<QWidget*>(page.spatne),
                           static_cast<QWidget*>(page.Edit10), static_cast<QWidget*>(page.Label21)})
        shown->hide();
    testPlaying = false;
    page.Edit6->setFocus();
}

void TForm1::MediaPlayer4Notify()
{
    p6zkouseni->MediaPlayer4->player().close();
    endFeedback();
}

void TForm1::vytvortabulku(const QString& name)
{
    if (dialogs().message(BoxType::Confirmation,
                          QStringLiteral("Přepsat existující tabulku chybných odpovědí \"") + name +
                              QStringLiteral("\"?"),
                          Buttons::YesNo) != Answer::Yes)
        return;
    while (Table5->recordCount() > 0) {
        Table5->first();
        Table5->remove();
    }
    const QList<kadmor::Table*> wrongAnswers{Table5};
    kadmor::tables::close(wrongAnswers);
    try {
        kadmor::tables::openExclusively(wrongAnswers);
        kadmor::tables::pack(wrongAnswers, [](kadmor::Table& table) {
            dialogs().message(BoxType::Warning, QStringLiteral("Pakování je chybne ") + table.tableName(), Buttons::Ok);
        });
    } catch (const kadmor::Error&) {
        // Another computer using the table keeps it from being packed; its records are gone all the same.
    }
    kadmor::tables::openShared(wrongAnswers);
}

// The wrong word goes into the difficult words, whatever the direction; a failure here must not
// stop the test.
void TForm1::recordWrongAnswer()
{
    if (!wrongAnswersOffered) {
        wrongAnswersOffered = true;
        try {
            vytvortabulku(Table5->tableName());
        } catch (const kadmor::Error&) {
        }
    }
    try {
        namespace wrong = kadmor::schema::wrongAnswers::field;
        const QString word = fieldText(Table1, words::field::foreign);
        const QString czech = fieldText(Table1, words::field::czech);
        const QString sound = fieldText(Table1, words::field::sound);
        Table5->append();
        Table5->fieldByName(wrong::foreign).setAsString(word);
        Table5->fieldByName(wrong::czech).setAsString(czech);
        Table5->fieldByName(wrong::sound).setAsString(sound);
        Table5->refresh(); // saves the new record
    } catch (const kadmor::Error&) {
        if (Table5->isOpen() && Table5->isEditing())
            Table5->cancel();
    }
}

// Shows the good or bad sign until its sound ends, or for two timer ticks without a sound device
// (or when the sign's sound cannot be played, so that the sign does not stay on).
void TForm1::giveFeedback(bool correct, const QString& expected)
{
    Ui::TestPage& page = *p6zkouseni;
    bool playing = false;
    if (correct) {
        page.dobre->show();
    } else {
        page.Edit10->setText(expected);
        page.Label21->show();
        page.Edit10->show();
        page.spatne->show();
    }
    if (kadmor::soundDevicePresent()) {
        try {
            playTestSound(applicationFolderSlash +
                          (correct ? QStringLiteral("dobre.wav") : QStringLiteral("spatne.wav")));
            playing = true;
        } catch (const kadmor::Error&) {
        }
    }
    if (!correct)
        recordWrongAnswer();
    if (!playing) {
        refreshCounter = 0;
        Timer1->start();
        waits.until([this] { return refreshCounter >= pauseTicks; });
        Timer1->stop();
        endFeedback();
    }
    waits.until([this] { return !testPlaying; });
}

void TForm1::moveToDrawnWord(int position)
{
    Table1->first();
    Table1->moveBy(position);
}

void TForm1::zkouska()
{
    Ui::TestPage& page = *p6zkouseni;
    Timer1->stop();
    wrongAnswersOffered = false;
    goodCount = 0;
    badCount = 0;
    abortTest = false;
    eligibleCount = Table1->recordCount();
    questionCount = kadmor::test_rules::questionCount(questionCount, eligibleCount);
    if (questionCount < 1) {
        warn(QStringLiteral("Lekce číslo: ") + page.Edit4->text() + QStringLiteral(" neexistuje!"));
        showPage(p4hodnoceniIndex);
        return;
    }
    QRandomGenerator random(quint32(QDateTime::currentMSecsSinceEpoch()));
    kadmor::test_rules::WordDraw draw(eligibleCount, currentLesson != kadmor::lesson_key::allLessons,
                                      [&random](int bound) { return int(random.bounded(bound)); });
    moveToDrawnWord(draw.next());
    const QPalette normal = page.Edit6->palette();
    for (int question = 0; question < questionCount; ++question) {
        answered = false;
        page.Edit6->clear();
        if (page.CheckBox4->isChecked() && page.CheckBox1->isChecked()) {
            page.Edit5->clear();
            if (kadmor::soundDevicePresent()) {
                try {
                    playTestSound(soundFile(fieldText(Table1, words::field::sound)));
                } catch (const kadmor::Error& error) {
                    dialogs().beep();
                    dialogs().message(BoxType::Error, error.text(), Buttons::Ok);
                }
                waits.until([this] { return !testPlaying; });
            }
        }
        if (page.CheckBox3->isChecked() && page.CheckBox1->isChecked()) {
            page.Edit5->setText(fieldText(Table1, words::field::foreign));
            page.Edit6->setFocus();
        }
        if (page.CheckBox2->isChecked()) {
            page.Edit5->setText(fieldText(Table1, words::field::czech));
            page.Edit6->setFocus();
        }
        page.Edit9->setText(QString::number(question + 1));
        QPalette asking = normal;
        asking.setColor(QPalette::Base, askingColour);
        page.Edit6->setPalette(asking);
        waits.until([this] { return answered || abortTest; });
        if (abortTest && !answered) {
            page.Edit6->setPalette(normal);
            showPage(p4hodnoceniIndex);
            return;
        }
        page.Edit6->setPalette(normal);
        if (waits.shuttingDown())
            return; // the window is closing: no grade from half a test
        const QString expected =
            fieldText(Table1, page.CheckBox1->isChecked() ? words::field::czech : words::field::foreign);
        const bool correct = kadmor::test_rules::answerAccepted(page.Edit6->text(), expected);
        if (correct)
            ++goodCount;
        else
            ++badCount;
        giveFeedback(correct, expected);
        if (waits.shuttingDown())
            return;
        moveToDrawnWord(draw.next());
    }
    page.Edit11->setText(QString::number(goodCount));
    page.Edit12->setText(QString::number(badCount));
    testGrade = kadmor::test_rules::gradeFor(kadmor::test_rules::percentage(goodCount, questionCount));
    page.Edit14->setText(page.Edit7->text());
    page.Edit13->setText(testGrade);
    zapisznamku();
}
