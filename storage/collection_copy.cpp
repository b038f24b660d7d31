// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/collection_copy.h"

#include "storage/table.h"

namespace kadmor {

namespace collection {

const QList<CopiedField>& wordFields()
{
    static const QList<CopiedField> fields = {
        {"LE", "LEK"}, {"AN", "ANGL"}, {"CE", "CES"}, {"OB", "OBR"}, {"ZV", "ZVUK"}};
    return fields;
}

const QList<CopiedField>& phraseFields()
{
    static const QList<CopiedField> fields = {{"LE", "LEK"}, {"ANG", "ANGL"}, {"CE", "CES"}, {"ZVUK", "ZVUK"}};
    return fields;
}

} // namespace collection

void appendCopy(Table& from, Table& into, const QList<CopiedField>& fields)
{
    into.append();
    for (const auto& [target, source] : fields)
        into.fieldByName(QLatin1String(target)).setAsString(from.fieldByName(QLatin1String(source)).asString());
    into.post();
}

} // namespace kadmor
