// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/index_editor.h"

#include "base/error.h"
#include "storage/mdx/bcd_key.h"
#include "storage/mdx/mdx_format.h"
#include "storage/table_fingerprint.h"

#include <QDate>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kadmor::mdx {

namespace {

constexpr int kMaxDepth = 32;

uint32_t u32(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<uint32_t>(bytes.constData() + offset);
}
uint16_t u16(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<uint16_t>(bytes.constData() + offset);
}
void put32(QByteArray& bytes, qsizetype offset, uint32_t value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

QByteArray textAt(const QByteArray& bytes, qsizetype offset, int size)
{
    const QByteArray field = bytes.mid(offset, size);
    const qsizetype end = field.indexOf('\0');
    return end < 0 ? field : field.left(end);
}

qint64 pageOffset(uint32_t page)
{
    return qint64(page) * kPageSize;
}

} // namespace

IndexEditor::IndexEditor(const QString& path, Access access) : m_path(path)
{
    m_fd = ::open(QFile::encodeName(path).constData(), (access == Access::ReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (m_fd < 0)
        throw Error(
            QStringLiteral("Indexový soubor %1 nelze otevřít: %2").arg(path, QString::fromLocal8Bit(strerror(errno))));
    try {
        struct stat info = {};
        if (fstat(m_fd, &info) != 0)
            damaged("stav souboru");
        m_header = readAt(0, kFirstTagHeaderPage * kPageSize);
        m_pageCount = u32(m_header, kPageCountOffset);
        if (u16(m_header, kBlockSizeOffset) != kBlockSize || u16(m_header, kPagesPerBlockOffset) != kPagesPerBlock)
            damaged("neznámá velikost bloku");
        if (pageOffset(m_pageCount) != info.st_size)
            damaged("délka souboru");
        const int tagCount = u16(m_header, kTagCountOffset);
        if (kTagTableOffset + qint64(tagCount) * kTagEntrySize > kFirstTagHeaderPage * kPageSize)
            damaged("příliš mnoho značek");
        for (int i = 0; i < tagCount; ++i)
            readTag(i);
        m_header.truncate(kPageSize); // only the file header changes
        if (access == Access::ReadWrite)
            lockWholeFile();
    } catch (...) {
        ::close(m_fd);
        throw;
    }
}

IndexEditor::~IndexEditor()
{
    ::close(m_fd);
}

void IndexEditor::lockWholeFile() const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    auto pause = std::chrono::microseconds(200);
    for (;;) {
        struct flock lock = {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = 0;
        lock.l_len = 0; // to the end, however far the file grows
        if (fcntl(m_fd, F_OFD_SETLK, &lock) == 0)
            return;
        if (errno == EINTR)
            continue;
        if ((errno != EAGAIN && errno != EACCES) || std::chrono::steady_clock::now() > deadline)
            throw Error(QStringLiteral("Indexový soubor %1 nelze zamknout: %2")
                            .arg(m_path, QString::fromLocal8Bit(strerror(errno))));
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
}

void IndexEditor::rewrite(const QString& path, const QByteArray& bytes)
{
    IndexEditor file(path);
    file.lockWholeFile();
    const QByteArray withdrawn(kFingerprintMarkSize, '\0');
    file.writeAt(kFingerprintMarkOffset, withdrawn);
    file.sync();
    QByteArray body = bytes;
    const QByteArray stamp = body.mid(kFingerprintMarkOffset, kFingerprintMarkSize + dbf::kFingerprintSize);
    body.replace(kFingerprintMarkOffset, kFingerprintMarkSize, withdrawn);
    file.writeAt(0, body);
    if (ftruncate(file.m_fd, off_t(body.size())) != 0)
        throw Error(QStringLiteral("Indexový soubor %1 nelze zapsat: %2")
                        .arg(path, QString::fromLocal8Bit(strerror(errno))));
    file.sync();
    if (stamp.startsWith(QByteArrayView(kFingerprintMark, kFingerprintMarkSize)))
        file.writeAt(kFingerprintMarkOffset, stamp);
}

IndexEditor::IndexEditor(const QString& path) : m_path(path)
{
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (m_fd < 0)
        throw Error(
            QStringLiteral("Indexový soubor %1 nelze otevřít: %2").arg(path, QString::fromLocal8Bit(strerror(errno))));
}

void IndexEditor::damaged(const char* why) const
{
    throw Error(QStringLiteral("Indexový soubor %1 je poškozen (%2).").arg(m_path, QString::fromUtf8(why)));
}

QByteArray IndexEditor::readAt(qint64 offset, int size) const
{
    QByteArray bytes(size, Qt::Uninitialized);
    qsizetype done = 0;
    while (done < size) {
        const ssize_t got = pread(m_fd, bytes.data() + done, size_t(size - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            damaged("blok mimo soubor");
        done += got;
    }
    return bytes;
}

void IndexEditor::writeAt(qint64 offset, const QByteArray& bytes) const
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t put = pwrite(m_fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            throw Error(QStringLiteral("Indexový soubor %1 nelze zapsat: %2")
                            .arg(m_path, QString::fromLocal8Bit(strerror(errno))));
        done += put;
    }
}

void IndexEditor::sync() const
{
    if (fdatasync(m_fd) != 0)
        throw Error(QStringLiteral("Indexový soubor %1 nelze uložit na disk: %2")
                        .arg(m_path, QString::fromLocal8Bit(strerror(errno))));
}

void IndexEditor::readTag(int index)
{
    const qsizetype entry = kTagTableOffset + qsizetype(index) * kTagEntrySize;
    TagState tag;
    tag.headerPage = u32(m_header, entry + kEntryHeaderPageOffset);
    if (tag.headerPage < kFirstTagHeaderPage || tag.headerPage + kPagesPerBlock > m_pageCount)
        damaged("hlavička značky mimo soubor");
    const QByteArray header = readAt(pageOffset(tag.headerPage), kBlockSize);
    TagInfo info;
    info.name = textAt(m_header, entry + kEntryNameOffset, kTagNameSize);
    info.expression = textAt(header, kExpressionOffset, kExpressionSize);
    info.keyType = header[kKeyTypeOffset];
    info.keyLength = u16(header, kKeyLengthOffset);
    const auto format = static_cast<unsigned char>(header[kKeyFormatOffset]);
    info.descending = format & kFormatDescending;
    info.unique = (format & kFormatUnique) || header[kUniqueOffset] != 0;
    tag.root = u32(header, kRootPageOffset);
    tag.pages = u32(header, kTagPagesOffset);
    tag.itemLength = u16(header, kItemLengthOffset);
    const int keysPerBlock = u16(header, kKeysPerBlockOffset);
    if (info.keyLength < 1 || info.keyLength > kMaxCharacterKey ||
        (info.keyType == 'N' && info.keyLength != kBcdKeyLength))
        damaged("délka klíče");
    if (tag.itemLength < info.keyLength + kItemNumberSize || tag.itemLength > kBlockSize - kNodeItemsOffset)
        damaged("délka položky");
    if (keysPerBlock < 1 || kNodeItemsOffset + qint64(keysPerBlock) * tag.itemLength > kBlockSize)
        damaged("počet klíčů v bloku");
    // A leaf keeps room for the zero number after its last item; a branch's count leaves out its last child.
    tag.leafCapacity =
        size_t(std::min((kBlockSize - kNodeItemsOffset - kItemNumberSize) / tag.itemLength, keysPerBlock));
    tag.branchCapacity = size_t(std::min((kBlockSize - kNodeItemsOffset) / tag.itemLength, keysPerBlock + 1));
    if (tag.leafCapacity < 2 || tag.branchCapacity < 3)
        damaged("počet klíčů v bloku");
    m_infos.push_back(info);
    m_tags.push_back(tag);
}

unsigned char IndexEditor::language() const
{
    return static_cast<unsigned char>(m_header[kLanguageOffset]);
}

QByteArray IndexEditor::fingerprint() const
{
    if (m_header.mid(kFingerprintMarkOffset, kFingerprintMarkSize) != QByteArrayView(kFingerprintMark))
        return {};
    return m_header.mid(kFingerprintOffset, dbf::kFingerprintSize);
}

int IndexEditor::tagNamed(QByteArrayView name) const
{
    for (size_t i = 0; i < m_infos.size(); ++i)
        if (m_infos[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int IndexEditor::compare(int tag, QByteArrayView a, QByteArrayView b) const
{
    const TagInfo& info = m_infos[size_t(tag)];
    return compareKeys(info.keyType, a.data(), b.data(), info.keyLength);
}

size_t IndexEditor::capacity(const TagState& tag, const Node& node) const
{
    return node.leaf ? tag.leafCapacity : tag.branchCapacity;
}

IndexEditor::Node& IndexEditor::load(int tag, uint32_t page)
{
    const auto found = m_nodes.find(page);
    if (found != m_nodes.end())
        return found->second;
    if (page < kFirstTagHeaderPage || page + kPagesPerBlock > m_pageCount)
        damaged("blok mimo soubor");
    const QByteArray block = readAt(pageOffset(page), kBlockSize);
    const TagState& state = m_tags[size_t(tag)];
    const int keyLength = m_infos[size_t(tag)].keyLength;
    const auto count = qFromLittleEndian<int32_t>(block.constData() + kNodeCountOffset);
    if (count < 0 || size_t(count) > state.branchCapacity)
        damaged("počet klíčů v bloku");
    const qsizetype after = kNodeItemsOffset + qsizetype(count) * state.itemLength;
    Node node;
    node.page = page;
    node.tag = tag;
    node.leaf = after + kItemNumberSize > kBlockSize || u32(block, after) == 0;
    const int items = node.leaf ? count : count + 1;
    if (kNodeItemsOffset + qsizetype(items) * state.itemLength > kBlockSize)
        damaged("větev přesahuje blok");
    for (int i = 0; i < items; ++i) {
        const qsizetype item = kNodeItemsOffset + qsizetype(i) * state.itemLength;
        const bool keyed = node.leaf || i < count;
        node.items.push_back({u32(block, item), keyed ? block.mid(item + kItemNumberSize, keyLength) : QByteArray()});
    }
    return m_nodes.emplace(page, std::move(node)).first->second;
}

uint32_t IndexEditor::allocatePage(TagState& tag)
{
    tag.pages += kPagesPerBlock;
    tag.changed = true;
    if (!m_freed.empty()) {
        const uint32_t page = m_freed.back();
        m_freed.pop_back();
        return page;
    }
    m_headerChanged = true;
    const uint32_t freePage = u32(m_header, kFreePageOffset);
    const uint32_t freeBlocks = u32(m_header, kFreeBlocksOffset);
    if (freePage != 0 && freeBlocks > 0 && freePage >= kFirstTagHeaderPage &&
        freePage + kPagesPerBlock <= m_pageCount && !m_nodes.count(freePage)) {
        put32(m_header, kFreePageOffset, u32(readAt(pageOffset(freePage), kBlockSize), kNodePreviousOffset));
        put32(m_header, kFreeBlocksOffset, freeBlocks - 1);
        return freePage;
    }
    // A free list we cannot follow is dropped: its blocks stay unused, as in files TDbf wrote.
    put32(m_header, kFreePageOffset, 0);
    put32(m_header, kFreeBlocksOffset, 0);
    const uint32_t page = m_pageCount;
    m_pageCount += kPagesPerBlock;
    return page;
}

IndexEditor::Node& IndexEditor::newNode(int tag, bool leaf)
{
    Node node;
    node.page = allocatePage(m_tags[size_t(tag)]);
    node.tag = tag;
    node.leaf = leaf;
    touch(node.page);
    return m_nodes.insert_or_assign(node.page, std::move(node)).first->second;
}

void IndexEditor::freeNode(int tag, uint32_t page)
{
    m_nodes.erase(page);
    m_dirty.erase(page);
    m_freed.push_back(page);
    TagState& state = m_tags[size_t(tag)];
    state.pages -= std::min<uint32_t>(state.pages, kPagesPerBlock);
    state.changed = true;
}

void IndexEditor::insert(int tag, QByteArrayView key, uint32_t record)
{
    TagState& state = m_tags[size_t(tag)];
    const auto split = insertInto(tag, state.root, Item{record, key.toByteArray()}, 0);
    if (!split)
        return;
    const uint32_t oldRoot = state.root;
    Node& root = newNode(tag, false);
    root.items = {Item{split->leftPage, split->separator}, Item{oldRoot, {}}};
    state.root = root.page;
    state.changed = true;
}

std::optional<IndexEditor::Split> IndexEditor::insertInto(int tag, uint32_t page, const Item& entry, int depth)
{
    if (depth >= kMaxDepth)
        damaged("příliš hluboký strom");
    Node& node = load(tag, page);
    if (node.leaf) {
        const auto at = std::find_if(node.items.begin(), node.items.end(),
                                     [&](const Item& item) { return compare(tag, item.key, entry.key) > 0; });
        node.items.insert(at, entry);
    } else {
        // The first child whose last key is greater, so that equal keys go after those there.
        size_t child = 0;
        while (child + 1 < node.items.size() && compare(tag, node.items[child].key, entry.key) <= 0)
            ++child;
        if (const auto split = insertInto(tag, node.items[child].number, entry, depth + 1))
            node.items.insert(node.items.begin() + qsizetype(child), Item{split->leftPage, split->separator});
    }
    touch(page);
    if (node.items.size() <= capacity(m_tags[size_t(tag)], node))
        return std::nullopt;
    return split(tag, node);
}

IndexEditor::Split IndexEditor::split(int tag, Node& node)
{
    // The left half moves to a new block, so that the parent's item for this block, and the key
    // bounding it, stay as they are.
    const auto half = qsizetype(node.items.size() / 2);
    Node& left = newNode(tag, node.leaf);
    left.items.assign(node.items.begin(), node.items.begin() + half);
    node.items.erase(node.items.begin(), node.items.begin() + half);
    Split result{left.page, left.items.back().key};
    if (!left.leaf)
        left.items.back().key.clear(); // its last child is now bounded by the parent's key
    return result;
}

bool IndexEditor::remove(int tag, QByteArrayView key, uint32_t record)
{
    TagState& state = m_tags[size_t(tag)];
    if (!removeFrom(tag, state.root, key, record, 0).found)
        return false;
    Node* root = &load(tag, state.root);
    while (!root->leaf && root->items.size() == 1) {
        const uint32_t child = root->items.front().number;
        freeNode(tag, root->page);
        state.root = child;
        state.changed = true;
        root = &load(tag, child);
    }
    if (!root->leaf && root->items.empty()) {
        root->leaf = true; // an empty tag: its root an empty leaf
        touch(root->page);
    }
    return true;
}

// A branch's keys repeat the last key of each child but the last, exactly: readers that search
// (TDbf) go down into the first child whose key is not less than the one sought and look no
// further, so a key left behind by a removal would hide equal keys in the next child.
IndexEditor::Removal IndexEditor::removeFrom(int tag, uint32_t page, QByteArrayView key, uint32_t record, int depth)
{
    if (depth >= kMaxDepth)
        damaged("příliš hluboký strom");
    Node& node = load(tag, page);
    if (node.leaf) {
        for (auto item = node.items.begin(); item != node.items.end(); ++item) {
            const int order = compare(tag, item->key, key);
            if (order > 0)
                break;
            if (order == 0 && item->number == record) {
                const bool wasLast = item + 1 == node.items.end();
                node.items.erase(item);
                touch(page);
                return {true, wasLast, node.items.empty() ? QByteArray() : node.items.back().key};
            }
        }
        return {};
    }
    // Equal keys may spread over several children: each whose bounds admit the key.
    const size_t last = node.items.size() - 1;
    size_t child = 0;
    while (child < last && compare(tag, node.items[child].key, key) < 0)
        ++child;
    for (const size_t first = child; child <= last; ++child) {
        if (child > first && compare(tag, node.items[child - 1].key, key) != 0)
            break;
        const Removal below = removeFrom(tag, node.items[child].number, key, record, depth + 1);
        if (below.found) {
            touch(page);
            return afterChildShrank(tag, node, child, below);
        }
    }
    return {};
}

IndexEditor::Removal IndexEditor::afterChildShrank(int tag, Node& parent, size_t child, const Removal& below)
{
    const Node& shrunk = load(tag, parent.items[child].number);
    if (shrunk.items.empty())
        return removeChild(tag, parent, child);
    const bool lastChild = child + 1 == parent.items.size();
    Removal result{true, false, {}};
    if (below.lastKeyChanged) {
        if (lastChild)
            result = {true, true, below.lastKey};
        else
            parent.items[child].key = below.lastKey;
    }
    const TagState& state = m_tags[size_t(tag)];
    const size_t room = capacity(state, shrunk);
    if (shrunk.items.size() * 2 >= room)
        return result;
    const auto fits = [&](size_t left) {
        return load(tag, parent.items[left].number).items.size() +
                   load(tag, parent.items[left + 1].number).items.size() <=
               room;
    };
    if (child > 0 && fits(child - 1))
        merge(tag, parent, child - 1);
    else if (!lastChild && fits(child))
        merge(tag, parent, child);
    return result;
}

IndexEditor::Removal IndexEditor::removeChild(int tag, Node& parent, size_t child)
{
    freeNode(tag, parent.items[child].number);
    const bool wasLast = child + 1 == parent.items.size();
    parent.items.erase(parent.items.begin() + qsizetype(child));
    if (!wasLast)
        return {true, false, {}};
    if (parent.items.empty())
        return {true, true, {}};
    // The child before is now the last: its key becomes the subtree's, bounded from above.
    Removal result{true, true, parent.items.back().key};
    parent.items.back().key.clear();
    return result;
}

void IndexEditor::merge(int tag, Node& parent, size_t left)
{
    Node& from = load(tag, parent.items[left].number);
    Node& into = load(tag, parent.items[left + 1].number);
    if (!from.leaf)
        from.items.back().key = parent.items[left].key;
    into.items.insert(into.items.begin(), from.items.begin(), from.items.end());
    touch(into.page);
    freeNode(tag, from.page);
    parent.items.erase(parent.items.begin() + qsizetype(left));
}

QByteArray IndexEditor::nodeBytes(const Node& node) const
{
    const TagState& state = m_tags[size_t(node.tag)];
    const int keyLength = m_infos[size_t(node.tag)].keyLength;
    QByteArray block(kBlockSize, '\0');
    const auto count = int32_t(node.leaf ? node.items.size() : node.items.size() - 1);
    qToLittleEndian(count, block.data() + kNodeCountOffset);
    for (size_t i = 0; i < node.items.size(); ++i) {
        const qsizetype item = kNodeItemsOffset + qsizetype(i) * state.itemLength;
        put32(block, item, node.items[i].number);
        if (!node.items[i].key.isEmpty())
            std::memcpy(block.data() + item + kItemNumberSize, node.items[i].key.constData(), size_t(keyLength));
    }
    return block;
}

void IndexEditor::commit(const QByteArray& fingerprint)
{
    const QByteArray stamp = fingerprint.isEmpty()
                                 ? QByteArray(kFingerprintMarkSize, '\0')
                                 : QByteArray(kFingerprintMark, kFingerprintMarkSize) + fingerprint;
    const bool blocksChanged = !m_dirty.empty() || !m_freed.empty() || m_headerChanged ||
                               std::any_of(m_tags.begin(), m_tags.end(), [](const TagState& t) { return t.changed; });
    if (!blocksChanged) {
        writeAt(kFingerprintMarkOffset, stamp); // one sector: the old fingerprint or the new one
        return;
    }
    writeAt(kFingerprintMarkOffset, QByteArray(kFingerprintMarkSize, '\0'));
    sync();

    for (const uint32_t page : m_freed) {
        QByteArray block(kBlockSize, '\0');
        put32(block, kNodePreviousOffset, u32(m_header, kFreePageOffset));
        writeAt(pageOffset(page), block);
        put32(m_header, kFreePageOffset, page);
        put32(m_header, kFreeBlocksOffset, u32(m_header, kFreeBlocksOffset) + 1);
    }
    m_freed.clear();
    for (const uint32_t page : m_dirty)
        writeAt(pageOffset(page), nodeBytes(m_nodes.at(page)));
    m_dirty.clear();
    for (TagState& tag : m_tags) {
        if (!tag.changed)
            continue;
        QByteArray words(8, '\0');
        put32(words, 0, tag.root);
        put32(words, 4, tag.pages);
        writeAt(pageOffset(tag.headerPage) + kRootPageOffset, words);
        tag.changed = false;
    }
    put32(m_header, kPageCountOffset, m_pageCount);
    const QDate today = QDate::currentDate();
    m_header[kUpdatedOffset] = char(today.year() - 1900);
    m_header[kUpdatedOffset + 1] = char(today.month());
    m_header[kUpdatedOffset + 2] = char(today.day());
    std::memset(m_header.data() + kFingerprintMarkOffset, 0, kFingerprintMarkSize);
    writeAt(0, m_header);
    m_headerChanged = false;
    sync();

    m_header.replace(kFingerprintMarkOffset, stamp.size(), stamp);
    writeAt(kFingerprintMarkOffset, stamp);
}

} // namespace kadmor::mdx
