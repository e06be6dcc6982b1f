#pragma once

#include <cstdint>

#include "platform/file.h"

// Reads the game kind id from the first four bytes of a record file, as a
// signed 32-bit little-endian number; bytes the file lacks count as 0. The
// file is opened with no sharing and closed before this returns. False when
// the file can't be opened; `why`, when given, then tells why.
bool ReadRecordKind(const char* recordPath, std::int32_t* kind, platform::OpenError* why = nullptr);

// The header bytes themselves: up to four into `header`, `*count` of them
// present in the file. Opened and closed as ReadRecordKind does; false when
// the file can't be opened, with the cause in `why` when given.
bool ReadRecordHeader(const char* recordPath, unsigned char (&header)[4], std::uint32_t* count,
                      platform::OpenError* why = nullptr);

// The kind from up to four header bytes, first byte lowest.
std::int32_t DecodeRecordKind(const unsigned char* bytes, std::uint32_t count);
