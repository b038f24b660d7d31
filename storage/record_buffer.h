// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/dbf_format.h"

#include <QByteArray>

#include <algorithm>

namespace kadmor {

// The records of a table as read from the file, one after the other, deletion flag first.
struct RecordBuffer
{
    QByteArray data;
    int length = 0; // bytes per record

    int count() const { return length > 0 ? int(data.size() / length) : 0; }
    const char* at(int index) const { return data.constData() + qsizetype(index) * length; }
    QByteArrayView record(int index) const { return QByteArrayView(at(index), length); }
    // A deleted record, or a slot that another program has counted but not written yet: it
    // still starts with the old end mark, followed by the zeros of the file's hole. (A record
    // whose flag alone a stray end mark overwrote is still a record.)
    bool deleted(int index) const
    {
        const char flag = *at(index);
        if (flag == dbf::kDeletedFlag)
            return true;
        if (flag != dbf::kEndMark && flag != '\0')
            return false;
        const char* bytes = at(index);
        return std::all_of(bytes + 1, bytes + length, [](char byte) { return byte == '\0'; });
    }
    void replace(int index, const QByteArray& record) { data.replace(qsizetype(index) * length, length, record); }
};

} // namespace kadmor
