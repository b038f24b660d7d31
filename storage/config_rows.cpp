// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/config_rows.h"

#include "storage/code_page.h"
#include "base/error.h"
#include "storage/layouts.h"
#include "storage/table.h"

namespace kadmor::config {

QString valueField()
{
    return QStringLiteral("HODNOTA");
}

int valueWidth()
{
    for (const FieldSpec& field : layouts::config().fields) {
        if (field.name == valueField())
            return field.width;
    }
    Q_UNREACHABLE();
}

void goToRow(Table& table, int row)
{
    table.first();
    table.moveBy(row - 1);
}

ValueFit valueFit(const QString& text)
{
    if (text.size() > valueWidth())
        return ValueFit::TooLong;
    try {
        CodePage().encode(text);
    } catch (const Error&) {
        return ValueFit::OutsideCodePage;
    }
    return ValueFit::Fits;
}

} // namespace kadmor::config
