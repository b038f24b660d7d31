// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher password: the guard of the protected actions and the change of password.
#include "shell/tform1.h"

#include "util/sifruj.h"

using kadmor::dialogs;

// A non-empty entry holds for the whole run: right, it opens every guarded action; wrong, it
// refuses them all until the program is started again.
bool TForm1::guard(const QString& refusal)
{
    if (enteredPassword.isEmpty())
        enteredPassword = dialogs().password();
    if (enteredPassword == teacherPassword)
        return true;
    dialogs().beep();
    dialogs().message(kadmor::BoxType::Warning, refusal, kadmor::Buttons::Ok);
    return false;
}

// The new password goes into row 4, the row the start-up reads, so it is the one compared after
// the next start. It is saved with the configuration page's OK.
void TForm1::SpeedButton11Click()
{
    const QString text = dialogs().input(QStringLiteral("Změna hesla"), QStringLiteral("Zadejte nové heslo:"), {});
    const QString stored = kadmor::scramblePassword(text);
    Table4->first();
    Table4->moveBy(3);
    Table4->edit();
    kadmor::Field& value = Table4->fieldByName(QStringLiteral("HODNOTA"));
    value.setRawMode(true);
    value.setAsString(stored);
    value.setRawMode(false);
}
