// Why a launch started no client, or fewer than the game table lists for the
// record's kind: one table of causes, whose words both the failure log and
// launcher-check use, and whose event ids are the messages of the launcher's
// message table (failure_messages.mc).
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/enum_table.h"
#include "launcher/game_table.h"
#include "platform/file.h"

enum class LaunchCause {
    kRecordMissing,
    kRecordNotAFile,
    kRecordHeld,
    kRecordNoAccess,
    kRecordUnreadable,
    kNoInstallation,
    kTablePathTooLong,
    kTableMissing,
    kTableNotAFile,
    kTableHeld,
    kTableNoAccess,
    kTableUnreadable,
    kNoGameKindSection,
    kKindNotListed,
    kClientPathUnquotable,
    kRecordPathUnquotable,
    kRecordPathTooLong,
    kCommandLineTooLong,
    kClientCannotStart,  // an entry passed over for a reason of its own
    kClientMissing,
    kClientRefused,
    kBatchPercentInCommandLine,
    kBatchNameWithoutRoot,  // the last
};

struct LaunchCauseText {
    LaunchCause cause;
    std::uint16_t eventId;
    // The system refused what the launcher asked of it; every other cause is
    // a problem of the record or of the installation's configuration.
    bool systemRefused;
    const char* code;  // stable, for launcher-check's JSON
    const char* words;
};

// Event ids: 1xx the record, 2xx the installation and its game table, 3xx a
// client.
inline constexpr LaunchCauseText kLaunchCauses[] = {
    {LaunchCause::kRecordMissing, 101, false, "record_missing", "the record does not exist"},
    {LaunchCause::kRecordNotAFile, 102, false, "record_not_a_file",
     "the record is a folder or no regular file"},
    {LaunchCause::kRecordHeld, 103, false, "record_held",
     "the record is held open by a writer, or by another program that shares it with nobody"},
    {LaunchCause::kRecordNoAccess, 104, false, "record_no_access",
     "the record can't be read: access is denied"},
    {LaunchCause::kRecordUnreadable, 105, false, "record_unreadable", "the record does not open"},
    {LaunchCause::kNoInstallation, 201, false, "no_installation",
     "the launcher finds no installation folder: its own path can't be named within its "
     "260-byte buffers"},
    {LaunchCause::kTablePathTooLong, 202, false, "table_path_too_long",
     "the installation folder is too long for the game table's path"},
    {LaunchCause::kTableMissing, 203, false, "table_missing", "the game table does not exist"},
    {LaunchCause::kTableNotAFile, 204, false, "table_not_a_file",
     "the game table is a folder or no regular file"},
    {LaunchCause::kTableHeld, 205, false, "table_held",
     "the game table is held open for writing by another program"},
    {LaunchCause::kTableNoAccess, 206, false, "table_no_access",
     "the game table can't be read: access is denied"},
    {LaunchCause::kTableUnreadable, 207, false, "table_unreadable", "the game table does not open"},
    {LaunchCause::kNoGameKindSection, 208, false, "no_gamekindid_section",
     "the game table has no [gamekindid] section"},
    {LaunchCause::kKindNotListed, 209, false, "kind_not_listed",
     "the game table lists no client for the kind"},
    {LaunchCause::kClientPathUnquotable, 301, false, "client_path_unquotable",
     "the client path holds a double quote"},
    {LaunchCause::kRecordPathUnquotable, 302, false, "record_path_unquotable",
     "the record path holds a double quote or ends with a backslash"},
    {LaunchCause::kRecordPathTooLong, 303, false, "record_path_too_long",
     "the record path is longer than 246 bytes"},
    {LaunchCause::kCommandLineTooLong, 304, false, "command_line_too_long",
     "the client command line is longer than 259 bytes"},
    {LaunchCause::kClientCannotStart, 305, false, "client_cannot_start",
     "the client cannot be started"},
    {LaunchCause::kClientMissing, 306, false, "client_missing",
     "the client program does not exist"},
    {LaunchCause::kClientRefused, 307, true, "client_refused",
     "the system refused to start the client"},
    {LaunchCause::kBatchPercentInCommandLine, 308, false, "batch_percent_in_command_line",
     "the client is a batch file whose command line holds a percent sign, which the command "
     "interpreter would expand"},
    {LaunchCause::kBatchNameWithoutRoot, 309, false, "batch_name_without_root",
     "the client is a batch file named without a full path, which the command interpreter would "
     "look for in the current folder"},
};
static_assert(reclaunch::IndexedByValue(kLaunchCauses, &LaunchCauseText::cause,
                                        LaunchCause::kBatchNameWithoutRoot));

constexpr const LaunchCauseText& TextOfCause(LaunchCause cause) {
    return kLaunchCauses[static_cast<std::size_t>(cause)];
}

// The cause of a record or a game table that did not open.
constexpr LaunchCause RecordCause(platform::OpenError why) {
    switch (why) {
        case platform::OpenError::kMissing:
            return LaunchCause::kRecordMissing;
        case platform::OpenError::kNotAFile:
            return LaunchCause::kRecordNotAFile;
        case platform::OpenError::kSharing:
            return LaunchCause::kRecordHeld;
        case platform::OpenError::kNoAccess:
            return LaunchCause::kRecordNoAccess;
        default:
            return LaunchCause::kRecordUnreadable;
    }
}
constexpr LaunchCause TableCause(platform::OpenError why) {
    switch (why) {
        case platform::OpenError::kMissing:
            return LaunchCause::kTableMissing;
        case platform::OpenError::kNotAFile:
            return LaunchCause::kTableNotAFile;
        case platform::OpenError::kSharing:
            return LaunchCause::kTableHeld;
        case platform::OpenError::kNoAccess:
            return LaunchCause::kTableNoAccess;
        default:
            return LaunchCause::kTableUnreadable;
    }
}

// The cause of an entry for the kind that the lookup passed over.
struct VerdictCause {
    EntryVerdict verdict;
    LaunchCause cause;
};
inline constexpr VerdictCause kVerdictCauses[] = {
    {EntryVerdict::kClientPathUnquotable, LaunchCause::kClientPathUnquotable},
    {EntryVerdict::kRecordPathUnquotable, LaunchCause::kRecordPathUnquotable},
    {EntryVerdict::kRecordPathTooLong, LaunchCause::kRecordPathTooLong},
    {EntryVerdict::kCommandLineTooLong, LaunchCause::kCommandLineTooLong},
    {EntryVerdict::kBatchPercentInCommandLine, LaunchCause::kBatchPercentInCommandLine},
    {EntryVerdict::kBatchNameWithoutRoot, LaunchCause::kBatchNameWithoutRoot},
};
// A verdict without a cause of its own reads as "cannot be started".
constexpr LaunchCause CauseOfVerdict(EntryVerdict verdict) {
    for (const VerdictCause& row : kVerdictCauses) {
        if (row.verdict == verdict) {
            return row.cause;
        }
    }
    return LaunchCause::kClientCannotStart;
}

// The words of a verdict that passes an entry for the kind over.
constexpr const char* WordsOfVerdict(EntryVerdict verdict) {
    return TextOfCause(CauseOfVerdict(verdict)).words;
}
