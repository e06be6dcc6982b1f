// Working out the installation directory from the executable's path, or,
// when that is not available, from the first token of the command line.
#pragma once

#include <cstdint>

#include "common/limits.h"

// Builds the directory text in `buffer`. `moduleLength` is what the
// platform's OwnExecutablePath returned for the path already in `buffer`
// (0: not available, and `commandLine` is used instead). Returns the start
// of the directory text, which lies inside `buffer`.
const char* ComputeWorkDir(char (&buffer)[reclaunch::kMaxPath], std::uint32_t moduleLength,
                           const char* commandLine);

// Where the running program's installation directory was worked out from.
enum class WorkDirSource { kExecutablePath, kCommandLine };

// The running program's installation directory, built in `buffer` by
// ComputeWorkDir from the platform's executable path, or from the command
// line when that path is not available. `source`, when given, tells which.
const char* FindOwnWorkDir(char (&buffer)[reclaunch::kMaxPath], WorkDirSource* source);
