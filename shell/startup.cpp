// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up at the first activation of the main window.
#include "shell/tform1.h"

#include "base/error.h"
#include "storage/config_rows.h"
#include "storage/schema.h"
#include "ui_title_page.h"
#include "util/sifruj.h"
#include "util/tools.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QStackedWidget>

using kadmor::BoxType;
using kadmor::Buttons;
using kadmor::dialogs;

namespace {

QString withoutTrailingSlash(QString folder)
{
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

void loadPicture(QLabel* label, const QString& path)
{
    // A missing title picture leaves its place empty; the program works without it.
    const QPixmap picture(path);
    if (picture.isNull())
        return;
    label->setPixmap(picture);
    label->resize(picture.size());
}

} // namespace

void TForm1::FormActivate()
{
    if (startupDone)
        return;
    startupDone = true;
    QCoreApplication::setApplicationName(QStringLiteral("kadmor"));
    showPage(p1nadpisIndex);
    applicationFolder = withoutTrailingSlash(QDir::fromNativeSeparators(m_folder));
    applicationFolderSlash = applicationFolder + u'/';
    loadPicture(p1nadpis->Image3, applicationFolderSlash + QStringLiteral("kadmor.bmp"));
    loadPicture(p1nadpis->Image6, applicationFolderSlash + QStringLiteral("zak.bmp"));
    if (!openConfiguration())
        return;
    placeTitlePage();
    Table4->first();
    emit laidOut();
    QCoreApplication::processEvents();
    if (!kadmor::soundDevicePresent()) {
        dialogs().beep();
        dialogs().message(BoxType::Warning,
                          QStringLiteral("Nemáš nainstalovanou zvukovou kartu!\rKADMOR je multimediální program a "
                                         "nebude bez zvuk. karty správně pracovat!"),
                          Buttons::Ok);
    }
    readConfiguration();
    if (!openDataTables())
        return;
    refreshCounter = 0;
    testPlaying = false;
    emit dataFolderChanged();
    // The pages' set-up may have focused controls of hidden pages; Enter must leave the title.
    p1nadpis->Button1->setFocus(Qt::OtherFocusReason);
}

bool TForm1::openConfiguration()
{
    Table4->setDatabaseName(applicationFolder);
    try {
        Table4->open();
    } catch (const kadmor::Error& error) {
        dialogs().beep();
        dialogs().message(BoxType::Error,
                          error.text() + QStringLiteral("\rNenalezen základní konfig. soubor \"") +
                              applicationFolderSlash + Table4->tableName() + u'"',
                          Buttons::Ok);
        close();
        return false;
    }
    // Without all its rows the start-up would read the wrong values or none, and then name only the
    // table it could not find in the data folder that was never read.
    const int rows = Table4->recordCount();
    if (rows >= kadmor::config::teacherPasswordRow)
        return true;
    Table4->close();
    dialogs().beep();
    dialogs().message(BoxType::Error,
                      QStringLiteral("Konfigurační tabulka \"%1\" má jen %2 řádků z potřebných %3 (jazyk, "
                                     "cesta k datům, heslo a heslo učitele).\rObnovte ji z instalace programu.")
                          .arg(applicationFolderSlash + Table4->tableName())
                          .arg(rows)
                          .arg(kadmor::config::teacherPasswordRow),
                      Buttons::Ok);
    close();
    return false;
}

// The title page's controls sit at fixed shares of the window's outer size; the name's strip
// spans the page, so that the name stays centred above the version at any zoom.
void TForm1::placeTitlePage()
{
    const int w = frameGeometry().width();
    const int h = frameGeometry().height();
    QWidget* name = p1nadpis->Label2;
    name->setGeometry(0, name->y(), Notebook1->width(), name->height());
    QWidget* ok = p1nadpis->Button1;
    ok->move(w / 2 - ok->width() / 2, (h / 4) * 3 - ok->height() / 2);
    QWidget* version = p1nadpis->Label3;
    version->move(w / 2 - version->width() / 2, h / 2 - version->height() / 2);
    QWidget* left = p1nadpis->Image3;
    left->move(left->x(), h / 2 - left->height() / 2);
    QWidget* right = p1nadpis->Image6;
    right->move(w - (right->width() + 24), h / 2 - right->height() / 2);
}

// Rows 1, 2 and 4 of konfig.dbf: the language, the data folder and the scrambled password.
void TForm1::readConfiguration()
{
    namespace config = kadmor::config;
    const QString valueField = kadmor::schema::config::field::value;
    config::goToRow(*Table4, config::languageRow);
    languageName = Table4->fieldByName(valueField).asString();
    emit languageKnown();

    config::goToRow(*Table4, config::dataFolderRow);
    dataFolder = withoutTrailingSlash(
        config::dataFolderFromStored(QDir::fromNativeSeparators(Table4->fieldByName(valueField).asString())));
    for (kadmor::Table* table : {Table1, Table2, Table3, Table5, Table6, Table7})
        table->setDatabaseName(dataFolder);

    QString password = kadmor::unscramblePassword(config::rawValue(*Table4, config::teacherPasswordRow));
    kadmor::upperCase(password);
    teacherPassword = password;
}

bool TForm1::openDataTables()
{
    try {
        for (kadmor::Table* table : {Table1, Table2, Table3, Table5, Table6, Table7})
            table->open();
        return true;
    } catch (const kadmor::Error& error) {
        dialogs().beep();
        dialogs().message(BoxType::Error,
                          error.text() + QStringLiteral("\rNastavte v konfiguraci správnou cestu k databázi!"),
                          Buttons::Ok);
        return false;
    }
}
