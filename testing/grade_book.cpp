// SPDX-License-Identifier: GPL-3.0-or-later
// The grade book: entering it, pupils added, deleted, sorted, searched and renumbered, grades
// written after a test and corrected by hand, the difficult words, and deleting every pupil.
#include "shell/tform1.h"

#include "base/error.h"
#include "storage/controls_disabled.h"
#include "storage/layouts.h"
#include "storage/schema.h"
#include "testing/grades.h"
#include "ui_grade_book_page.h"
#include "ui_grade_edit_page.h"
#include "ui_wrong_answers_page.h"
#include "util/confirmation_number.h"
#include "util/soubory.h"

#include <QTimer>

using kadmor::Answer;
using kadmor::BoxType;
using kadmor::Buttons;
using kadmor::dialogs;

namespace {

namespace field = kadmor::schema::grades::field;
namespace tag = kadmor::schema::grades::tag;

// The filled of the record the table reads now: the current one, the one being edited, or the one
// being calculated.
kadmor::grades::Slots gradeSlots(kadmor::Table& table)
{
    kadmor::grades::Slots filled;
    for (int slot = 0; slot < kadmor::grades::slotCount; ++slot)
        filled.append(table.fieldByName(kadmor::schema::grades::slotField(slot)).asInteger());
    return filled;
}

// The count and average follow the filled; an average of no grades keeps what was stored.
void recountGrades(kadmor::Table& table)
{
    const kadmor::grades::Count count = kadmor::grades::recount(gradeSlots(table));
    table.fieldByName(field::count).setAsInteger(count.count);
    if (count.average)
        table.fieldByName(field::average).setAsFloat(*count.average);
}

} // namespace

void TForm1::BitBtn8Click()
{
    if (!guard(QStringLiteral("Zkoušet může pouze oprávněná osoba!")))
        return;
    showPage(p4hodnoceniIndex);
    p4hodnoceni->DBGrid2->setFocus();
}

void TForm1::BitBtn11Click()
{
    showPage(p2zaktabulIndex);
}

void TForm1::Table2CalcFields()
{
    kadmor::Field& finalGrade = Table2->fieldByName(field::finalGrade);
    const kadmor::Field& count = Table2->fieldByName(field::count);
    try {
        const std::optional<int> stored = count.isNull() ? std::nullopt : std::optional<int>(count.asInteger());
        const std::optional<int> grade = kadmor::grades::finalGrade(gradeSlots(*Table2), stored);
        finalGrade.setAsString(grade ? QString::number(*grade) : QString());
    } catch (const kadmor::Error&) {
        // A record that another program filled with no numbers has no final grade; the grid
        // must still show it.
        finalGrade.setAsString(QString());
    }
}

void TForm1::zapisznamku()
{
    dialogs().beep();
    if (dialogs().message(BoxType::Confirmation, QStringLiteral("Zapsat známku do deníčku?"), Buttons::YesNo) ==
        Answer::Yes) {
        Table2->edit();
        const int slot = kadmor::grades::firstEmptySlot(gradeSlots(*Table2));
        if (slot >= 0)
            Table2->fieldByName(kadmor::schema::grades::slotField(slot)).setAsString(testGrade);
        recountGrades(*Table2);
        Table2->refresh(); // saves the pupil
    }
    setStatus(QString());
    showPage(p4hodnoceniIndex);
    p4hodnoceni->DBGrid2->setFocus();
}

void TForm1::precisluj()
{
    if (Table2->recordCount() == 0)
        return;
    kadmor::ControlsDisabled suspended(*Table2);
    const kadmor::Bookmark mark = Table2->bookmark();
    int number = 1;
    for (Table2->first(); !Table2->eof(); Table2->next()) {
        Table2->edit();
        Table2->fieldByName(field::ordinal).setAsString(kadmor::grades::ordinal(number++));
        Table2->post();
    }
    Table2->gotoBookmark(mark);
    Table2->freeBookmark(mark);
}

void TForm1::BitBtn12Click()
{
    for (QWidget* covered : {static_cast<QWidget*>(p4hodnoceni->BitBtn13), static_cast<QWidget*>(p4hodnoceni->Button8),
                             static_cast<QWidget*>(p4hodnoceni->Panel8), static_cast<QWidget*>(p4hodnoceni->Button11)})
        covered->hide();
    p4hodnoceni->GroupBox8->show();
    p4hodnoceni->Edit15->setFocus();
}

