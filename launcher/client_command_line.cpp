#include "launcher/client_command_line.h"

#include <cstring>

#include "common/safe_format.h"

namespace {

// Inside double quotes a '"' ends the argument, and a '\' before the closing
// quote escapes it: either way the client would not get the path as it is.
bool IsQuotable(const char* path) {
    const std::size_t length = std::strlen(path);
    return std::strchr(path, '"') == nullptr && (length == 0 || path[length - 1] != '\\');
}

}  // namespace

CommandLineStatus BuildClientCommandLine(const char* clientPath, const char* recordPath,
                                         char (&commandLine)[reclaunch::kMaxPath]) {
    std::memset(commandLine, 0, sizeof commandLine);
    if (!IsQuotable(recordPath)) {
        return CommandLineStatus::kRecordPathUnquotable;
    }
    char keyword[reclaunch::kMaxPath] = {};
    if (!SafeFormat(keyword, " KelvoFile \"%s\"", recordPath)) {
        return CommandLineStatus::kRecordPathTooLong;
    }
    const std::size_t clientLength = std::strlen(clientPath);
    const std::size_t keywordLength = std::strlen(keyword);
    if (clientLength + 2 + keywordLength > sizeof commandLine - 1) {
        return CommandLineStatus::kTooLong;
    }
    char* out = commandLine;
    *out++ = '"';
    std::memcpy(out, clientPath, clientLength);
    out += clientLength;
    *out++ = '"';
    std::memcpy(out, keyword, keywordLength);
    return CommandLineStatus::kOk;
}
