// SPDX-License-Identifier: GPL-3.0-or-later
// The word and phrase lists on paper or in a text file.
#include "shell/tform1.h"

#include "maintenance/maintenance_rules.h"
#include "storage/controls_disabled.h"
#include "storage/schema.h"
#include "ui_word_list_page.h"
#include "util/line_output.h"

namespace {

namespace maintenance = kadmor::maintenance;

// The list as its page shows it (lesson, order), from the first record to the last; the table is
// left on its last record. A failure reaches the general error display with the output closed, and
// then no "done" follows.
void printList(kadmor::Table& table, const QString& foreignField, const QString& czechField,
               const maintenance::ListKind& kind, const QString& lessonBox, const QString& pdfFile)
{
    {
        kadmor::ControlsDisabled suspended(table);
        table.first();
        const bool printer = kadmor::askForPrinter(kind.fileName);
        const std::unique_ptr<kadmor::LineOutput> output =
            kadmor::openLineOutput(printer, kind.fileName, kind.title, pdfFile);
        output->writeLine(maintenance::listHeading(lessonBox));
        output->writeLine(QString());
        for (; !table.eof(); table.next())
            output->writeLine(maintenance::listLine(table.fieldByName(foreignField).asString(),
                                                    table.fieldByName(czechField).asString(), kind.width));
        output->close();
    }
    kadmor::dialogs().beep();
    kadmor::dialogs().message(kadmor::BoxType::Plain, QStringLiteral("Hotovo, lekce vytištěna!"), kadmor::Buttons::Ok);
}

} // namespace

void TForm1::BitBtn30Click()
{
    namespace field = kadmor::schema::words::field;
    printList(*Table1, field::foreign, field::czech, maintenance::wordList(), p2zaktabul->Edit2->text(),
              printerPdfFile);
}

void TForm1::BitBtn32Click()
{
    namespace field = kadmor::schema::phrases::field;
    printList(*Table3, field::foreign, field::czech, maintenance::phraseList(), p2zaktabul->Edit2->text(),
              printerPdfFile);
}
