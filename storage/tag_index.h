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
// again by binary search.
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
    void invalidate() { m_built = false; }
    // The record (new, changed or just deleted) moves to its place; only for a built index.
    void recordChanged(int record);

    const std::vector<int>& order() const { return m_order; }

    Key key(const QString& value) const;
    int compare(int record, const Key& key) const; // <0, 0, >0 as the record's key to key
    bool less(int a, int b) const;

  private:
    QString fieldText(int record) const;
    int keyCount() const;
    void computeKey(int record);
    int compareRecords(int a, int b) const;
    uint64_t prefix(int record) const; // the key's first bytes, compared before the whole key
    const char* textKey(int record) const { return m_textKeys.data() + m_textKeyStart[size_t(record)]; }

    TagSpec m_spec;
    int m_offset;
    int m_width;
    const CodePage& m_codePage;
    const RecordBuffer& m_records;
    std::unique_ptr<Collation> m_collation;
    std::vector<char> m_textKeys; // the sort keys of all records, one after another
    std::vector<size_t> m_textKeyStart;
    std::vector<double> m_numberKeys;
    std::vector<int> m_order;
    bool m_built = false;
};

} // namespace kadmor
