// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/dbf_table.h"

#include "storage/error.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>

namespace kadmor::mdx {

namespace {

constexpr int kRecordCountOffset = 4;
constexpr int kHeaderLengthOffset = 8;
constexpr int kRecordLengthOffset = 10;
constexpr int kNameSize = 11;
constexpr int kTypeOffset = 11;
constexpr int kWidthOffset = 16;
constexpr char kDescriptorEnd = 0x0D;

[[noreturn]] void notATable(const QString& fileName)
{
    throw Error(QStringLiteral("Soubor %1 není tabulka dBASE.").arg(fileName));
}

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
    if (bytes.size() < kDbfFirstDescriptor + 1)
        notATable(fileName);
    DbfTable table;
    table.headerLength = qFromLittleEndian<uint16_t>(bytes.constData() + kHeaderLengthOffset);
    table.recordLength = qFromLittleEndian<uint16_t>(bytes.constData() + kRecordLengthOffset);
    table.language = static_cast<unsigned char>(bytes[kDbfLanguageOffset]);
    if (table.headerLength < kDbfFirstDescriptor + 1 || table.headerLength > bytes.size() || table.recordLength < 1)
        notATable(fileName);

    int offset = 1;
    qsizetype at = kDbfFirstDescriptor;
    for (; at + kDbfDescriptorSize <= table.headerLength && bytes[at] != kDescriptorEnd; at += kDbfDescriptorSize) {
        DbfField field;
        const QByteArray name = bytes.mid(at, kNameSize);
        field.name = name.left(name.indexOf('\0') < 0 ? kNameSize - 1 : name.indexOf('\0'));
        field.type = bytes[at + kTypeOffset];
        field.width = static_cast<unsigned char>(bytes[at + kWidthOffset]);
        field.offset = offset;
        field.descriptorOffset = int(at);
        offset += field.width;
        table.fields.push_back(field);
    }
    if (at >= table.headerLength || bytes[at] != kDescriptorEnd || offset != table.recordLength)
        notATable(fileName);

    const qsizetype complete = (bytes.size() - table.headerLength) / table.recordLength;
    table.recordCount =
        uint32_t(std::min<qsizetype>(complete, qFromLittleEndian<uint32_t>(bytes.constData() + kRecordCountOffset)));
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
    const QByteArray start = file.read(kDbfFirstDescriptor);
    const int headerLength =
        start.size() == kDbfFirstDescriptor ? qFromLittleEndian<uint16_t>(start.constData() + kHeaderLengthOffset) : 0;
    return parseDbf(start + file.read(std::max(0, headerLength - kDbfFirstDescriptor)), QFileInfo(path).fileName());
}

} // namespace kadmor::mdx
