#pragma once

#include <cstdint>

#include "platform/file.h"

// How the record file was opened, for those who explain a launch.
struct RecordOpening {
    platform::OpenError why = platform::OpenError::kNone;  // of the last attempt
    // POSIX: no file has the name as it stands, so the file read is the one
    // it names with each '\' read as a folder separator (see platform::CFile).
    bool backslashAsSeparator = false;
};

// Reads the game kind id from the first four bytes of a record file, as a
// signed 32-bit little-endian number; bytes the file lacks count as 0. The
// file is shared with other readers but no writer, and closed before this
// returns. False when the file can't be opened.
bool ReadRecordKind(const char* recordPath, std::int32_t* kind);

// The header bytes themselves: up to four into `header`, `*count` of them
// present in the file. An open that fails only since another program holds
// the file in a way that keeps readers out is tried again for a moment.
// False when the file can't be opened; `opening`, when given, tells how it
// went.
bool ReadRecordHeader(const char* recordPath, unsigned char (&header)[4], std::uint32_t* count,
                      RecordOpening* opening = nullptr);

// The kind from up to four header bytes, first byte lowest.
std::int32_t DecodeRecordKind(const unsigned char* bytes, std::uint32_t count);
