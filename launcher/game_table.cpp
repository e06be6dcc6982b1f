#include "launcher/game_table.h"

#include <cerrno>
#include <cstddef>
#include <cstdlib>

#include "common/enum_table.h"
#include "common/name_match.h"
#include "common/safe_format.h"
#include "hall/config_path.h"
#include "ini/ini_file_parse.h"

namespace {

constexpr const char kGameKindSection[] = "gamekindid";

// The verdict for each way building the command line can end, one row per
// status in its order, so that the status indexes the table.
struct StatusVerdict {
    CommandLineStatus status;
    EntryVerdict verdict;
};
constexpr StatusVerdict kVerdictOfStatus[] = {
    {CommandLineStatus::kOk, EntryVerdict::kStart},
    {CommandLineStatus::kClientPathUnquotable, EntryVerdict::kClientPathUnquotable},
    {CommandLineStatus::kRecordPathUnquotable, EntryVerdict::kRecordPathUnquotable},
    {CommandLineStatus::kRecordPathTooLong, EntryVerdict::kRecordPathTooLong},
    {CommandLineStatus::kTooLong, EntryVerdict::kCommandLineTooLong},
};

static_assert(reclaunch::IndexedByValue(kVerdictOfStatus, &StatusVerdict::status,
                                        CommandLineStatus::kTooLong));

// The verdict on one entry; sets its keyKind once the key reads as a number,
// and its command line on kStart.
EntryVerdict Judge(GameTableEntry& entry, std::int32_t kind, const char* recordPath) {
    if (*entry.value == '\0') {
        return EntryVerdict::kEmptyValue;  // the key is not examined
    }
    std::int32_t keyKind = 0;
    const KindKeyStatus key = ParseKindKey(entry.key, &keyKind);
    if (key == KindKeyStatus::kNoDigit) {
        return EntryVerdict::kKeyNoDigit;
    }
    if (key == KindKeyStatus::kOutOfRange) {
        return EntryVerdict::kKeyOutOfRange;
    }
    entry.keyKind = keyKind;
    if (keyKind != kind) {
        return EntryVerdict::kOtherKind;
    }
    char commandLine[reclaunch::kMaxPath] = {};
    const CommandLineStatus status = BuildClientCommandLine(entry.value, recordPath, commandLine);
    const EntryVerdict verdict = kVerdictOfStatus[static_cast<std::size_t>(status)].verdict;
    if (verdict == EntryVerdict::kStart) {
        entry.commandLine = commandLine;
    }
    return verdict;
}

}  // namespace

bool FormatGameTablePath(const char* workDir, char (&path)[reclaunch::kMaxPath],
                         bool* byShortName) {
    // No installation directory must not become the root of the current
    // drive: JoinConfigPath gives "" then.
    return SafeFormat(path, "%s", JoinConfigPath(workDir, "config\\GameKindID.ini", byShortName)) &&
           path[0] != '\0';
}

bool IsGameKindSection(const char* sectionName) {
    return NameMatches(sectionName, kGameKindSection);
}

KindKeyStatus ParseKindKey(const char* key, std::int32_t* kind) {
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(key, &end, 10);
    if (end == key) {
        return KindKeyStatus::kNoDigit;
    }
    // Where long has 64 bits strtol accepts more than a kind can hold; such a
    // key must not match the kind its low 32 bits happen to spell.
    if (errno == ERANGE || number < INT32_MIN || number > INT32_MAX) {
        return KindKeyStatus::kOutOfRange;
    }
    *kind = static_cast<std::int32_t>(number);
    return KindKeyStatus::kOk;
}

std::vector<GameTableEntry> JudgeGameTable(const CIniFileParse& table, std::int32_t kind,
                                           const char* recordPath) {
    std::vector<GameTableEntry> entries;
    for (std::ptrdiff_t s = 0; s < table.m_arrSections.GetSize(); ++s) {
        const CIniSection& section = table.m_arrSections[s];
        if (!IsGameKindSection(section.m_szName)) {
            continue;
        }
        // A table is mostly one gamekindid section: room for the first at
        // once, where growing item by item would move the entries again and again.
        if (entries.empty()) {
            entries.reserve(static_cast<std::size_t>(section.m_arrItems.GetSize()));
        }
        for (std::ptrdiff_t i = 0; i < section.m_arrItems.GetSize(); ++i) {
            const CIniItem& item = section.m_arrItems[i];
            GameTableEntry& entry = entries.emplace_back(GameTableEntry{
                s, i, item.GetKey(), item.GetValue(), {}, EntryVerdict::kStart, {}, {}});
            entry.verdict = Judge(entry, kind, recordPath);
        }
    }
    return entries;
}
