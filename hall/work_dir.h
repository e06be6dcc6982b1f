// Working out the installation directory from the executable's path, or,
// when that is not available, from the first token of the command line.
#pragma once

#include <cstdint>

#include "common/limits.h"
#include "platform/os.h"

// Builds the directory text in `buffer`. `moduleLength` is what the
// platform's OwnExecutablePath returned for the path already in `buffer`
// (0: not available, and `commandLine` is used instead; the buffer's size or
// more: the path was cut). Returns the start of the directory text, which
// lies inside `buffer`. An empty text is no directory: the executable's path
// or the command line's first token was cut, and names another folder.
const char* ComputeWorkDir(char (&buffer)[reclaunch::kMaxPath], std::uint32_t moduleLength,
                           const char* commandLine);

// Where the running program's installation directory was worked out from.
enum class WorkDirSource { kExecutablePath, kCommandLine };

// The running program's installation directory, built in `buffer` by
// ComputeWorkDir from the platform's executable path, or from the command
// line when that path is not available. `source`, when given, tells which;
// `naming`, how the executable's path was named (a short name, or none).
const char* FindOwnWorkDir(char (&buffer)[reclaunch::kMaxPath], WorkDirSource* source,
                           platform::PathNaming* naming = nullptr);
