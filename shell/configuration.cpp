// SPDX-License-Identifier: GPL-3.0-or-later
// The title page, the configuration page and help.
#include "shell/tform1.h"

#include "shell/data_aware/db_grid.h"
#include "shell/data_aware/db_navigator.h"
#include "storage/config_rows.h"
#include "storage/schema.h"
#include "ui_config_page.h"
#include "ui_title_page.h"
#include "util/soubory.h"

#include <QColor>
#include <QTimer>

using kadmor::dialogs;
namespace config = kadmor::config;

namespace {

namespace configField = kadmor::schema::config::field;

// A value that the row cannot hold unchanged is refused with a box; the row keeps what it holds.
bool fitsTheRow(const QString& text, const QString& subject, const QString& oldValue)
{
    QString problem;
    switch (config::valueFit(text)) {
    case config::ValueFit::Fits:
        return true;
    case config::ValueFit::TooLong:
        problem = QStringLiteral("%1 \"%2\" má %3 znaků, do konfigurace se jich vejde nejvýše %4.")
                      .arg(subject, text)
                      .arg(text.size())
                      .arg(config::valueWidth());
        break;
    case config::ValueFit::OutsideCodePage:
        problem = QStringLiteral("%1 \"%2\" obsahuje znaky mimo středoevropskou znakovou sadu, do konfigurace je "
                                 "nelze zapsat.")
                      .arg(subject, text);
        break;
    }
    dialogs().beep();
    dialogs().message(kadmor::BoxType::Warning,
                      problem + QStringLiteral("\rZůstává dosavadní hodnota \"%1\".").arg(oldValue),
                      kadmor::Buttons::Ok);
    return false;
}

} // namespace

void TForm1::setupShell()
{
    p1nadpis = addPage<Ui::TitlePage>(p1nadpisIndex);
    p9konfig = addPage<Ui::ConfigPage>(p9konfigIndex);

    handle(p1nadpis->Button1, &QPushButton::clicked, &TForm1::Button1Click);

    p9konfig->DBGrid4->setTable(Table4, {configField::name, configField::value, configField::remark});
    p9konfig->DBGrid4->setColumnBackground(configField::value, Qt::green);
    p9konfig->DBNavigator7->setTable(Table4);
    p9konfig->DBNavigator7->setActions(
        {kadmor::DbNavigator::First, kadmor::DbNavigator::Prior, kadmor::DbNavigator::Next, kadmor::DbNavigator::Last});
    handle(p9konfig->SpeedButton12, &QToolButton::clicked, &TForm1::SpeedButton12Click);
    handle(p9konfig->SpeedButton13, &QToolButton::clicked, &TForm1::SpeedButton13Click);
    handle(p9konfig->SpeedButton11, &QToolButton::clicked, &TForm1::SpeedButton11Click);
    handle(p9konfig->SpeedButton14, &QToolButton::clicked, &TForm1::SpeedButton14Click);
    handle(p9konfig->SpeedButton15, &QToolButton::clicked, &TForm1::SpeedButton15Click);
    handle(p9konfig->Button5, &QPushButton::clicked, &TForm1::Button5Click);
}

void TForm1::Button1Click()
{
    showPage(p2zaktabulIndex);
}

void TForm1::BitBtn20Click()
{
    if (!guard(QStringLiteral("Údržbu může provádět pouze oprávněná osoba!")))
        return;
    Timer1->stop();
    showPage(p9konfigIndex);
    if (!Table4->isOpen())
        Table4->open();
    // Enter on the page's first button would pack every table; the grid only shows the rows.
    p9konfig->DBGrid4->setFocus();
}

// The language and data-folder values change only here; they are saved by OK and take
// effect at the next start. A cancelled box leaves the value empty, which OK then refuses.
void TForm1::SpeedButton12Click()
{
    const QString text = dialogs().input(QStringLiteral("Změna jazyka"), QStringLiteral("Zadejte nový jazyk:"), {});
    changeConfigValue(config::languageRow, text, QStringLiteral("Název jazyka"));
}

void TForm1::SpeedButton13Click()
{
    const QString text = dialogs().input(QStringLiteral("Změna umístění tabulky"),
                                         QStringLiteral("Zadejte novou cestu k tabulkám:"), {});
    changeConfigValue(config::dataFolderRow, text, QStringLiteral("Cesta k tabulkám"));
}

void TForm1::changeConfigValue(int row, const QString& text, const QString& subject)
{
    config::goToRow(*Table4, row);
    if (!fitsTheRow(text, subject, Table4->fieldByName(configField::value).asString()))
        return;
    Table4->edit();
    Table4->fieldByName(configField::value).setAsString(text);
}

void TForm1::SpeedButton14Click()
{
    zoomBy(105.0 / 100.0, p9konfig->SpeedButton14);
    zoomPercent += kadmor::zoomStepPercent;
}

void TForm1::SpeedButton15Click()
{
    // Below the lower bound the button does nothing, so the window stays usable.
    if (zoomPercent - kadmor::zoomStepPercent < kadmor::minimumZoomPercent)
        return;
    zoomBy(100.0 / 105.0, p9konfig->SpeedButton15);
    zoomPercent -= kadmor::zoomStepPercent;
}

// Saves the edited row (an empty value is refused by the table and the row keeps its old value)
// and the changed password, and ends the program in any case.
void TForm1::Button5Click()
{
    kadmor::runAction([this] {
        if (Table4->isEditing())
            Table4->refresh();
    });
    kadmor::runAction([this] { writeChangedPassword(); });
    kadmor::runAction([this] {
        if (Table4->isEditing())
            Table4->cancel();
        Table4->close();
    });
    close();
}

void TForm1::BitBtn17Click()
{
    kadmor::openDocument(applicationFolderSlash + QStringLiteral("doc/kd_index.html"), {}, {});
}
