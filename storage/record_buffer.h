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
    bool deleted(int index) const { return *at(index) == dbf::kDeletedFlag; }
    void replace(int index, const QByteArray& record) { data.replace(qsizetype(index) * length, length, record); }
};

} // namespace kadmor
