// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/code_page.h"
#include "storage/dbf_format.h"
#include "base/error.h"
#include "storage/mdx/layout_tags.h"
#include "storage/mdx/production_index.h"
#include "storage/table.h"

#include <QDate>
#include <QSaveFile>

namespace kadmor {

void createTable(const QString& path, const TableLayout& layout)
{
    const CodePage codePage(dbf::kLanguageWindows1250);
    dbf::Header header;
    header.version = dbf::kVersionDbase;
    header.language = dbf::kLanguageWindows1250;
    header.lastUpdate = QDate::currentDate();
    for (const FieldSpec& declared : layout.fields) {
        if (declared.type == FieldType::Calculated)
            continue;
        dbf::Descriptor field;
        field.name = codePage.encode(declared.name.toUpper()).left(dbf::kNameSize - 1);
        field.type = char(declared.type);
        field.length = declared.width;
        field.decimals = declared.decimals;
        header.fields.push_back(field);
    }
    // Written aside and renamed into place: an existing table is never left half overwritten.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(dbf::buildHeader(header) + dbf::kEndMark) < 0 || !file.commit())
        throw Error(QStringLiteral("Tabulku %1 nelze vytvořit: %2.").arg(path, file.errorString()));
    const QList<MdxTagDef> tags = mdxTagsOf(layout);
    if (!tags.isEmpty()) {
        setProductionIndexFlags(path, tags);
        writeProductionIndex(path, tags);
    }
}

} // namespace kadmor
