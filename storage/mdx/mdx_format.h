// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Byte layout of a dBASE IV multiple-index file (.mdx), all numbers little-endian. The file is
// made of 512-byte pages, grouped into blocks (two pages, 1024 bytes, as dBASE and TDbf write).
// Page numbers address pages, not blocks.
namespace kadmor::mdx {

inline constexpr int kPageSize = 512;
inline constexpr int kPagesPerBlock = 2;
inline constexpr int kBlockSize = kPageSize * kPagesPerBlock;

// File header (page 0)
inline constexpr int kVersionOffset = 0; // 2
inline constexpr int kCreatedOffset = 1; // year - 1900, month, day
inline constexpr int kDataNameOffset = 4;
inline constexpr int kDataNameSize = 16; // base name of the table, zero-padded
inline constexpr int kPagesPerBlockOffset = 20;
inline constexpr int kBlockSizeOffset = 22;
inline constexpr int kProductionOffset = 24;
inline constexpr int kTagSlotsOffset = 25;     // 48
inline constexpr int kTagEntrySizeOffset = 26; // 32
inline constexpr int kTagCountOffset = 28;
inline constexpr int kLanguageOffset = 31; // TDbf copies the table's language byte here
inline constexpr int kPageCountOffset = 32;
// Blocks that left a tree: the first free one, and how many there are. A free block holds a zero
// key count and, in its previous-block word, the page of the next free block (zero at the end).
inline constexpr int kFreePageOffset = 36;
inline constexpr int kFreeBlocksOffset = 40;
inline constexpr int kUpdatedOffset = 44;
// In the bytes dBASE leaves unused: our mark and the fingerprint of the table (table_fingerprint.h)
// as it was when this engine last brought the index in step with it. A file another program
// wrote, or one whose change we did not finish, carries another fingerprint or none.
inline constexpr int kFingerprintMarkOffset = 48;
inline constexpr char kFingerprintMark[] = "KDMX"; // four bytes, no zero
inline constexpr int kFingerprintMarkSize = 4;
inline constexpr int kFingerprintOffset = kFingerprintMarkOffset + kFingerprintMarkSize;
// TDbf writes 1 here; dBASE documents bytes 48-543 as unused.
inline constexpr int kTdbfMarkOffset = 529;

inline constexpr unsigned char kVersion = 2;
inline constexpr int kTagSlots = 48;
inline constexpr int kFirstTagHeaderPage = 4; // after the header and the tag table

// Tag table, one 32-byte entry per tag from byte 544
inline constexpr int kTagTableOffset = 544;
inline constexpr int kTagEntrySize = 32;
inline constexpr int kEntryHeaderPageOffset = 0;
inline constexpr int kEntryNameOffset = 4;
inline constexpr int kTagNameSize = 11; // ten characters and a zero
inline constexpr int kEntryFormatOffset = 15;
inline constexpr int kEntryThreadsOffset = 16; // three bytes, written as zero like TDbf
inline constexpr int kEntryReservedOffset = 19;
inline constexpr int kEntryKeyTypeOffset = 20;

inline constexpr unsigned char kEntryFieldKey = 0x10;      // the key is a field, not an expression
inline constexpr unsigned char kEntryReservedValue = 0x02; // as TDbf writes it

// Tag header, one block per tag
inline constexpr int kRootPageOffset = 0;
inline constexpr int kTagPagesOffset = 4;
inline constexpr int kKeyFormatOffset = 8;
inline constexpr int kKeyTypeOffset = 9;
inline constexpr int kKeyLengthOffset = 12;
inline constexpr int kKeysPerBlockOffset = 14;
inline constexpr int kSecondaryTypeOffset = 16;
inline constexpr int kItemLengthOffset = 18;
inline constexpr int kHeaderReservedOffset = 20;
inline constexpr int kUniqueOffset = 23;
inline constexpr int kExpressionOffset = 24;
inline constexpr int kExpressionSize = 220;
inline constexpr int kHeaderTdbfMarkOffset = 246; // TDbf writes 1 here

inline constexpr unsigned char kFormatDescending = 0x08;
inline constexpr unsigned char kFormatCharacter = 0x10;
inline constexpr unsigned char kFormatUnique = 0x40;

inline constexpr int kMaxCharacterKey = 100;

// B-tree block: key count, a previous-block word (zero), then items of the tag's item length:
// a 4-byte number and the key. In a leaf the number is the record number (from 1); in a branch
// it is the page of a child, and the key is the last key of that child's subtree. A branch with
// n keys has n + 1 children: the last item carries only the page. In a leaf the number after
// the last item is zero.
inline constexpr int kNodeCountOffset = 0;
inline constexpr int kNodePreviousOffset = 4;
inline constexpr int kNodeItemsOffset = 8;
inline constexpr int kItemNumberSize = 4;

} // namespace kadmor::mdx