void TForm1::Edit15KeyPress()
{
    p4hodnoceni->DBGrid2->setFocus();
}

void TForm1::Edit15Exit()
{
    if (!p4hodnoceni->GroupBox8->isVisible())
        return;
    Table2->append();
    Table2->fieldByName(field::name).setAsString(p4hodnoceni->Edit15->text());
    Table2->post();
    p4hodnoceni->GroupBox8->hide();
    for (QWidget* covered : {static_cast<QWidget*>(p4hodnoceni->BitBtn13), static_cast<QWidget*>(p4hodnoceni->Button8),
                             static_cast<QWidget*>(p4hodnoceni->Panel8), static_cast<QWidget*>(p4hodnoceni->Button11)})
        covered->show();
    precisluj();
}

void TForm1::BitBtn13Click()
{
    dialogs().beep();
    if (dialogs().message(BoxType::Confirmation, QStringLiteral("Oravdu chceš smazat tento záznam?"), Buttons::YesNo) ==
            Answer::Yes &&
        Table2->recordCount() > 0) {
        Table2->remove();
        precisluj();
    }
    p4hodnoceni->DBGrid2->setFocus();
}

void TForm1::SpeedButton6Click()
{
    Table2->setIndexName(tag::name);
    setStatus(QStringLiteral("Setříděno podle jména"));
}

void TForm1::SpeedButton7Click()
{
    Table2->setIndexName(tag::average);
    setStatus(QStringLiteral("Setříděno podle průměru"));
}

void TForm1::Button4Click()
{
    p4hodnoceni->Edit3->setFocus();
}

void TForm1::Edit3KeyPress()
{
    p4hodnoceni->DBGrid2->setFocus();
}

void TForm1::Edit3Exit()
{
    Table2->setIndexName(tag::name);
    Table2->findNearest(p4hodnoceni->Edit3->text());
    setStatus(QStringLiteral("Setříděno podle jména"));
}

void TForm1::BitBtn10Click()
{
    Table2->edit();
    showPage(p5oprznamkyIndex);
    p5oprznamky->DBEdit2->setFocus();
}

void TForm1::Button3Click()
{
    Table2->edit(); // the navigator may have saved the pupil already; the count is written all the same
    recountGrades(*Table2);
    Table2->refresh(); // saves the corrected pupil
    showPage(p4hodnoceniIndex);
    p4hodnoceni->DBGrid2->setFocus();
    precisluj();
}

void TForm1::SpeedButton5Click()
{
    Table2->cancel();
    showPage(p4hodnoceniIndex);
    p4hodnoceni->DBGrid2->setFocus();
}

void TForm1::Button8Click()
{
    showPage(p10chybyIndex);
    p10chyby->DBGrid5->setFocus();
}

void TForm1::BitBtn24Click()
{
    playSound(Table5->recordCount() > 0 ? Table5->fieldByName(kadmor::schema::wrongAnswers::field::sound).asString()
                                        : QString());
    p10chyby->DBGrid5->setFocus();
}

void TForm1::BitBtn23Click()
{
    showPage(p4hodnoceniIndex);
    p4hodnoceni->DBGrid2->setFocus();
}

void TForm1::Button11Click()
{
    dialogs().beep();
    if (dialogs().message(BoxType::Confirmation, QStringLiteral("Opravdu chcete smazat všechny žáky?"),
                          Buttons::YesNo) != Answer::Yes)
        return;
    if (!kadmor::confirmed(
            dialogs().input(QStringLiteral("Smazání všech žáků"), kadmor::confirmationPrompt(), QString())))
        return;
    Timer1->stop();
    // The grade book is open again and the refresh runs whatever happened on the way.
    const auto reopen = [this] {
        Timer1->start();
        Table2->open();
        p4hodnoceni->DBGrid2->setFocus();
    };
    try {
        Table2->close();
        try {
            Table2->emptyTable();
        } catch (const kadmor::Error&) {
            dialogs().beep();
            kadmor::replaceByTemplates(dataFolder, kadmor::layouts::filesOf(kadmor::layouts::grades()));
        }
    } catch (...) {
        reopen();
        throw;
    }
    reopen();
}
