// SPDX-License-Identifier: GPL-3.0-or-later
// Bulk deletion, packing and the printed lists: buttons on the word list, the phrase page and the
// configuration page.
#include "shell/tform1.h"

#include "ui_config_page.h"
#include "ui_phrase_page.h"
#include "ui_word_list_page.h"

void TForm1::setupMaintenance()
{
    handle(p2zaktabul->BitBtn5, &QPushButton::clicked, &TForm1::BitBtn5Click);
    handle(p2zaktabul->BitBtn35, &QPushButton::clicked, &TForm1::BitBtn35Click);
    handle(p7fraze->BitBtn36, &QPushButton::clicked, &TForm1::BitBtn36Click);
    handle(p2zaktabul->BitBtn30, &QPushButton::clicked, &TForm1::BitBtn30Click);
    handle(p7fraze->BitBtn32, &QPushButton::clicked, &TForm1::BitBtn32Click);
    handle(p9konfig->SpeedButton10, &QToolButton::clicked, &TForm1::SpeedButton10Click);
}
