// The command line of launcher-check.
#pragma once

#include <optional>
#include <string>

namespace check {

struct CheckOptions {
    std::string record;                     // the record, as the launcher would be given it
    int recordIndex = -1;                   // its place among this program's arguments
    std::optional<std::string> installDir;  // another installation than our own
    bool json = false;
    bool run = false;
};

// Exit code for a command line that can't be used.
inline constexpr int kUsageError = 2;

// Reads the arguments into `options`. Returns the exit code to end with when
// there is nothing to check (0 after --help, kUsageError after a message on
// standard error), or nothing to go on.
std::optional<int> ParseOptions(int argc, char** argv, CheckOptions* options);

}  // namespace check
