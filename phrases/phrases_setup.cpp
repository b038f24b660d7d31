// SPDX-License-Identifier: GPL-3.0-or-later
// The phrase pages: the phrase book and the phrase editor.
#include "shell/tform1.h"

#include "shell/navigators.h"
#include "storage/schema.h"
#include "ui_phrase_edit_page.h"
#include "ui_phrase_page.h"
#include "ui_word_list_page.h"
#include "vocabulary/sound/media_player.h"
#include "vocabulary/sound/recorder.h"

namespace {

constexpr int phraseTextLength = 50;

} // namespace

void TForm1::setupPhrases()
{
    p7fraze = addPage<Ui::PhrasePage>(p7frazeIndex);
    p8editfraze = addPage<Ui::PhraseEditPage>(p8editfrazeIndex);

    phraseOwnRecorder = new kadmor::Recorder(p7fraze->MediaPlayer5->player(), p7fraze->MediaPlayer5);
    phraseRecorder = new kadmor::Recorder(p8editfraze->MediaPlayer6->player(), p8editfraze->MediaPlayer6);

    Ui::PhrasePage& page = *p7fraze;
    page.DBGrid3->setTable(Table3);
    page.DBGrid3->setColumnsFitWidth(true);
    kadmor::navigators::browse(page.DBNavigator5, Table3);
    handle(page.BitBtn19, &QPushButton::clicked, &TForm1::BitBtn19Click);
    handle(page.MediaPlayer7, &kadmor::MediaPlayer::notified, &TForm1::MediaPlayer7Notify);
    handle(page.Image5, &QToolButton::clicked, &TForm1::Image5Click);
    handle(page.BitBtn22, &QPushButton::clicked, &TForm1::BitBtn22Click);
    handle(page.BitBtn16, &QPushButton::clicked, &TForm1::BitBtn16Click);
    handle(page.BitBtn18, &QPushButton::clicked, &TForm1::BitBtn18Click);

    Ui::PhraseEditPage& editor = *p8editfraze;
    auto* navigator = editor.DBNavigator6;
    navigator->setTable(Table3);
    navigator->setActions(
        {kadmor::DbNavigator::First, kadmor::DbNavigator::Prior, kadmor::DbNavigator::Next, kadmor::DbNavigator::Last});
    namespace field = kadmor::schema::phrases::field;
    editor.DBEdit39->setTable(Table3, field::lesson);
    editor.DBEdit11->setTable(Table3, field::foreign);
    editor.DBEdit11->setTypingLimit(phraseTextLength);
    editor.DBEdit16->setTable(Table3, field::czech);
    editor.DBEdit16->setTypingLimit(phraseTextLength);
    // The sound name is given once, when the phrase is created: the field only shows it, so it is
    // not bound for typing but follows the record.
    const auto showSoundName = [this] {
        const kadmor::Field* sound = Table3->isOpen() ? Table3->findField(field::sound) : nullptr;
        const bool onRecord = Table3->recordCount() > 0 || Table3->isEditing();
        p8editfraze->DBEdit38->setText(sound && onRecord ? sound->asString() : QString());
    };
    connect(Table3, &kadmor::Table::currentChanged, this, showSoundName);
    connect(Table3, &kadmor::Table::viewChanged, this, showSoundName);
    connect(Table3, &kadmor::Table::afterScroll, this, showSoundName);
    editor.DBEdit38->setReadOnly(true);
    editor.DBEdit38->setFocusPolicy(Qt::NoFocus);
    const QList<QWidget*> tabOrder = {editor.DBEdit39,     editor.DBEdit11, editor.DBEdit16, editor.Image2,
                                      editor.MediaPlayer6, editor.BitBtn21, editor.Button7};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    editor.SpeedButton8->setFocusPolicy(Qt::NoFocus);
    onExit(editor.DBEdit39, &TForm1::DBEdit39Exit);
    handle(editor.BitBtn21, &QPushButton::clicked, &TForm1::BitBtn21Click);
    handle(editor.Image2, &QToolButton::clicked, &TForm1::Image2Click);
    handle(editor.Button7, &QPushButton::clicked, &TForm1::Button7Click);
    handle(editor.SpeedButton8, &QToolButton::clicked, &TForm1::SpeedButton8Click);

    handle(p2zaktabul->BitBtn15, &QPushButton::clicked, &TForm1::BitBtn15Click);

    connect(this, &TForm1::dataFolderChanged, this, [this] { p8editfraze->Label28->setText(languageName); });
    connect(this, &TForm1::laidOut, this, [this] { placeAtRightEdge(p8editfraze->SpeedButton8); });
}
