#include "launcher/failure_entry.h"

#include <cstdio>

#include "platform/os.h"

namespace {

// launcher-check beside the launcher, given the record: "<dir>\launcher-check"
// "<record>". Without an extension, which the Windows shell adds itself.
std::string CheckCommand(const std::string& record, const char* installDir) {
    const std::string dir = installDir;
    const platform::PathCharacters chars =
        platform::ReadPathCharacters(dir.c_str(), platform::AnsiCodePage());
    std::string program = dir;
    if (!chars.EndsWithSeparator()) {
        program +=
            chars.lastSeparator == platform::PathCharacters::npos ? '\\' : dir[chars.lastSeparator];
    }
    program += "launcher-check";
    return "\"" + program + "\" \"" + record + "\"";
}

}  // namespace

std::string EscapeForLog(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7F) {
            char hex[5] = {};
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            escaped += hex;
        } else {
            escaped += ch;
        }
    }
    return escaped;
}

platform::LogEntry FailureLogEntry(const FailedLaunch& launch, const char* installDir) {
    const LaunchCauseText& cause = TextOfCause(launch.failure.cause);
    const std::string record = EscapeForLog(launch.record);
    const std::string kind = launch.kind ? std::to_string(*launch.kind) : "not read";
    const std::string table = launch.table.empty() ? "none" : EscapeForLog(launch.table);
    const std::string why = EscapeForLog(CauseText(launch.failure));
    const std::string check = EscapeForLog(CheckCommand(launch.record, installDir));
    platform::LogEntry entry;
    entry.level = cause.systemRefused ? platform::LogLevel::kError : platform::LogLevel::kWarning;
    entry.eventId = cause.eventId;
    entry.fields = {record, kind, table, why, check};
    entry.line = "launch failed: record \"" + record + "\", kind " + kind + ", game table " +
                 (launch.table.empty() ? table : "\"" + table + "\"") + ": " + why +
                 ". For the details, run: " + check;
    return entry;
}
