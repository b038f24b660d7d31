// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher password: the guard of the protected actions and the change of password.
#include "shell/tform1.h"

#include "storage/config_rows.h"
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

// The new password is kept until the configuration page's OK writes it. A cancelled or empty box
// changes nothing: a password row may not be empty, and the old password must keep working.
void TForm1::SpeedButton11Click()
{
    const QString text = dialogs().input(QStringLiteral("Změna hesla"), QStringLiteral("Zadejte nové heslo:"), {});
    if (text.isEmpty())
        return;
    changedPassword = kadmor::scramblePassword(text);
}

void TForm1::writeChangedPassword()
{
    namespace config = kadmor::config;
    if (changedPassword.isEmpty())
        return;
    for (const int row : config::passwordRows)
        config::writeRawValue(*Table4, row, changedPassword);
    changedPassword.clear();
}
