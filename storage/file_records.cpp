// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/file_records.h"

#include "storage/code_page.h"
#include "storage/dbf_file.h"
#include "storage/field_codec.h"
#include "storage/record_buffer.h"

namespace kadmor {

FileRecords readFileRecords(const QString& path)
{
    DbfFile file(path, DbfFile::Access::Shared);
    const CodePage codePage(file.header().language);
    FileRecords result;
    const std::vector<FieldInfo> fields = fileFields(file.header(), codePage);
    for (const FieldInfo& field : fields)
        result.fieldNames.append(field.name);
    RecordBuffer records{file.readAllRecords(), file.recordLength()};
    for (int index = 0; index < records.count(); ++index) {
        FileRecord record;
        record.deleted = records.deleted(index);
        for (const FieldInfo& field : fields)
            record.values.append(
                field_codec::text(field, records.record(index).sliced(field.offset, field.width), codePage));
        result.records.append(record);
    }
    return result;
}

} // namespace kadmor
