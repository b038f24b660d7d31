// SPDX-License-Identifier: GPL-3.0-or-later
// The phrase book: into and out of its pages.
#include "shell/tform1.h"

#include <QTimer>

void TForm1::BitBtn15Click()
{
    ownRecordingOpen = false;
    showPage(p7frazeIndex);
}

void TForm1::BitBtn16Click()
{
    showPage(p2zaktabulIndex);
}

void TForm1::BitBtn18Click()
{
    if (!guard(QStringLiteral("Editovat může pouze oprávněná osoba!")))
        return;
    Timer1->stop();
    showPage(p8editfrazeIndex);
}

void TForm1::Button7Click()
{
    Table3->refresh(); // saves the phrase being edited
    showPage(p7frazeIndex);
    Timer1->start();
}

void TForm1::SpeedButton8Click()
{
    Table3->cancel();
    Timer1->start();
    showPage(p7frazeIndex);
}
