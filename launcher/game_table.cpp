#include "launcher/game_table.h"

#include <cerrno>
#include <cstdlib>

#include "common/name_match.h"
#include "common/safe_format.h"
#include "ini/ini_file_parse.h"

namespace {

constexpr const char kGameKindSection[] = "gamekindid";

EntryVerdict VerdictFor(CommandLineStatus status) {
    switch (status) {
        case CommandLineStatus::kOk:
            return EntryVerdict::kStart;
        case CommandLineStatus::kClientPathUnquotable:
            return EntryVerdict::kClientPathUnquotable;
        case CommandLineStatus::kRecordPathUnquotable:
            return EntryVerdict::kRecordPathUnquotable;
        case CommandLineStatus::kRecordPathTooLong:
            return EntryVerdict::kRecordPathTooLong;
        case CommandLineStatus::kTooLong:
            break;
    }
    return EntryVerdict::kCommandLineTooLong;
}

}  // namespace

bool FormatGameTablePath(const char* workDir, char (&path)[reclaunch::kMaxPath]) {
    // No installation directory must not become the root of the current drive.
    if (workDir == nullptr || workDir[0] == '\0') {
        path[0] = '\0';
        return false;
    }
    return SafeFormat(path, "%s\\config\\GameKindID.ini", workDir);
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

const char* DescribeVerdict(EntryVerdict verdict) {
    switch (verdict) {
        case EntryVerdict::kStart:
            return "starts a client";
        case EntryVerdict::kEmptyValue:
            return "skipped: no client named (empty value or no '=')";
        case EntryVerdict::kKeyNoDigit:
            return "skipped: the key is no number";
        case EntryVerdict::kKeyOutOfRange:
            return "skipped: the key is outside the 32-bit range";
        case EntryVerdict::kOtherKind:
            return "another kind";
        case EntryVerdict::kClientPathUnquotable:
            return "skipped: the client path holds a double quote";
        case EntryVerdict::kRecordPathUnquotable:
            return "skipped: the record path holds a double quote or ends with a backslash";
        case EntryVerdict::kRecordPathTooLong:
            return "skipped: the record path is longer than 246 bytes";
        case EntryVerdict::kCommandLineTooLong:
            return "skipped: the client command line is longer than 259 bytes";
    }
    return "";
}

void ForEachGameTableEntry(const CIniFileParse& table, std::int32_t kind, const char* recordPath,
                           const std::function<void(const GameTableEntry&)>& visit) {
    for (std::ptrdiff_t s = 0; s < table.m_arrSections.GetSize(); ++s) {
        const CIniSection& section = table.m_arrSections[s];
        if (!IsGameKindSection(section.m_szName)) {
            continue;
        }
        for (std::ptrdiff_t i = 0; i < section.m_arrItems.GetSize(); ++i) {
            const CIniItem& item = section.m_arrItems[i];
            GameTableEntry entry{s, i, item.GetKey(), item.GetValue(), 0, EntryVerdict::kStart, ""};
            char commandLine[reclaunch::kMaxPath] = {};
            if (*entry.value == '\0') {
                entry.verdict = EntryVerdict::kEmptyValue;
            } else {
                switch (ParseKindKey(entry.key, &entry.keyKind)) {
                    case KindKeyStatus::kNoDigit:
                        entry.verdict = EntryVerdict::kKeyNoDigit;
                        break;
                    case KindKeyStatus::kOutOfRange:
                        entry.verdict = EntryVerdict::kKeyOutOfRange;
                        break;
                    case KindKeyStatus::kOk:
                        entry.verdict = entry.keyKind != kind
                                            ? EntryVerdict::kOtherKind
                                            : VerdictFor(BuildClientCommandLine(
                                                  entry.value, recordPath, commandLine));
                        break;
                }
            }
            if (entry.verdict == EntryVerdict::kStart) {
                entry.commandLine = commandLine;
            }
            visit(entry);
        }
    }
}
