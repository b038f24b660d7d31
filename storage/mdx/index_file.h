// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>

#include <cstdint>
#include <vector>

// A dBASE IV multiple-index file in memory: its tags, each with its keys in index order.
namespace kadmor::mdx {

struct TagInfo
{
    QByteArray name;       // as stored, dBASE writes it in capitals ("LEK")
    QByteArray expression; // the key expression; for our tags the field name
    char keyType = 'C';    // 'C' character, 'N' numeric (12-byte decimal), 'D' date
    int keyLength = 0;
    bool descending = false;
    bool unique = false;
};

struct Tag
{
    TagInfo info;
    QByteArray keys; // info.keyLength bytes per entry, entries in index order
    std::vector<uint32_t> recordNumbers;

    qsizetype size() const { return qsizetype(recordNumbers.size()); }
    QByteArrayView key(qsizetype entry) const
    {
        return QByteArrayView(keys.constData() + entry * info.keyLength, info.keyLength);
    }
};

struct IndexFile
{
    QByteArray tableName;       // base name of the table, as the header holds it
    unsigned char language = 0; // the table's language byte
    QList<Tag> tags;
};

// dBASE's own ordering of two keys of a tag: the stored bytes for character keys, the value
// for numeric keys. Negative, zero or positive like memcmp.
int compareKeys(char keyType, const char* a, const char* b, int keyLength);

// The file's bytes; B-tree nodes are filled as far as a block holds them.
QByteArray buildIndexFile(const IndexFile& file, QDate today);

// Reads every tag by walking its B-tree from the root. Throws kadmor::Error (naming
// fileName) when the bytes are not a sound index file: bad header, a block outside the file
// or met twice, a key count that does not fit its block, branch keys out of order.
IndexFile parseIndexFile(const QByteArray& bytes, const QString& fileName);
// The tags the file declares, from its tag table and tag headers alone: a damaged tree does not
// keep them from being read (and rebuilt). Throws kadmor::Error as parseIndexFile does.
QList<TagInfo> parseTagTable(const QByteArray& bytes, const QString& fileName);

} // namespace kadmor::mdx
