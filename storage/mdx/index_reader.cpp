// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "storage/mdx/bcd_key.h"
#include "storage/mdx/index_file.h"
#include "storage/mdx/mdx_format.h"

#include <QtEndian>

#include <cstring>

namespace kadmor::mdx {

namespace {

constexpr int kMaxDepth = 32;

class Reader
{
  public:
    Reader(const QByteArray& bytes, const QString& fileName) : m_bytes(bytes), m_fileName(fileName) {}

    IndexFile read()
    {
        const int tagCount = readFileHeader();
        IndexFile file;
        file.tableName = text(kDataNameOffset, kDataNameSize);
        file.language = static_cast<unsigned char>(m_bytes[kLanguageOffset]);
        for (int i = 0; i < tagCount; ++i)
            file.tags.append(readTag(kTagTableOffset + i * kTagEntrySize));
        return file;
    }

    // The tags as the tag table and the tag headers declare them, without their trees.
    QList<TagInfo> readInfos()
    {
        const int tagCount = readFileHeader();
        QList<TagInfo> infos;
        for (int i = 0; i < tagCount; ++i)
            infos.append(readInfo(kTagTableOffset + i * kTagEntrySize));
        return infos;
    }

  private:
    [[noreturn]] void damaged(const char* why) const
    {
        throw Error(QStringLiteral("Indexový soubor %1 je poškozen (%2).").arg(m_fileName, QString::fromUtf8(why)));
    }
    void require(bool condition, const char* why) const
    {
        if (!condition)
            damaged(why);
    }

    uint16_t u16(qsizetype offset) const { return qFromLittleEndian<uint16_t>(m_bytes.constData() + offset); }
    uint32_t u32(qsizetype offset) const { return qFromLittleEndian<uint32_t>(m_bytes.constData() + offset); }
    QByteArray text(qsizetype offset, int size) const
    {
        const QByteArray field = m_bytes.mid(offset, size);
        return field.left(field.indexOf('\0') < 0 ? size : field.indexOf('\0'));
    }

    int readFileHeader()
    {
        require(m_bytes.size() >= kFirstTagHeaderPage * kPageSize, "krátká hlavička");
        m_pagesPerBlock = u16(kPagesPerBlockOffset);
        m_blockSize = u16(kBlockSizeOffset);
        require(m_pagesPerBlock >= 1 && m_blockSize == qint64(m_pagesPerBlock) * kPageSize, "neznámá velikost bloku");
        const int tagCount = u16(kTagCountOffset);
        require(kTagTableOffset + qint64(tagCount) * kTagEntrySize <= kFirstTagHeaderPage * kPageSize,
                "příliš mnoho značek");
        m_visited.assign(size_t(m_bytes.size() / kPageSize), false);
        return tagCount;
    }

    qsizetype tagHeaderOffset(qsizetype entry) const
    {
        const uint32_t headerPage = u32(entry + kEntryHeaderPageOffset);
        const qsizetype header = qsizetype(headerPage) * kPageSize;
        require(headerPage >= kFirstTagHeaderPage && header + kPageSize <= m_bytes.size(),
                "hlavička značky mimo soubor");
        return header;
    }

    TagInfo readInfo(qsizetype entry)
    {
        const qsizetype header = tagHeaderOffset(entry);
        TagInfo info;
        info.name = text(entry + kEntryNameOffset, kTagNameSize);
        info.expression = text(header + kExpressionOffset, kExpressionSize);
        info.keyType = m_bytes[header + kKeyTypeOffset];
        info.keyLength = u16(header + kKeyLengthOffset);
        const auto format = static_cast<unsigned char>(m_bytes[header + kKeyFormatOffset]);
        info.descending = format & kFormatDescending;
        info.unique = (format & kFormatUnique) || m_bytes[header + kUniqueOffset] != 0;
        m_keysPerBlock = u16(header + kKeysPerBlockOffset);
        m_itemLength = u16(header + kItemLengthOffset);
        require(info.keyLength >= 1 && info.keyLength <= kMaxCharacterKey, "délka klíče");
        require(info.keyType != 'N' || info.keyLength == kBcdKeyLength, "délka číselného klíče");
        require(m_itemLength >= info.keyLength + kItemNumberSize, "délka položky");
        // Every number of the file is foreign input: products in 64 bits, so that no field can
        // wrap a check around and send the walk outside the block.
        require(m_keysPerBlock >= 1 && kNodeItemsOffset + qint64(m_keysPerBlock) * m_itemLength <= m_blockSize,
                "počet klíčů v bloku");
        return info;
    }

