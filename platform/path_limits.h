// The path buffer size the platform's file and process calls work with.
#pragma once

#include <cstddef>

namespace platform {

// MAX_PATH: the longest path, NUL included, that the ANSI calls take.
inline constexpr std::size_t kMaxPath = 260;

}  // namespace platform
