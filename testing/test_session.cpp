// SPDX-License-Identifier: GPL-3.0-or-later
// The test session: opening the test page for the selected pupil.
#include "shell/tform1.h"

#include "ui_test_page.h"

void TForm1::BitBtn9Click()
{
    const QString name =
        Table2->recordCount() > 0 ? Table2->fieldByName(QStringLiteral("JMENO")).asString() : QString();
    if (name.isEmpty()) {
        kadmor::dialogs().beep();
        kadmor::dialogs().message(kadmor::BoxType::Warning,
                                  QStringLiteral("První musí být zapsáno jméno žáka. Stiskněte tlačítko NOVÝ."),
                                  kadmor::Buttons::Ok);
        return;
    }
    showPage(p6zkouseniIndex);
    p6zkouseni->Edit7->setText(name);
    p6zkouseni->Edit4->setText(currentLesson);
    p6zkouseni->Edit4->setFocus();
}
