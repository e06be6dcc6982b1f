#include "launcher/client_command_line.h"

#include <cstring>
#include <string>

#include "common/safe_format.h"
#include "platform/os.h"

namespace {

// Inside double quotes a '"' ends the argument, and a '\' before the closing
// quote escapes it: either way the client would not get the path as it is.
// The 0x5C trail byte of a double-byte character is no backslash, to the
// client's run-time as to us.
bool IsQuotable(const char* path) {
    return std::strchr(path, '"') == nullptr &&
           !platform::EndsWithBackslash(path, platform::AnsiCodePage());
}

}  // namespace

CommandLineStatus BuildClientCommandLine(const char* clientPath, const char* recordPath,
                                         char (&commandLine)[reclaunch::kMaxPath]) {
    std::memset(commandLine, 0, sizeof commandLine);
    if (std::strchr(clientPath, '"') != nullptr) {
        return CommandLineStatus::kClientPathUnquotable;
    }
    if (!IsQuotable(recordPath)) {
        return CommandLineStatus::kRecordPathUnquotable;
    }
    char keyword[reclaunch::kMaxPath] = {};
    if (!SafeFormat(keyword, " KelvoFile \"%s\"", recordPath)) {
        return CommandLineStatus::kRecordPathTooLong;
    }
    const std::string line = '"' + std::string(clientPath) + '"' + keyword;
    if (line.size() > sizeof commandLine - 1) {
        return CommandLineStatus::kTooLong;
    }
    std::memcpy(commandLine, line.c_str(), line.size() + 1);
    return CommandLineStatus::kOk;
}
