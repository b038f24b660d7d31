// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDate>

#include <cstdint>
#include <vector>

// The dBASE III/IV file format: a 32-byte header, 32-byte field descriptors ended by 0x0D,
// then fixed-length records (byte 0 the deletion flag) and an optional end mark 0x1A.
namespace kadmor::dbf {

// Header
inline constexpr int kHeaderSize = 32;
inline constexpr int kVersionOffset = 0;
inline constexpr int kDateOffset = 1; // year - 1900, month, day
inline constexpr int kRecordCountOffset = 4;
inline constexpr int kHeaderLengthOffset = 8;
inline constexpr int kRecordLengthOffset = 10;
// Bytes 16-27 are reserved for multi-user use; we keep a change counter there so that a
// refresh can tell cheaply whether another program wrote to the file.
inline constexpr int kChangeCounterOffset = 16;
inline constexpr int kProductionIndexOffset = 28;
inline constexpr int kLanguageOffset = 29;

// Field descriptor
inline constexpr int kDescriptorSize = 32;
inline constexpr int kNameOffset = 0;
inline constexpr int kNameSize = 11; // 10 characters and a terminating zero
inline constexpr int kTypeOffset = 11;
inline constexpr int kLengthOffset = 16;
inline constexpr int kDecimalsOffset = 17;

inline constexpr char kDescriptorEnd = 0x0D;
inline constexpr char kEndMark = 0x1A;
inline constexpr char kLiveFlag = ' ';
inline constexpr char kDeletedFlag = '*';

inline constexpr uint8_t kVersionDbase = 0x03;
inline constexpr uint8_t kVersionDbase3Memo = 0x83;
inline constexpr uint8_t kVersionDbase4Memo = 0x8B;
// Language bytes (the code page of the texts) that the engine reads; any other would turn the
// words into wrong letters without a word of warning.
inline constexpr uint8_t kLanguageNone = 0x00; // no code page given: our tables are Central European
inline constexpr uint8_t kLanguageWindows1250 = 0xC8;
inline constexpr uint8_t kLanguageDos852 = 0x64;
inline constexpr uint8_t kLanguageDos852Czech = 0x1F;
inline constexpr uint8_t kLanguageWindows1252 = 0x03;
inline constexpr uint8_t kLanguageWindows1252Ansi = 0x57;
inline constexpr uint8_t kLanguageWindows1252Western = 0x58;

struct Descriptor
{
    QByteArray name; // as stored, without the terminating zero
    char type = 'C';
    int length = 0;
    int decimals = 0;
    int offset = 0; // within the record, after the deletion flag
};

struct Header
{
    uint8_t version = kVersionDbase;
    QDate lastUpdate;
    uint32_t recordCount = 0;
    int headerLength = 0;
    int recordLength = 0;
    uint32_t changeCounter = 0;
    uint8_t language = kLanguageWindows1250;
    std::vector<Descriptor> fields;
};

// Parses and validates the first bytes of a file (at least the whole header). Throws
// kadmor::Error naming fileName when the bytes are not a table we can read.
Header parseHeader(const QByteArray& bytes, const QString& fileName);
int headerLengthOf(const QByteArray& first32Bytes); // 0 when the bytes are too short

// The 32 bytes of the fixed header for header's values (descriptors are written separately).
QByteArray headerPrefix(const Header& header);
// A whole new header: prefix, descriptors, terminator. Sets headerLength and recordLength and
// the descriptors' offsets.
QByteArray buildHeader(Header& header);

// The small header fields that change with every write, read from or written into a prefix.
void writeVolatileFields(QByteArray& prefix, uint32_t recordCount, uint32_t changeCounter, QDate today);
uint32_t recordCountOf(const QByteArray& prefix);
uint32_t changeCounterOf(const QByteArray& prefix);

} // namespace kadmor::dbf
