// Fixed buffer sizes shared by the whole system.
#pragma once

#include <cstddef>

namespace reclaunch {

// Paths: the platform's MAX_PATH.
inline constexpr std::size_t kMaxPath = 260;
// INI lines, section names and items.
inline constexpr std::size_t kIniTextSize = 1024;

}  // namespace reclaunch

namespace reclaunch {

// Every section and item costs a 1 KiB buffer; a document holds at most this
// many of them together, so one document never needs much more than 128 MiB
// however large the file is.
inline constexpr std::size_t kMaxDocumentEntries = std::size_t{128} * 1024;

}  // namespace reclaunch
