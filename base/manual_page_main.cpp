// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the manual page of the executable whose help it is linked with into the given file, at
// build time.
#include "base/program_help.h"

#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: MANUAL-WRITER FILE.1\n", stderr);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    const QByteArray page =
        kadmor::cli::manualPage(kadmor::cli::thisProgram(), QStringLiteral(KADMOR_RELEASE_DATE)).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(page) != page.size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
