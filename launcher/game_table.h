// The game table (config\GameKindID.ini): which client to start per game kind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/limits.h"
#include "launcher/client_command_line.h"
#include "platform/os.h"

class CIniFileParse;

// Formats "<workDir>\config\GameKindID.ini" (JoinConfigPath: by the folder's
// short name where the long one makes it too long, and `byShortName` tells
// so); false when it doesn't fit, or when there is no installation directory
// (an empty `workDir`).
bool FormatGameTablePath(const char* workDir, char (&path)[reclaunch::kMaxPath],
                         bool* byShortName = nullptr);

// True for a section named "gamekindid" in any ASCII case.
bool IsGameKindSection(const char* sectionName);

enum class KindKeyStatus { kOk, kNoDigit, kOutOfRange };
// Reads a key as strtol does with base 10; the number must fit 32 bits.
KindKeyStatus ParseKindKey(const char* key, std::int32_t* kind);

// What the lookup made of one item of a gamekindid section.
enum class EntryVerdict {
    kStart,                 // matches the kind: a client is started
    kEmptyValue,            // no client named (also a line without '=')
    kKeyNoDigit,            // the key is no number
    kKeyOutOfRange,         // the key lies outside the signed 32-bit range
    kOtherKind,             // a number, but another kind
    kClientPathUnquotable,  // see CommandLineStatus
    kRecordPathUnquotable,  // see CommandLineStatus
    kRecordPathTooLong,
    kCommandLineTooLong,
    // The client is a batch file, which the system runs through the command
    // interpreter; it reads the command line once more, and would change it:
    kBatchPercentInCommandLine,  // it expands %NAME% even inside quotes
    kBatchNameWithoutRoot,       // it looks for the batch file in the current folder (the last)
};

struct GameTableEntry {
    std::ptrdiff_t sectionIndex;
    std::ptrdiff_t itemIndex;
    const char* key;  // the item's texts, in the document judged
    const char* value;
    std::optional<std::int32_t> keyKind;  // once the key was read as a number
    EntryVerdict verdict;
    std::string commandLine;  // the line to start with, on kStart; else ""
    // The program the command line names, as the start finds it: filled in
    // by the launch plan for the entries that would start, null for the rest.
    // Held apart, so a table of many kinds takes no room for it per entry.
    std::unique_ptr<platform::ProgramCheck> program;
};

// Judges every item of every gamekindid section of a loaded table, in file
// order, for `kind` and `recordPath`. Starts nothing.
std::vector<GameTableEntry> JudgeGameTable(const CIniFileParse& table, std::int32_t kind,
                                           const char* recordPath);
