// SPDX-License-Identifier: GPL-3.0-or-later
// What kadmor-page-shots says for --help (a tool of the source tree, not installed).
#include "base/program_help.h"

const kadmor::cli::ProgramHelp& kadmor::cli::thisProgram()
{
    static const ProgramHelp help{
        .name = QStringLiteral("kadmor-page-shots"),
        .summary = QStringLiteral("uloží snímek každé stránky programu"),
        .usage = {QStringLiteral("SLOŽKA_PROGRAMU VÝSTUPNÍ_SLOŽKA")},
        .description = {QStringLiteral("Spustí hlavní okno na instalaci ve SLOŽCE_PROGRAMU, ukáže postupně "
                                       "všechny jeho stránky a uloží je jako VÝSTUPNÍ_SLOŽKA/page0.png, "
                                       "page1.png a dále (jedenáct stránek programu jsou page0.png až "
                                       "page10.png). Hlášení při spuštění nikdo neodpovídá, vypíší se. Spouští ho "
                                       "tools/screenshots pod Xvfb.")},
    };
    return help;
}
