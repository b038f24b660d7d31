// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/dbf_format.h"

#include <QByteArray>

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
    // still starts with the old end mark, followed by the zeros of the file's hole.
    bool deleted(int index) const
    {
        const char flag = *at(index);
        return flag == dbf::kDeletedFlag || flag == dbf::kEndMark || flag == '\0';
    }
    void replace(int index, const QByteArray& record) { data.replace(qsizetype(index) * length, length, record); }
};

} // namespace kadmor
