// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/dbf_format.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <vector>

// Just enough of a .dbf file to index it: the header, the field descriptors and the records
// as stored, parsed and validated by the engine's own format layer.
namespace kadmor::mdx {

inline constexpr int kDbfProductionIndexOffset = dbf::kProductionIndexOffset; // 1 when the table has a production .mdx
inline constexpr int kDbfLanguageOffset = dbf::kLanguageOffset;
inline constexpr int kDbfFirstDescriptor = dbf::kHeaderSize;
inline constexpr int kDbfDescriptorSize = dbf::kDescriptorSize;
inline constexpr int kDbfIndexedFieldOffset = 31; // in a descriptor: 1 when a tag indexes the field

struct DbfField
{
    QByteArray name;
    char type = 'C';
    int width = 0;
    int offset = 0;           // within a record, after the deletion flag
    int descriptorOffset = 0; // within the file
};

struct DbfTable
{
    QByteArray bytes; // the whole file
    int headerLength = 0;
    int recordLength = 0;
    uint32_t recordCount = 0; // complete records, at most what the header counts
    unsigned char language = 0;
    std::vector<DbfField> fields;

    const DbfField* field(QByteArrayView name) const; // case-insensitive
    QByteArrayView value(uint32_t recordNumber, const DbfField& field) const
    {
        return QByteArrayView(
            bytes.constData() + headerLength + qsizetype(recordNumber - 1) * recordLength + field.offset, field.width);
    }
};

// Takes bytes that start with the table's header (the whole file, or only the header). Throws
// kadmor::Error naming fileName when they are not a dBASE table.
DbfTable parseDbf(QByteArray bytes, const QString& fileName);
DbfTable readDbf(const QString& path);
DbfTable readDbfHeader(const QString& path); // no records

} // namespace kadmor::mdx
