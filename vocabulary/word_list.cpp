// SPDX-License-Identifier: GPL-3.0-or-later
// The word list: the lesson restriction and order of the word table.
#include "shell/tform1.h"

void TForm1::filtruj(const QString& field, const QString& value, const QString& index)
{
    Table1->setFilter(field + QStringLiteral("='") + value + u'\'');
    Table1->setFiltered(true);
    Table1->setIndexName(index);
}
