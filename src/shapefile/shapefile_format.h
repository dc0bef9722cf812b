// The byte layout of the shapefile main and index files and of the dBASE III attribute
// table, as far as this program writes them. Offsets are in bytes from the start of the
// structure named; lengths and offsets stored in the main and index files count 16-bit words.
#pragma once

#include <cstddef>
#include <cstdint>

namespace routix::shapefile {

// Main and index file header.
inline constexpr size_t kHeaderBytes = 100;
inline constexpr int32_t kHeaderWords = 50;
static_assert(kHeaderWords * 2 == kHeaderBytes);
inline constexpr size_t kFileCodeOffset = 0;     // big-endian
inline constexpr size_t kFileLengthOffset = 24;  // big-endian, words, header included
inline constexpr size_t kVersionOffset = 28;     // little-endian
inline constexpr size_t kShapeTypeOffset = 32;   // little-endian
inline constexpr size_t kBoxOffset = 36;         // Xmin, Ymin, Xmax, Ymax; then Z and M ranges
inline constexpr int32_t kFileCode = 9994;
inline constexpr int32_t kVersion = 1000;

inline constexpr int32_t kPolyLine = 3;
inline constexpr int32_t kPolygon = 5;

// One record of the main file: an 8-byte header (number, content length, both big-endian),
// then the content: shape type, box, part count, point count, the one part's start, points.
inline constexpr size_t kRecordHeaderBytes = 8;
inline constexpr int32_t kRecordHeaderWords = 4;
static_assert(kRecordHeaderWords * 2 == kRecordHeaderBytes);
inline constexpr size_t kRecordFixedContentBytes = 48;
inline constexpr size_t kPointBytes = 16;

// One entry of the index file: the record's offset and content length, both big-endian words.
inline constexpr size_t kIndexRecordBytes = 8;
inline constexpr int32_t kIndexRecordWords = 4;
static_assert(kIndexRecordWords * 2 == kIndexRecordBytes);

// File lengths and offsets are stored as signed 32-bit word counts, so no file of a set may
// pass 2^31 - 1 words (4 GiB).
inline constexpr int64_t kMaxFileWords = 2147483647;

// dBASE III table: a 32-byte fixed part, one 32-byte descriptor per field, a terminator,
// the records (a deletion flag and the fixed-width values), an end-of-file byte.
inline constexpr size_t kDbfFixedBytes = 32;
inline constexpr uint8_t kDbfVersion = 3;             // offset 0
inline constexpr size_t kDbfDateOffset = 1;           // year - 1900, month, day
inline constexpr size_t kDbfRecordCountOffset = 4;    // 32-bit little-endian
inline constexpr size_t kDbfHeaderLengthOffset = 8;   // 16-bit little-endian
inline constexpr size_t kDbfRecordLengthOffset = 10;  // 16-bit little-endian
inline constexpr size_t kDbfDescriptorBytes = 32;
inline constexpr size_t kDbfFieldNameBytes = 11;  // name, padded with NUL bytes
inline constexpr size_t kDbfFieldTypeOffset = 11;
inline constexpr size_t kDbfFieldLengthOffset = 16;
inline constexpr uint8_t kDbfHeaderTerminator = 0x0D;
inline constexpr uint8_t kDbfEndOfFile = 0x1A;
inline constexpr char kDbfRecordNotDeleted = ' ';
// The width of a field is stored in one byte.
inline constexpr int kDbfMaxFieldWidth = 255;

}  // namespace routix::shapefile
