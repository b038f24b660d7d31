// SPDX-License-Identifier: GPL-3.0-or-later
// What kadmor-install says for --help and in its manual page.
#include "base/program_help.h"

const kadmor::cli::ProgramHelp& kadmor::cli::thisProgram()
{
    static const ProgramHelp help{
        .name = QStringLiteral("kadmor-install"),
        .summary = QStringLiteral("vytvoří úplnou instalaci programu kadmor s ukázkovými lekcemi"),
        .usage = {QStringLiteral("SLOŽKA [--replace]")},
        .description =
            {
                QStringLiteral(
                    "Vytvoří ve SLOŽCE instalaci programu kadmor, jak ji program zná: program sám, "
                    "konfigurační tabulku konfig.dbf, úvodní obrázky, zvuky dobre.wav a spatne.wav, "
                    "složky sounds, pictures a doc a složku dat data se šesti tabulkami a s prázdnými "
                    "vzory v data/empty_tables. Tabulky obsahují ukázkové lekce slovíček a frází a několik žáků. Heslo "
                    "učitele nové instalace je UCITEL."),
                QStringLiteral("Program spuštěný z takové složky pracuje s ní. Kadmor nainstalovaný z balíčku si "
                               "při prvním spuštění stejnou instalaci připraví sám ve složce uživatele; "
                               "kadmor-install slouží správci, který chce jednu instalaci sdílet, například "
                               "složku dat pro celou počítačovou učebnu."),
                QStringLiteral("Instalace se sestaví ve skryté pracovní složce uvnitř SLOŽKY a na místo se přesune "
                               "až celá; když se něco nepovede, zůstane SLOŽKA beze změny. Existující instalaci "
                               "nástroj nepřepíše, leda s volbou --replace."),
            },
        .options = {{QStringLiteral("--replace"),
                     QStringLiteral("nahradí existující instalaci; přepíše i tabulky slovíček, žáků a frází, jiné "
                                    "soubory ve SLOŽCE ponechá")}},
        .files = {{QStringLiteral("/usr/share/kadmor/"),
                   QStringLiteral("obsah nové instalace (obrázky, zvuky, nápověda, ukázkové lekce); při jiné "
                                  "předponě instalace PREFIX/share/kadmor")},
                  {QStringLiteral("~/.config/kadmor/kadmor.conf"),
                   QStringLiteral("uložené zvětšení okna; nástroj je vytvoří, když chybí")}},
        .notes = {QStringLiteral("Cesta ke složce dat se do konfigurace vejde nejvýše o 30 znacích; složka uvnitř "
                                 "domovské složky se zapíše jako ~/…, když by celá cesta byla delší.")},
        .seeAlso = {QStringLiteral("kadmor(1)"), QStringLiteral("kadmor-table(1)")},
    };
    return help;
}
