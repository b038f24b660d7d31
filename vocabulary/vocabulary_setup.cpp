// SPDX-License-Identifier: GPL-3.0-or-later
// The vocabulary pages: the word list and the word editor, and which handler each control runs.
#include "shell/tform1.h"

#include "shell/navigators.h"
#include "storage/schema.h"
#include "ui_word_edit_page.h"
#include "ui_word_list_page.h"

#include <QLineEdit>

namespace {

constexpr int czechWordLength = 25;

} // namespace

void TForm1::setupVocabulary()
{
    p2zaktabul = addPage<Ui::WordListPage>(p2zaktabulIndex);
    p3edit = addPage<Ui::WordEditPage>(p3editIndex);
    setupWordList();
    setupWordEditing();
    setupPronunciation();
    handle(this, &TForm1::languageKnown, &TForm1::offerWordOrders);
    connect(this, &TForm1::laidOut, this, [this] { placeAtRightEdge(p3edit->SpeedButton1); });
    handle(this, &TForm1::dataFolderChanged, &TForm1::selectFirstLesson);
    connect(this, &TForm1::dataFolderChanged, this, [this] {
        p3edit->Label7->setText(languageName);
        p2zaktabul->SpeedButton3->setToolTip(QStringLiteral("setřiď podle ") + languageName +
                                             QStringLiteral("ch slov"));
    });
}

// The word list's order box offers the orders by lesson and by either language's word.
void TForm1::offerWordOrders()
{
    QComboBox* order = p2zaktabul->ComboBox1;
    const QString caption = order->currentText();
    order->addItems(
        {QStringLiteral("lekcí"), languageName + QStringLiteral("ch slov"), QStringLiteral("českých slov")});
    order->setEditText(caption); // adding items must not replace the caption
}

void TForm1::setupWordList()
{
    Ui::WordListPage& page = *p2zaktabul;
    page.DBGrid1->setTable(Table1);
    page.DBGrid1->setColumnsFitWidth(true);
    kadmor::navigators::browse(page.DBNavigator1, Table1);
    onEnter(page.DBGrid1, &TForm1::DBGrid1Enter);
    handle(page.DBGrid1, &kadmor::DbGrid::escapePressed, &TForm1::DBGrid1Escape);

    onEnter(page.Edit2, &TForm1::Edit2Enter);
    onExit(page.Edit2, &TForm1::Edit2Exit);
    connect(page.Edit2, &QLineEdit::returnPressed, page.DBGrid1, qOverload<>(&QWidget::setFocus));

    handle(page.SpeedButton2, &QToolButton::clicked, &TForm1::SpeedButton2Click);
    handle(page.SpeedButton3, &QToolButton::clicked, &TForm1::SpeedButton3Click);
    handle(page.SpeedButton4, &QToolButton::clicked, &TForm1::SpeedButton4Click);
    // Only the user's choices and typing count, not the captions the program writes.
    page.ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    page.ComboBox1->setEditText(QStringLiteral("lekce č. 1"));
    handle(page.ComboBox1, &QComboBox::textActivated, &TForm1::ComboBox1Change);
    handle(page.ComboBox1->lineEdit(), &QLineEdit::textEdited, &TForm1::ComboBox1Change);

    handle(page.BitBtn14, &QPushButton::clicked, &TForm1::BitBtn14Click);
    handle(page.Edit1, &QLineEdit::textChanged, &TForm1::Edit1Change);
    connect(page.Edit1, &QLineEdit::returnPressed, page.DBGrid1, qOverload<>(&QWidget::setFocus));
    onExit(page.Edit1, &TForm1::Edit1Exit);

    handle(page.BitBtn3, &QPushButton::clicked, &TForm1::BitBtn3Click);
    handle(page.BitBtn7, &QPushButton::clicked, &TForm1::BitBtn7Click);
    handle(page.BitBtn20, &QPushButton::clicked, &TForm1::BitBtn20Click);
    handle(page.BitBtn17, &QPushButton::clicked, &TForm1::BitBtn17Click);
}

void TForm1::setupWordEditing()
{
    Ui::WordEditPage& page = *p3edit;
    kadmor::navigators::browse(page.DBNavigator2, Table1);
    namespace field = kadmor::schema::words::field;
    page.DBEdit1->setTable(Table1, field::foreign);
    page.DBEdit3->setTable(Table1, field::czech);
    page.DBEdit3->setTypingLimit(czechWordLength);
    page.DBEdit4->setTable(Table1, field::picture);
    page.DBEdit5->setTable(Table1, field::sound);
    const QList<QWidget*> tabOrder = {page.Edit17,  page.DBEdit1, page.DBEdit3, page.DBEdit4,  page.BitBtn4,
                                      page.BitBtn6, page.Button2, page.DBEdit5, page.CheckBox6};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    page.SpeedButton1->setFocusPolicy(Qt::NoFocus);

    onEnter(page.Edit17, &TForm1::Edit17Enter);
    onExit(page.Edit17, &TForm1::Edit17Exit);
    onExit(page.DBEdit1, &TForm1::DBEdit1Exit);
    onExit(page.DBEdit3, &TForm1::DBEdit3Exit);
    onEnter(page.DBEdit5, &TForm1::DBEdit5Enter);
    handle(page.BitBtn6, &QPushButton::clicked, &TForm1::BitBtn6Click);
    handle(page.Button2, &QPushButton::clicked, &TForm1::Button2Click);
    handle(page.SpeedButton1, &QToolButton::clicked, &TForm1::SpeedButton1Click);
}