    Tag readTag(qsizetype entry)
    {
        Tag tag;
        tag.info = readInfo(entry);
        const qsizetype header = tagHeaderOffset(entry);
        const qsizetype headerPage = header / kPageSize;
        require(!m_visited[size_t(headerPage)], "hlavička značky použita dvakrát");
        m_visited[size_t(headerPage)] = true; // no block of a tree may lie on it
        readNode(tag, u32(header + kRootPageOffset), 0);
        return tag;
    }

    // Appends the subtree's entries to the tag and returns whether it held any.
    bool readNode(Tag& tag, uint32_t page, int depth)
    {
        const qsizetype node = qsizetype(page) * kPageSize;
        require(depth < kMaxDepth, "příliš hluboký strom");
        require(page >= kFirstTagHeaderPage && node + m_blockSize <= m_bytes.size(), "blok mimo soubor");
        require(!m_visited[page], "blok použit dvakrát");
        m_visited[page] = true;

        const auto count = qFromLittleEndian<int32_t>(m_bytes.constData() + node + kNodeCountOffset);
        require(count >= 0 && count <= m_keysPerBlock, "počet klíčů v bloku");
        const qsizetype after = node + kNodeItemsOffset + qsizetype(count) * m_itemLength;
        const bool branch = after + kItemNumberSize <= node + m_blockSize && u32(after) != 0;
        if (!branch) {
            for (int i = 0; i < count; ++i)
                appendEntry(tag, node + kNodeItemsOffset + qsizetype(i) * m_itemLength);
            return count > 0;
        }
        require(after + m_itemLength <= node + m_blockSize, "větev přesahuje blok");
        bool any = false;
        for (int i = 0; i <= count; ++i) {
            const qsizetype item = node + kNodeItemsOffset + qsizetype(i) * m_itemLength;
            const qsizetype before = tag.size();
            if (!readNode(tag, u32(item), depth + 1))
                continue;
            any = true;
            const char* bound = m_bytes.constData() + item + kItemNumberSize;
            if (i < count)
                require(order(tag, tag.key(tag.size() - 1).data(), bound) <= 0, "klíč větve menší než podstrom");
            if (i > 0)
                require(order(tag, m_bytes.constData() + item - m_itemLength + kItemNumberSize,
                              tag.key(before).data()) <= 0,
                        "klíč větve větší než podstrom");
        }
        return any;
    }

    int order(const Tag& tag, const char* a, const char* b) const
    {
        const int c = compareKeys(tag.info.keyType, a, b, tag.info.keyLength);
        return tag.info.descending ? -c : c;
    }

    void appendEntry(Tag& tag, qsizetype item)
    {
        tag.recordNumbers.push_back(u32(item));
        tag.keys.append(m_bytes.constData() + item + kItemNumberSize, tag.info.keyLength);
    }

    const QByteArray& m_bytes;
    const QString m_fileName;
    int m_pagesPerBlock = 0;
    int m_blockSize = 0;
    int m_keysPerBlock = 0;
    int m_itemLength = 0;
    std::vector<bool> m_visited;
};

} // namespace

IndexFile parseIndexFile(const QByteArray& bytes, const QString& fileName)
{
    return Reader(bytes, fileName).read();
}

QList<TagInfo> parseTagTable(const QByteArray& bytes, const QString& fileName)
{
    return Reader(bytes, fileName).readInfos();
}

} // namespace kadmor::mdx
