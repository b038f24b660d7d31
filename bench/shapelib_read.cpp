// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/shapelib_read.h"

#include <QFile>

#include <shapefil.h>

#include <cstring>

namespace kadmor::bench {

void shapelibRead(const QString& path)
{
    DBFHandle handle = DBFOpen(QFile::encodeName(path).constData(), "rb");
    if (!handle)
        qFatal("shapelib cannot open %s", qPrintable(path));
    size_t total = 0;
    const int records = DBFGetRecordCount(handle);
    const int fields = DBFGetFieldCount(handle);
    for (int record = 0; record < records; ++record)
        for (int field = 0; field < fields; ++field)
            total += strlen(DBFReadStringAttribute(handle, record, field));
    DBFClose(handle);
    if (total == 0)
        qFatal("shapelib read nothing");
}

} // namespace kadmor::bench
