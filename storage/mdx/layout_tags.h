// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/layouts.h"
#include "storage/mdx/tag_def.h"

#include <QList>

namespace kadmor {

// The production-index tags of a table layout: one per in-memory tag, numeric for the tags that
// order by value (PRUM), character otherwise.
inline QList<MdxTagDef> mdxTagsOf(const TableLayout& layout)
{
    QList<MdxTagDef> tags;
    for (const TagSpec& tag : layout.tags)
        tags.append({tag.name.toLatin1(), tag.field.toLatin1(), tag.order == KeyOrder::Numeric ? 'N' : 'C'});
    return tags;
}

} // namespace kadmor
