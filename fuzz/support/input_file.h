// The fuzz input as a file the loaders can open.
#pragma once

#include <string>

namespace fuzz {

// Writes `bytes` to this process's input file and returns its path. The same
// path is rewritten for every input; it lies in memory (/dev/shm) where the
// system has such a folder, so the fuzzer doesn't wear a disk, and it is
// removed when the process exits normally.
const char* WriteInputFile(const std::string& bytes);

}  // namespace fuzz
