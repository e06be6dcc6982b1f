// The failure log's entry for a launch that started no client, or fewer than
// the game table lists: one entry a run, naming the record, its kind, the
// game table and the cause, and the launcher-check command that tells more.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "launcher/launch_failure.h"
#include "platform/system_log.h"

struct FailedLaunch {
    std::string record;                // as the launcher opened it
    std::optional<std::int32_t> kind;  // once the record was read
    std::string table;                 // the game table's path; "" for none
    LaunchFailure failure;
};

// `text` on one line: every control byte (line breaks included) and DEL as
// \xHH, so that no name can end an entry or forge another. Other bytes, the
// ANSI code page's double-byte characters among them, stay as they are.
std::string EscapeForLog(const std::string& text);

// The entry for `launch` in the installation at `installDir`: the fields
// record, kind, table, cause and check command, each escaped, and the line
// they make.
platform::LogEntry FailureLogEntry(const FailedLaunch& launch, const char* installDir);
