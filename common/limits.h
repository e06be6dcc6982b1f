// Fixed buffer sizes shared by the whole system.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/path_limits.h"

namespace reclaunch {

// Paths: the platform's MAX_PATH.
inline constexpr std::size_t kMaxPath = platform::kMaxPath;
// A record path the client command line can carry: the keyword text
// ' KelvoFile "<record path>"' must fit a path buffer.
inline constexpr std::size_t kMaxRecordPath = kMaxPath - sizeof(" KelvoFile \"\"");
// INI lines, section names and items.
inline constexpr std::size_t kIniTextSize = 1024;

// Every section and item costs a 1 KiB buffer; a document holds at most this
// many of them together, so one document never needs much more than 128 MiB
// however large the file is.
inline constexpr std::size_t kMaxDocumentEntries = std::size_t{128} * 1024;
// And the reader takes at most this many bytes of a file: as much as that
// many full items take (1022 bytes of text and a CR LF each), 128 MiB. Lines
// that give no entry (blank ones, comments, runs of NUL bytes) count too, so
// a huge file of them can't hold a load for long.
inline constexpr std::uint64_t kMaxDocumentBytes =
    std::uint64_t{kMaxDocumentEntries} * kIniTextSize;

}  // namespace reclaunch
