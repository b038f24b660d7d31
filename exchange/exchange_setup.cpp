// SPDX-License-Identifier: GPL-3.0-or-later
// The new-words page: the collection of words and phrases for a lesson package.
#include "shell/tform1.h"

#include "shell/navigators.h"
#include "ui_new_words_page.h"
#include "ui_word_list_page.h"

void TForm1::setupExchange()
{
    p11novaslova = addPage<Ui::NewWordsPage>(p11novaslovaIndex);

    const QStringList hints = {QStringLiteral("první záznam"),  QStringLiteral("předcházející"),
                               QStringLiteral("další"),         QStringLiteral("poslední záznam"),
                               QStringLiteral("přidat záznam"), QStringLiteral("smazat záznam"),
                               QStringLiteral("editovat"),      QStringLiteral("poslat"),
                               QStringLiteral("zrušit"),        QStringLiteral("obnovit (refresh)")};
    p11novaslova->DBGrid6->setTable(Table6);
    p11novaslova->DBGrid6->setEditable(true);
    p11novaslova->DBGrid6->setColumnsFitWidth(true);
    kadmor::navigators::full(p11novaslova->DBNavigator9, Table6, hints);
    p11novaslova->DBGrid7->setTable(Table7);
    p11novaslova->DBGrid7->setEditable(true);
    p11novaslova->DBGrid7->setColumnsFitWidth(true);
    kadmor::navigators::full(p11novaslova->DBNavigator10, Table7, hints);
    handle(p11novaslova->BitBtn28, &QPushButton::clicked, &TForm1::BitBtn28Click);

    handle(p2zaktabul->BitBtn29, &QPushButton::clicked, &TForm1::BitBtn29Click);

    newLessonFolder = p11novaslova->Edit18->text();
    collectingNewWords = [this] { return p11novaslova->CheckBox5->isChecked(); };
}
