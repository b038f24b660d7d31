// SPDX-License-Identifier: GPL-3.0-or-later
// The grade book: into and out of its pages.
#include "shell/tform1.h"

#include "ui_grade_book_page.h"
#include "ui_wrong_answers_page.h"

void TForm1::BitBtn8Click()
{
    if (!guard(QStringLiteral("Zkoušet může pouze oprávněná osoba!")))
        return;
    showPage(p4hodnoceniIndex);
    p4hodnoceni->DBGrid2->setFocus();
}

void TForm1::BitBtn10Click()
{
    Table2->edit();
    showPage(p5oprznamkyIndex);
}

void TForm1::BitBtn11Click()
{
    showPage(p2zaktabulIndex);
}

void TForm1::Button8Click()
{
    showPage(p10chybyIndex);
    p10chyby->DBGrid5->setFocus();
}

void TForm1::Button3Click()
{
    Table2->refresh(); // saves the corrected pupil
    showPage(p4hodnoceniIndex);
    p4hodnoceni->DBGrid2->setFocus();
}

void TForm1::SpeedButton5Click()
{
    Table2->cancel();
    showPage(p4hodnoceniIndex);
    p4hodnoceni->DBGrid2->setFocus();
}

void TForm1::BitBtn23Click()
{
    showPage(p4hodnoceniIndex);
}
