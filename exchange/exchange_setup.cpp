// SPDX-License-Identifier: GPL-3.0-or-later
// The new-words page: the collection of words and phrases for a lesson package.
#include "shell/tform1.h"

#include "exchange/package_rules.h"
#include "shell/navigators.h"
#include "ui_new_words_page.h"
#include "ui_word_list_page.h"

#include <QCompleter>
#include <QDir>
#include <QFileSystemModel>

namespace {

// The folders below the typed text are offered while typing, so that a stick's folder under
// /media is reached in a few keys.
void offerFolders(QLineEdit* field)
{
    auto* folders = new QFileSystemModel(field);
    folders->setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
    folders->setRootPath(QString());
    auto* completer = new QCompleter(folders, field);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    field->setCompleter(completer);
}

} // namespace

void TForm1::setupExchange()
{
    p11novaslova = addPage<Ui::NewWordsPage>(p11novaslovaIndex);

    const QStringList hints = {QStringLiteral("první záznam"),  QStringLiteral("předcházející"),
                               QStringLiteral("další"),         QStringLiteral("poslední záznam"),
                               QStringLiteral("přidat záznam"), QStringLiteral("smazat záznam"),
                               QStringLiteral("editovat"),      QStringLiteral("poslat"),
                               QStringLiteral("zrušit"),        QStringLiteral("obnovit (refresh)")};
    Ui::NewWordsPage& page = *p11novaslova;
    page.DBGrid6->setTable(Table6);
    page.DBGrid6->setEditable(true);
    page.DBGrid6->setColumnsFitWidth(true);
    kadmor::navigators::full(page.DBNavigator9, Table6, hints);
    page.DBGrid7->setTable(Table7);
    page.DBGrid7->setEditable(true);
    page.DBGrid7->setColumnsFitWidth(true);
    kadmor::navigators::full(page.DBNavigator10, Table7, hints);
    handle(page.Button9, &QPushButton::clicked, &TForm1::Button9Click);
    handle(page.BitBtn26, &QPushButton::clicked, &TForm1::BitBtn26Click);
    handle(page.BitBtn27, &QPushButton::clicked, &TForm1::BitBtn27Click);
    handle(page.Button10, &QPushButton::clicked, &TForm1::Button10Click);
    handle(page.BitBtn33, &QPushButton::clicked, &TForm1::BitBtn33Click);
    handle(page.BitBtn28, &QPushButton::clicked, &TForm1::BitBtn28Click);

    handle(p2zaktabul->BitBtn29, &QPushButton::clicked, &TForm1::BitBtn29Click);
    handle(p2zaktabul->BitBtn31, &QPushButton::clicked, &TForm1::BitBtn31Click);

    const QString user = qEnvironmentVariable("USER", QDir::home().dirName());
    page.Edit18->setText(kadmor::package::startFolder(QStringLiteral("/media"), user, QDir::homePath()));
    offerFolders(page.Edit18);
    newLessonFolder = page.Edit18->text();
    collectingNewWords = [this] { return p11novaslova->CheckBox5->isChecked(); };
}
