// SPDX-License-Identifier: GPL-3.0-or-later
// The phrase pages: the phrase book and the phrase editor.
#include "shell/tform1.h"

#include "shell/navigators.h"
#include "ui_phrase_edit_page.h"
#include "ui_phrase_page.h"
#include "ui_word_list_page.h"

void TForm1::setupPhrases()
{
    p7fraze = addPage<Ui::PhrasePage>(p7frazeIndex);
    p8editfraze = addPage<Ui::PhraseEditPage>(p8editfrazeIndex);

    p7fraze->DBGrid3->setTable(Table3);
    kadmor::navigators::browse(p7fraze->DBNavigator5, Table3);
    handle(p7fraze->BitBtn16, &QPushButton::clicked, &TForm1::BitBtn16Click);
    handle(p7fraze->BitBtn18, &QPushButton::clicked, &TForm1::BitBtn18Click);

    auto* navigator = p8editfraze->DBNavigator6;
    navigator->setTable(Table3);
    navigator->setActions(
        {kadmor::DbNavigator::First, kadmor::DbNavigator::Prior, kadmor::DbNavigator::Next, kadmor::DbNavigator::Last});
    p8editfraze->DBEdit39->setTable(Table3, QStringLiteral("LEK"));
    p8editfraze->DBEdit11->setTable(Table3, QStringLiteral("ANGL"));
    p8editfraze->DBEdit16->setTable(Table3, QStringLiteral("CES"));
    p8editfraze->DBEdit38->setTable(Table3, QStringLiteral("ZVUK"));
    handle(p8editfraze->Button7, &QPushButton::clicked, &TForm1::Button7Click);
    handle(p8editfraze->SpeedButton8, &QToolButton::clicked, &TForm1::SpeedButton8Click);

    handle(p2zaktabul->BitBtn15, &QPushButton::clicked, &TForm1::BitBtn15Click);

    connect(this, &TForm1::dataFolderChanged, this, [this] { p8editfraze->Label28->setText(languageName); });
    connect(this, &TForm1::laidOut, this, [this] { placeAtRightEdge(p8editfraze->SpeedButton8); });
}
