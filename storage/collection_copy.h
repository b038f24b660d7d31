// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

namespace kadmor {

class Table;

// A field of the new-words or new-phrases table and the word or phrase table's field it holds.
struct CopiedField
{
    const char* target;
    const char* source;
};

namespace collection {
const QList<CopiedField>& wordFields();   // newwords.dbf from kadmor.dbf
const QList<CopiedField>& phraseFields(); // newfraze.dbf from fraze.dbf
} // namespace collection

// Appends to the table into a record made of the current record of from, field by field.
void appendCopy(Table& from, Table& into, const QList<CopiedField>& fields);

} // namespace kadmor
