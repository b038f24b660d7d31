// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/code_page.h"
#include "storage/collation.h"
#include "storage/layouts.h"
#include "storage/record_buffer.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace kadmor {

// One index tag kept in memory: the live records ordered on one field. Keys that compare
// equal keep the records' physical order, so the order is total and a record can be found
// again by binary search. A record's key is made the first time it is compared, so that a view
// of a few records (one lesson) orders them without making the keys of every record; the
// whole order is built only when a view needs it.
class TagIndex
{
  public:
    // A value to look for, prepared once for the tag's kind of comparison.
    struct Key
    {
        QByteArray bytes; // Plain: the field's width, padded with spaces; text orders: the sort key
        double number = 0;
    };

    TagIndex(const TagSpec& declared, int offset, int width, const CodePage& codePage, const RecordBuffer& records);

    const QString& name() const { return m_spec.name; }
    bool built() const { return m_built; }
    void build();
    void invalidate(); // the records were read anew: every key and the order go
    // The record (new, changed or just deleted) moves to its place in a built order; without
    // one its key is made again when next compared.
    void recordChanged(int record);

    const std::vector<int>& order() const { return m_order; }

    Key key(const QString& value) const;
    int compare(int record, const Key& key) const; // <0, 0, >0 as the record's key to key
    bool less(int a, int b) const;

  private:
    QString fieldText(int record) const;
    void ensureKey(int record) const; // makes the record's key unless it has one
    void computeKey(int record) const;
    int compareRecords(int a, int b) const;
    uint64_t prefix(int record) const; // the key's first bytes, compared before the whole key
    // Only once the record's key is made: making another key may move them all.
    const char* textKey(int record) const { return m_textKeys.data() + m_textKeyStart[size_t(record)]; }

    TagSpec m_spec;
    int m_offset;
    int m_width;
    const CodePage& m_codePage;
    const RecordBuffer& m_records;
    std::unique_ptr<Collation> m_collation;
    // Made on demand, hence mutable: the sort keys one after another, where each record's starts,
    // the numbers, and which records have a key.
    mutable std::vector<char> m_textKeys;
    mutable std::vector<size_t> m_textKeyStart;
    mutable std::vector<double> m_numberKeys;
    mutable std::vector<char> m_hasKey;
    std::vector<int> m_order;
    bool m_built = false;
};

} // namespace kadmor
