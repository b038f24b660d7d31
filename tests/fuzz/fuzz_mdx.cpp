// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: an .mdx file as the engine meets it beside a table, parsed and walked tag by tag.
#include "base/error.h"
#include "storage/mdx/bcd_key.h"
#include "storage/mdx/index_file.h"

#include <cstdint>

using namespace kadmor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        (void)mdx::parseTagTable(bytes, QStringLiteral("fuzz.mdx"));
        const mdx::IndexFile file = mdx::parseIndexFile(bytes, QStringLiteral("fuzz.mdx"));
        for (const mdx::Tag& tag : file.tags) {
            for (qsizetype i = 1; i < tag.size(); ++i)
                (void)mdx::compareKeys(tag.info.keyType, tag.key(i - 1).data(), tag.key(i).data(), tag.info.keyLength);
            if (tag.info.keyType == 'N' && tag.size() > 0)
                (void)mdx::textFromBcdKey(tag.key(tag.size() - 1));
        }
    } catch (const Error&) {
        // a damaged index is refused: that is the sound outcome
    }
    return 0;
}
