// Working out the installation directory from the executable's path, or,
// when that is not available, from the first token of the command line.
#pragma once

#include <cstdint>

#include "common/limits.h"

// Builds the directory text in `buffer`. `moduleLength` is what the
// platform's GetModuleFileName returned for the path already in `buffer`
// (0: not available, and `commandLine` is used instead). Returns the start
// of the directory text, which lies inside `buffer`.
const char* ComputeWorkDir(char (&buffer)[reclaunch::kMaxPath], std::uint32_t moduleLength,
                           const char* commandLine);
