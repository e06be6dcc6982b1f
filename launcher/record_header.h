#pragma once

#include <cstdint>

#include "platform/file.h"

// Reads the game kind id from the first four bytes of a record file, as a
// signed 32-bit little-endian number; bytes the file lacks count as 0. The
// file is shared with other readers but no writer, and closed before this
// returns. False when the file can't be opened; `why`, when given, then
// tells why.
bool ReadRecordKind(const char* recordPath, std::int32_t* kind, platform::OpenError* why = nullptr);

// The header bytes themselves: up to four into `header`, `*count` of them
// present in the file. Opened and closed as ReadRecordKind does: an open
// that fails only since another program holds the file in a way that keeps
// readers out is tried again for a moment. False when the file can't be
// opened, with the cause of the last attempt in `why` when given.
// `backslashAsSeparator`, when given, tells whether the file read is the one
// the name gives with each '\' read as a folder separator, since no file has
// the name as it stands (POSIX; see platform::CFile).
bool ReadRecordHeader(const char* recordPath, unsigned char (&header)[4], std::uint32_t* count,
                      platform::OpenError* why = nullptr, bool* backslashAsSeparator = nullptr);

// The kind from up to four header bytes, first byte lowest.
std::int32_t DecodeRecordKind(const unsigned char* bytes, std::uint32_t count);
