// SPDX-License-Identifier: GPL-3.0-or-later
// What the program says for --help and in its manual page.
#include "base/program_help.h"
#include "storage/schema.h"

const kadmor::cli::ProgramHelp& kadmor::cli::thisProgram()
{
    const QLatin1StringView configFile = schema::config::file;
    static const ProgramHelp help{
        .name = QStringLiteral("kadmor"),
        .summary = QStringLiteral("výuka slovíček cizího jazyka pro české žáky"),
        .usage = {QString(), QStringLiteral("--help | --version")},
        .description =
            {
                QStringLiteral("Učitel vede slovíčka po lekcích s obrázky a nahranou výslovností a knihu frází; "
                               "žáci si slovíčka prohlížejí, poslouchají a nahrávají vlastní výslovnost. Program "
                               "žáky zkouší, známkuje jako ve škole a vede žákovský deníček. Lekce se přenášejí "
                               "mezi instalacemi na přenosném disku."),
                QStringLiteral("Program nemá jiné argumenty než --help a --version. Konfigurační tabulku "
                               "%1, zvuky, obrázky a nápovědu hledá ve složce programu: leží-li "
                               "%1 vedle spustitelného souboru (složka, kterou vytvořil kadmor-install), "
                               "pracuje s ní.")
                    .arg(configFile),
                QStringLiteral("Program nainstalovaný z balíčku (v /usr/bin) si při prvním spuštění připraví "
                               "úplnou instalaci s ukázkovými lekcemi ve složce uživatele "
                               "$XDG_DATA_HOME/kadmor, obvykle ~/.local/share/kadmor, a otevře ji. Další spuštění "
                               "ji najdou a nic v ní nepřepíší. Heslo učitele nové instalace je UCITEL."),
                QStringLiteral("Správce počítačové učebny připraví jednu konfigurační tabulku pro všechny účty: "
                               "vytvoří sdílenou instalaci (kadmor-install /srv/kadmor), spustí z ní program, "
                               "změní heslo učitele a zkopíruje /srv/kadmor/%1 do /etc/kadmor/%1. "
                               "Každý účet pak při prvním spuštění dostane tuto tabulku, a tím i její sdílenou "
                               "složku dat, jazyk a heslo.")
                    .arg(configFile),
            },
        .files =
            {
                {QStringLiteral("~/.local/share/kadmor/"),
                 QStringLiteral("instalace uživatele: %1, sounds, pictures, doc a složka dat data").arg(configFile)},
                {QStringLiteral("/etc/kadmor/") + configFile,
                 QStringLiteral("konfigurační tabulka od správce, kterou dostane každá nová instalace uživatele")},
                {QStringLiteral("/usr/share/kadmor/"), QStringLiteral("obsah nové instalace")},
                {QStringLiteral("~/.config/kadmor/kadmor.conf"), QStringLiteral("uložené zvětšení okna")},
            },
        .notes = {QStringLiteral("Druhé spuštění programu jen přenese do popředí okno programu, který už běží.")},
        .seeAlso = {QStringLiteral("kadmor-install(1)"), QStringLiteral("kadmor-table(1)")},
    };
    return help;
}
