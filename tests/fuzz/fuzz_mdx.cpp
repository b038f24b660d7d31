// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: an .mdx file as the engine meets it beside a table, parsed and walked tag by tag,
// then changed in place as a write through the engine changes it.
#include "base/error.h"
#include "storage/mdx/bcd_key.h"
#include "storage/mdx/index_editor.h"
#include "storage/mdx/index_file.h"

#include <QTemporaryFile>

#include <cstdint>

using namespace kadmor;

namespace {

void editInPlace(const QByteArray& bytes)
{
    QTemporaryFile file;
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return;
    try {
        mdx::IndexEditor editor(file.fileName(), mdx::IndexEditor::Access::ReadWrite);
        for (int tag = 0; tag < int(editor.tags().size()); ++tag) {
            const QByteArray key(editor.tags()[size_t(tag)].keyLength, 'k');
            editor.insert(tag, key, 1);
            (void)editor.remove(tag, key, 1);
            (void)editor.remove(tag, key, 2);
        }
        editor.commit(QByteArray(48, 'f'));
    } catch (const Error&) {
    }
}

} // namespace

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
    editInPlace(bytes);
    return 0;
}
