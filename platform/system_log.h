// The system's log, where a program that shows no window tells an
// administrator what went wrong: the Application Event Log on Windows, the
// system log (/dev/log: journald, rsyslog) on POSIX. Entries go under the
// source "reclaunch".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class LogLevel { kWarning, kError };

struct LogEntry {
    LogLevel level = LogLevel::kWarning;
    // Windows: the message of the source's message table that shows the
    // fields (the launcher's own table, registered by the installer).
    std::uint16_t eventId = 0;
    // Windows: the message's insertion strings, in order, as ANSI text.
    std::vector<std::string> fields;
    // POSIX: the whole entry as one line of text.
    std::string line;
};

// Hands `entry` to the system's log and returns: nothing waits for a log
// that is missing, stopped or full, whose entry is then lost. False when the
// entry was not taken.
// Windows: RegisterEventSource and ReportEvent, the fields widened through
// the ANSI code page; an unregistered source still reaches the Application
// log, without its message text. POSIX: one datagram in the syslog format,
// facility user, sent without waiting on a socket of its own.
bool WriteSystemLog(const LogEntry& entry);

}  // namespace platform
