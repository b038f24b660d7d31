// SPDX-License-Identifier: GPL-3.0-or-later
#include "password_characters.h"

#include <QStringDecoder>

namespace kadmor::test {

QStringList passwordCharacters()
{
    QStringList characters;
    QStringDecoder decoder("windows-1250");
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        if (byte != 0x7F)
            characters.append(decoder.decode(QByteArray(1, char(byte))));
    }
    return characters;
}

} // namespace kadmor::test
