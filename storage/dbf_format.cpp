// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/dbf_format.h"

#include "base/error.h"

#include <QtEndian>

namespace kadmor::dbf {

namespace {

constexpr int kMinimumHeaderLength = kHeaderSize + kDescriptorSize + 1;

uint8_t byteAt(const QByteArray& bytes, int offset)
{
    return static_cast<uint8_t>(bytes.at(offset));
}

uint16_t uint16At(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<uint16_t>(bytes.constData() + offset);
}

uint32_t uint32At(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<uint32_t>(bytes.constData() + offset);
}

[[noreturn]] void fail(const QString& fileName, const QString& why)
{
    throw Error(QStringLiteral("Soubor %1 není čitelná tabulka dBASE: %2.").arg(fileName, why));
}

bool knownVersion(uint8_t version)
{
    return version == kVersionDbase || version == kVersionDbase3Memo || version == kVersionDbase4Memo;
}

bool knownLanguage(uint8_t language)
{
    switch (language) {
    case kLanguageNone:
    case kLanguageWindows1250:
    case kLanguageDos852:
    case kLanguageDos852Czech:
    case kLanguageWindows1252:
    case kLanguageWindows1252Ansi:
    case kLanguageWindows1252Western:
        return true;
    default:
        return false;
    }
}

bool knownType(char type)
{
    return type == 'C' || type == 'N' || type == 'F' || type == 'L' || type == 'D';
}

QDate dateFrom(const QByteArray& bytes)
{
    // Some writers store the year modulo 100; both read as a year from 1900 on.
    return QDate(1900 + byteAt(bytes, kDateOffset), byteAt(bytes, kDateOffset + 1), byteAt(bytes, kDateOffset + 2));
}

Descriptor parseDescriptor(const QByteArray& bytes, int at, int offset, const QString& fileName)
{
    Descriptor field;
    const QByteArray rawName = bytes.mid(at + kNameOffset, kNameSize);
    const qsizetype end = rawName.indexOf('\0');
    field.name = end < 0 ? rawName : rawName.left(end);
    field.type = bytes.at(at + kTypeOffset);
    field.length = byteAt(bytes, at + kLengthOffset);
    field.decimals = byteAt(bytes, at + kDecimalsOffset);
    field.offset = offset;
    if (field.name.isEmpty())
        fail(fileName, QStringLiteral("pole bez jména"));
    if (!knownType(field.type))
        fail(fileName, QStringLiteral("pole %1 má nepodporovaný typ %2")
                           .arg(QString::fromLatin1(field.name), QString::fromLatin1(&field.type, 1)));
    if (field.length == 0)
        fail(fileName, QStringLiteral("pole %1 má nulovou délku").arg(QString::fromLatin1(field.name)));
    return field;
}

} // namespace

int headerLengthOf(const QByteArray& first32Bytes)
{
    return first32Bytes.size() < kHeaderSize ? 0 : uint16At(first32Bytes, kHeaderLengthOffset);
}

Header parseHeader(const QByteArray& bytes, const QString& fileName)
{
    if (bytes.size() < kHeaderSize)
        fail(fileName, QStringLiteral("soubor je příliš krátký"));
    Header header;
    header.version = byteAt(bytes, kVersionOffset);
    if (!knownVersion(header.version))
        fail(fileName, QStringLiteral("neznámá verze 0x%1").arg(header.version, 2, 16, QLatin1Char('0')));
    header.lastUpdate = dateFrom(bytes);
    header.recordCount = uint32At(bytes, kRecordCountOffset);
    header.headerLength = uint16At(bytes, kHeaderLengthOffset);
    header.recordLength = uint16At(bytes, kRecordLengthOffset);
    header.changeCounter = uint32At(bytes, kChangeCounterOffset);
    header.language = byteAt(bytes, kLanguageOffset);
    if (!knownLanguage(header.language))
        fail(fileName, QStringLiteral("neznámá kódová stránka (jazykový bajt 0x%1)").arg(int(header.language), 2, 16, QLatin1Char('0')));
    if (header.headerLength < kMinimumHeaderLength || header.headerLength > bytes.size())
        fail(fileName, QStringLiteral("chybná délka hlavičky"));
    if (header.recordLength < 2)
        fail(fileName, QStringLiteral("chybná délka záznamu"));

    int offset = 1; // byte 0 of a record is the deletion flag
    int at = kHeaderSize;
    while (at < header.headerLength && bytes.at(at) != kDescriptorEnd) {
        if (at + kDescriptorSize > header.headerLength)
            fail(fileName, QStringLiteral("seznam polí není ukončen"));
        header.fields.push_back(parseDescriptor(bytes, at, offset, fileName));
        offset += header.fields.back().length;
        at += kDescriptorSize;
    }
    if (header.fields.empty())
        fail(fileName, QStringLiteral("tabulka nemá žádné pole"));
    if (offset != header.recordLength)
        fail(fileName, QStringLiteral("délky polí nedávají délku záznamu"));
    return header;
}

QByteArray headerPrefix(const Header& header)
{
    QByteArray prefix(kHeaderSize, '\0');
    prefix[kVersionOffset] = static_cast<char>(header.version);
    qToLittleEndian<uint16_t>(header.headerLength, prefix.data() + kHeaderLengthOffset);
    qToLittleEndian<uint16_t>(header.recordLength, prefix.data() + kRecordLengthOffset);
    prefix[kLanguageOffset] = static_cast<char>(header.language);
    writeVolatileFields(prefix, header.recordCount, header.changeCounter, header.lastUpdate);
    return prefix;
}

QByteArray buildHeader(Header& header)
{
    header.headerLength = kHeaderSize + kDescriptorSize * int(header.fields.size()) + 1;
    int offset = 1;
    QByteArray descriptors;
    for (Descriptor& field : header.fields) {
        QByteArray descriptor(kDescriptorSize, '\0');
        descriptor.replace(kNameOffset, field.name.size(), field.name);
        descriptor[kTypeOffset] = field.type;
        descriptor[kLengthOffset] = static_cast<char>(field.length);
        descriptor[kDecimalsOffset] = static_cast<char>(field.decimals);
        field.offset = offset;
        offset += field.length;
        descriptors += descriptor;
    }
    header.recordLength = offset;
    return headerPrefix(header) + descriptors + kDescriptorEnd;
}

void writeVolatileFields(QByteArray& prefix, uint32_t recordCount, uint32_t changeCounter, QDate today)
{
    if (today.isValid()) {
        prefix[kDateOffset] = static_cast<char>(today.year() - 1900);
        prefix[kDateOffset + 1] = static_cast<char>(today.month());
        prefix[kDateOffset + 2] = static_cast<char>(today.day());
    }
    qToLittleEndian<uint32_t>(recordCount, prefix.data() + kRecordCountOffset);
    qToLittleEndian<uint32_t>(changeCounter, prefix.data() + kChangeCounterOffset);
}

uint32_t recordCountOf(const QByteArray& prefix)
{
    return uint32At(prefix, kRecordCountOffset);
}

uint32_t changeCounterOf(const QByteArray& prefix)
{
    return uint32At(prefix, kChangeCounterOffset);
}

} // namespace kadmor::dbf
