// Fixed buffer sizes shared by the whole system.
#pragma once

#include <cstddef>

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

}  // namespace reclaunch
