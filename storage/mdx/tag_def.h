// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace kadmor {

// One tag of a production index: a name and the one field whose value is the key.
struct MdxTagDef
{
    QByteArray name;    // "lek"; stored in capitals, found whatever the letter case
    QByteArray field;   // "LEK"
    char keyType = 'C'; // 'C' for a character field, 'N' for a numeric (N or F) field
};

} // namespace kadmor
