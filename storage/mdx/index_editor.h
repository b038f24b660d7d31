// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/mdx/index_file.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

// An index file changed in place, block by block, as dBASE programs change it: an entry goes
// into or out of its leaf, a full block splits in two (a full root gives the tree a new root),
// an emptied block leaves the tree for the free list, a block less than half full merges with a
// neighbour that its entries fit into, and a root left with one child hands the root to it.
// Only the blocks on the way from the root to the leaf are read.
namespace kadmor::mdx {

class IndexEditor
{
  public:
    enum class Access { ReadOnly, ReadWrite };

    // Reads the file header, the tag table and the tag headers and checks them as far as they go.
    // Throws kadmor::Error when the file cannot be opened or they are not sound.
    IndexEditor(const QString& path, Access access);
    ~IndexEditor();
    IndexEditor(const IndexEditor&) = delete;
    IndexEditor& operator=(const IndexEditor&) = delete;

    unsigned char language() const;
    // The table fingerprint stored by this engine's last change; empty when there is none.
    QByteArray fingerprint() const;
    const std::vector<TagInfo>& tags() const { return m_infos; }
    int tagNamed(QByteArrayView name) const; // case-insensitive; -1 when there is none

    // An equal key goes after those already there, as TDbf files it.
    void insert(int tag, QByteArrayView key, uint32_t record);
    // False when the tag holds no such entry: the file is not what the caller takes it for.
    bool remove(int tag, QByteArrayView key, uint32_t record);

    // Writes the changes so that a write cut short anywhere leaves no fingerprint: the old one is
    // withdrawn and that is synced, then the blocks and headers are written and synced, and only
    // then the new fingerprint. Without changed blocks the fingerprint alone is replaced. An empty
    // fingerprint leaves none: the index is not known to be in step with the table.
    void commit(const QByteArray& fingerprint);

    // Writes a whole new index over the file at path, in place, so that programs holding it open
    // see it: the fingerprint is withdrawn and synced first, then the bytes (with theirs withheld)
    // are written, the file cut to their length and synced, and the fingerprint written last.
    static void rewrite(const QString& path, const QByteArray& bytes);

  private:
    struct Item
    {
        uint32_t number = 0; // record number in a leaf, child page in a branch
        QByteArray key;      // empty for a branch's last child
    };
    struct Node
    {
        uint32_t page = 0;
        int tag = 0;
        bool leaf = true;
        std::vector<Item> items; // in a branch one per child
    };
    struct Split
    {
        uint32_t leftPage = 0;
        QByteArray separator; // the last key of the left half
    };
    struct TagState
    {
        uint32_t headerPage = 0;
        uint32_t root = 0;
        uint32_t pages = 0;
        int itemLength = 0;
        size_t leafCapacity = 0;
        size_t branchCapacity = 0; // children
        bool changed = false;
    };

    explicit IndexEditor(const QString& path); // the file only, for rewrite()
    [[noreturn]] void damaged(const char* why) const;
    QByteArray readAt(qint64 offset, int size) const;
    void writeAt(qint64 offset, const QByteArray& bytes) const;
    void sync() const;
    void readTag(int index);

    int compare(int tag, QByteArrayView a, QByteArrayView b) const;
    size_t capacity(const TagState& tag, const Node& node) const;
    Node& load(int tag, uint32_t page);
    Node& newNode(int tag, bool leaf);
    uint32_t allocatePage(TagState& tag);
    void freeNode(int tag, uint32_t page);
    void touch(uint32_t page) { m_dirty.insert(page); }

    std::optional<Split> insertInto(int tag, uint32_t page, const Item& entry, int depth);
    Split split(int tag, Node& node);
    struct Removal
    {
        bool found = false;
        bool lastKeyChanged = false; // the subtree's last key, which the branch above repeats
        QByteArray lastKey;          // the new one; empty when the subtree emptied
    };
    Removal removeFrom(int tag, uint32_t page, QByteArrayView key, uint32_t record, int depth);
    Removal afterChildShrank(int tag, Node& parent, size_t child, const Removal& below);
    Removal removeChild(int tag, Node& parent, size_t child);
    void merge(int tag, Node& parent, size_t left);

    QByteArray nodeBytes(const Node& node) const;

    // Other dBASE programs (TDbf) lock the blocks of an index they change, at their offsets in the
    // file; a change of ours holds them all, waiting a bounded time for those programs.
    void lockWholeFile() const;

    QString m_path;
    int m_fd = -1;
    QByteArray m_header; // page 0
    uint32_t m_pageCount = 0;
    std::vector<TagInfo> m_infos;
    std::vector<TagState> m_tags;
    std::map<uint32_t, Node> m_nodes;
    std::set<uint32_t> m_dirty;
    std::vector<uint32_t> m_freed; // pages that left a tree in this change
    bool m_headerChanged = false;
};

} // namespace kadmor::mdx
