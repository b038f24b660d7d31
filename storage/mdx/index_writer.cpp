// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/bcd_key.h"
#include "storage/mdx/index_file.h"
#include "storage/mdx/mdx_format.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace kadmor::mdx {

namespace {

// Item length: the record or page number and the key, rounded up to whole 4-byte words.
int itemLengthFor(int keyLength)
{
    return (kItemNumberSize + keyLength + 3) / 4 * 4;
}

int keysPerBlockFor(int itemLength)
{
    return (kBlockSize - kNodeItemsOffset) / itemLength;
}

template <typename T> void put(QByteArray& bytes, qsizetype offset, T value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void putDate(QByteArray& bytes, qsizetype offset, QDate date)
{
    bytes[offset] = char(date.year() - 1900);
    bytes[offset + 1] = char(date.month());
    bytes[offset + 2] = char(date.day());
}

void putText(QByteArray& bytes, qsizetype offset, const QByteArray& text, int size)
{
    std::memcpy(bytes.data() + offset, text.constData(), std::min<qsizetype>(text.size(), size - 1));
}

struct Subtree
{
    uint32_t page = 0;
    qsizetype lastEntry = -1; // the entry whose key closes the subtree; -1 when empty
};

// Writes one tag's B-tree bottom-up into new blocks at the end of out, and returns its root.
class TreeWriter
{
  public:
    TreeWriter(QByteArray& out, const Tag& tag)
        : m_out(out), m_tag(tag), m_itemLength(itemLengthFor(tag.info.keyLength)),
          // a leaf keeps room for the zero number that follows its last item
          m_leafCapacity((kBlockSize - kNodeItemsOffset - kItemNumberSize) / m_itemLength),
          // a branch holds as many children as items fit, its last one without a key
          m_branchCapacity(keysPerBlockFor(m_itemLength))
    {
    }

    uint32_t write()
    {
        std::vector<Subtree> level = writeLeaves();
        while (level.size() > 1)
            level = writeBranches(level);
        return level.front().page;
    }

  private:
    // Splits count items into as few nodes of at most capacity items as possible, evenly.
    static std::vector<qsizetype> nodeSizes(qsizetype count, qsizetype capacity)
    {
        const qsizetype nodes = std::max<qsizetype>(1, (count + capacity - 1) / capacity);
        std::vector<qsizetype> sizes(nodes, count / nodes);
        for (qsizetype i = 0; i < count % nodes; ++i)
            ++sizes[i];
        return sizes;
    }

    qsizetype newBlock()
    {
        const qsizetype offset = m_out.size();
        m_out.append(QByteArray(kBlockSize, '\0'));
        return offset;
    }

    void putItem(qsizetype node, qsizetype item, uint32_t number, qsizetype entry)
    {
        const qsizetype offset = node + kNodeItemsOffset + item * m_itemLength;
        put<uint32_t>(m_out, offset, number);
        if (entry >= 0)
            std::memcpy(m_out.data() + offset + kItemNumberSize, m_tag.key(entry).data(), m_tag.info.keyLength);
    }

    std::vector<Subtree> writeLeaves()
    {
        std::vector<Subtree> leaves;
        qsizetype entry = 0;
        for (const qsizetype size : nodeSizes(m_tag.size(), m_leafCapacity)) {
            const qsizetype node = newBlock();
            put<int32_t>(m_out, node + kNodeCountOffset, int32_t(size));
            for (qsizetype item = 0; item < size; ++item, ++entry)
                putItem(node, item, m_tag.recordNumbers[entry], entry);
            leaves.push_back({uint32_t(node / kPageSize), entry - 1});
        }
        return leaves;
    }

    std::vector<Subtree> writeBranches(const std::vector<Subtree>& children)
    {
        std::vector<Subtree> parents;
        auto child = children.begin();
        for (const qsizetype size : nodeSizes(qsizetype(children.size()), m_branchCapacity)) {
            const qsizetype node = newBlock();
            put<int32_t>(m_out, node + kNodeCountOffset, int32_t(size - 1));
            for (qsizetype item = 0; item < size; ++item, ++child)
                putItem(node, item, child->page, item + 1 < size ? child->lastEntry : -1);
            parents.push_back({uint32_t(node / kPageSize), std::prev(child)->lastEntry});
        }
        return parents;
    }

    QByteArray& m_out;
    const Tag& m_tag;
    const int m_itemLength;
    const qsizetype m_leafCapacity;
    const qsizetype m_branchCapacity;
};

void putTagEntry(QByteArray& out, int index, const TagInfo& info, uint32_t headerPage)
{
    const qsizetype entry = kTagTableOffset + qsizetype(index) * kTagEntrySize;
    put<uint32_t>(out, entry + kEntryHeaderPageOffset, headerPage);
    putText(out, entry + kEntryNameOffset, info.name, kTagNameSize);
    out[entry + kEntryFormatOffset] = char(kEntryFieldKey);
    out[entry + kEntryReservedOffset] = char(kEntryReservedValue);
    out[entry + kEntryKeyTypeOffset] = info.keyType;
}

void putTagHeader(QByteArray& out, qsizetype header, const TagInfo& info, uint32_t root, uint32_t pages)
{
    const int itemLength = itemLengthFor(info.keyLength);
    put<uint32_t>(out, header + kRootPageOffset, root);
    put<uint32_t>(out, header + kTagPagesOffset, pages);
    out[header + kKeyFormatOffset] =
        char((info.keyType == 'C' ? kFormatCharacter : 0) | (info.descending ? kFormatDescending : 0) |
             (info.unique ? kFormatUnique : 0));
    out[header + kKeyTypeOffset] = info.keyType;
    put<uint16_t>(out, header + kKeyLengthOffset, uint16_t(info.keyLength));
    put<uint16_t>(out, header + kKeysPerBlockOffset, uint16_t(keysPerBlockFor(itemLength)));
    put<uint16_t>(out, header + kItemLengthOffset, uint16_t(itemLength));
    out[header + kHeaderReservedOffset] = char(kEntryReservedValue);
    out[header + kUniqueOffset] = char(info.unique ? 1 : 0);
    putText(out, header + kExpressionOffset, info.expression, kExpressionSize);
    out[header + kHeaderTdbfMarkOffset] = 1;
}

} // namespace

int compareKeys(char keyType, const char* a, const char* b, int keyLength)
{
    if (keyType == 'N')
        return compareBcdKeys(a, b);
    return std::memcmp(a, b, size_t(keyLength));
}

QByteArray buildIndexFile(const IndexFile& file, QDate today)
{
    QByteArray out(kFirstTagHeaderPage * kPageSize, '\0');
    out[kVersionOffset] = char(kVersion);
    putDate(out, kCreatedOffset, today);
    putText(out, kDataNameOffset, file.tableName, kDataNameSize);
    put<uint16_t>(out, kPagesPerBlockOffset, kPagesPerBlock);
    put<uint16_t>(out, kBlockSizeOffset, kBlockSize);
    out[kProductionOffset] = 1;
    out[kTagSlotsOffset] = char(kTagSlots);
    out[kTagEntrySizeOffset] = char(kTagEntrySize);
    put<uint16_t>(out, kTagCountOffset, uint16_t(file.tags.size()));
    out[kLanguageOffset] = char(file.language);
    putDate(out, kUpdatedOffset, today);
    out[kTdbfMarkOffset] = 1;

    for (int i = 0; i < file.tags.size(); ++i) {
        const Tag& tag = file.tags[i];
        const qsizetype header = out.size();
        out.append(QByteArray(kBlockSize, '\0'));
        const uint32_t root = TreeWriter(out, tag).write();
        const auto headerPage = uint32_t(header / kPageSize);
        putTagHeader(out, header, tag.info, root, uint32_t(out.size() / kPageSize) - headerPage);
        putTagEntry(out, i, tag.info, headerPage);
    }
    put<uint32_t>(out, kPageCountOffset, uint32_t(out.size() / kPageSize));
    return out;
}

} // namespace kadmor::mdx
