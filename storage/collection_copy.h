// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/schema.h"

#include <QList>
#include <QString>

#include <functional>

namespace kadmor {

class Table;

// A field of the new-words or new-phrases table and the word or phrase table's field it holds;
// what the two hold when they name a file.
struct CollectedField
{
    enum class Names { Text, Picture, Sound };
    schema::Name collection;
    schema::Name main;
    Names names = Names::Text;
};

// The two collection tables' fields beside the main tables' fields, in the collection's order.
namespace collection {
const QList<CollectedField>& wordFields();   // newwords.dbf and kadmor.dbf
const QList<CollectedField>& phraseFields(); // newfraze.dbf and fraze.dbf
} // namespace collection

// Appends to the collection table a record made of the current record of the main table.
void collect(Table& main, Table& collection, const QList<CollectedField>& fields);

// The name to store for a picture or sound name of a collected record, which is never empty:
// another name, or the empty text to store none.
using StoredName = std::function<QString(CollectedField::Names names, const QString& collected)>;

// Appends every record of the collection table to the main table, each stored as it is made: its
// texts as they are, its picture and sound names as storedName decides (an empty name stays
// empty). The collection's grids are suspended meanwhile.
void readBack(Table& collection, Table& main, const QList<CollectedField>& fields, const StoredName& storedName);

// The value of the first field of the kind in the collection table's current record; empty when
// the table has no such field (phrases name no picture).
QString collectedName(Table& collection, const QList<CollectedField>& fields, CollectedField::Names names);

} // namespace kadmor
