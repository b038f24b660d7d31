// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/dbf_table.h"

#include "storage/dbf_format.h"
#include "base/error.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace kadmor::mdx {

namespace {

void openForReading(QFile& file)
{
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Tabulku %1 nelze otevřít: %2").arg(file.fileName(), file.errorString()));
}

} // namespace

const DbfField* DbfTable::field(QByteArrayView name) const
{
    const auto found = std::find_if(fields.begin(), fields.end(),
                                    [&](const DbfField& f) { return f.name.compare(name, Qt::CaseInsensitive) == 0; });
    return found == fields.end() ? nullptr : &*found;
}

DbfTable parseDbf(QByteArray bytes, const QString& fileName)
{
    const dbf::Header header = dbf::parseHeader(bytes, fileName);
    DbfTable table;
    table.headerLength = header.headerLength;
    table.recordLength = header.recordLength;
    table.language = header.language;
    int descriptorOffset = dbf::kHeaderSize;
    for (const dbf::Descriptor& descriptor : header.fields) {
        table.fields.push_back(
            {descriptor.name, descriptor.type, descriptor.length, descriptor.offset, descriptorOffset});
        descriptorOffset += dbf::kDescriptorSize;
    }
    const qsizetype complete = (bytes.size() - table.headerLength) / table.recordLength;
    table.recordCount = uint32_t(std::min<qsizetype>(complete, header.recordCount));
    table.bytes = std::move(bytes);
    return table;
}

DbfTable readDbf(const QString& path)
{
    QFile file(path);
    openForReading(file);
    return parseDbf(file.readAll(), QFileInfo(path).fileName());
}

DbfTable readDbfHeader(const QString& path)
{
    QFile file(path);
    openForReading(file);
    const QByteArray start = file.read(dbf::kHeaderSize);
    const int headerLength = dbf::headerLengthOf(start);
    return parseDbf(start + file.read(std::max(0, headerLength - dbf::kHeaderSize)), QFileInfo(path).fileName());
}

} // namespace kadmor::mdx
