// SPDX-License-Identifier: GPL-3.0-or-later
// What kadmor-table says for --help and in its manual page.
#include "base/program_help.h"
#include "storage/schema.h"

const kadmor::cli::ProgramHelp& kadmor::cli::thisProgram()
{
    static const ProgramHelp help{
        .name = QStringLiteral("kadmor-table"),
        .summary = QStringLiteral("prohlíží a opravuje tabulky dBASE programu kadmor"),
        .usage = {QStringLiteral("PŘÍKAZ SOUBOR.dbf")},
        .description =
            {
                QStringLiteral("Pracuje s jednou tabulkou programu kadmor (%1, %2, %3, %4 a dalšími) tak, jako "
                               "program: zamyká zapisované záznamy a udržuje indexy .mdx, takže smí běžet i při "
                               "spuštěném programu. Texty čte a píše v UTF-8.")
                    .arg(schema::words::file, schema::grades::file, schema::phrases::file, schema::config::file),
            },
        .commands =
            {
                {QStringLiteral("dump SOUBOR.dbf"), QStringLiteral("vypíše pole a všechny záznamy (smazané s *)")},
                {QStringLiteral("append SOUBOR.dbf"),
                 QStringLiteral("připíše záznamy ze standardního vstupu, jeden na řádek, hodnoty oddělené "
                                "tabulátorem v pořadí polí")},
                {QStringLiteral("pack SOUBOR.dbf"),
                 QStringLiteral("odstraní smazané záznamy (jen když tabulku nemá otevřenou žádný jiný program pro "
                                "dBASE)")},
                {QStringLiteral("check SOUBOR.dbf"),
                 QStringLiteral("porovná počet záznamů v hlavičce se záznamy v souboru; skončí kódem 1, když "
                                "nesouhlasí")},
                {QStringLiteral("repair SOUBOR.dbf"),
                 QStringLiteral("opraví počet záznamů poškozené tabulky (po potvrzení)")},
            },
        .notes = {QStringLiteral("Kód ukončení 0 znamená úspěch, 1 chybu nebo poškozenou tabulku, 2 chybné "
                                 "argumenty.")},
        .seeAlso = {QStringLiteral("kadmor(1)"), QStringLiteral("kadmor-install(1)")},
    };
    return help;
}
