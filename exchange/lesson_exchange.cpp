// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson exchange: into and out of the new-words page.
#include "shell/tform1.h"

void TForm1::BitBtn29Click()
{
    showPage(p11novaslovaIndex);
}

void TForm1::BitBtn28Click()
{
    showPage(p2zaktabulIndex);
}
