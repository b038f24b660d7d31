// SPDX-License-Identifier: GPL-3.0-or-later
// Word editing: into and out of the word editor.
#include "shell/tform1.h"

#include "storage/error.h"
#include "ui_word_edit_page.h"

#include <QTimer>

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

void TForm1::Button2Click()
{
    Table1->refresh(); // saves the word being edited
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
    Timer1->start();
    showPage(p2zaktabulIndex);
}
