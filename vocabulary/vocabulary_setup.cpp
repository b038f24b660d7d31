// SPDX-License-Identifier: GPL-3.0-or-later
// The vocabulary pages: the word list and the word editor.
#include "shell/tform1.h"

#include "shell/navigators.h"
#include "ui_word_edit_page.h"
#include "ui_word_list_page.h"

void TForm1::setupVocabulary()
{
    p2zaktabul = addPage<Ui::WordListPage>(p2zaktabulIndex);
    p3edit = addPage<Ui::WordEditPage>(p3editIndex);

    p2zaktabul->DBGrid1->setTable(Table1);
    kadmor::navigators::browse(p2zaktabul->DBNavigator1, Table1);
    handle(p2zaktabul->BitBtn3, &QPushButton::clicked, &TForm1::BitBtn3Click);

    kadmor::navigators::browse(p3edit->DBNavigator2, Table1);
    p3edit->DBEdit1->setTable(Table1, QStringLiteral("ANGL"));
    p3edit->DBEdit3->setTable(Table1, QStringLiteral("CES"));
    p3edit->DBEdit4->setTable(Table1, QStringLiteral("OBR"));
    p3edit->DBEdit5->setTable(Table1, QStringLiteral("ZVUK"));
    handle(p3edit->Button2, &QPushButton::clicked, &TForm1::Button2Click);
    handle(p3edit->SpeedButton1, &QToolButton::clicked, &TForm1::SpeedButton1Click);
    setupPronunciation();
}
