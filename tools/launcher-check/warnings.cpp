// Warnings that follow from the facts rather than from the lines: files that
// don't open, keys that don't read as meant, kinds listed twice.
#include <algorithm>
#include <map>

#include "tools/launcher-check/enum_texts.h"
#include "tools/launcher-check/facts.h"

namespace check {
namespace {

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// An optional sign and digits, nothing else: the key means what it shows.
bool IsPlainNumber(const std::string& key) {
    const std::size_t sign = (!key.empty() && (key[0] == '+' || key[0] == '-')) ? 1 : 0;
    return key.size() > sign && std::all_of(key.begin() + sign, key.end(), IsDigit);
}

// The station is read as an optional minus sign and digits; anything else
// in front gives station 0.
bool StartsWithStationNumber(const std::string& value) {
    const std::size_t digit = (!value.empty() && value[0] == '-') ? 1 : 0;
    return digit < value.size() && IsDigit(value[digit]);
}

// The traps the reader met in a file, then whether it could read it at all.
void FileWarnings(std::vector<Warning>& warnings, const ConfigLines& lines, Subject subject,
                  const std::string& file, const char* name, HRESULT result,
                  const char* consequence) {
    const std::vector<Warning> traps = lines.Warnings(file);
    warnings.insert(warnings.end(), traps.begin(), traps.end());
    if (file.empty()) {
        warnings.push_back({"path_too_long", subject, file, 0,
                            std::string("the installation directory is too long for ") + name +
                                ": the file is not read; " + consequence});
    } else if (result == E_FAIL) {
        warnings.push_back({"missing_file", subject, file, 0,
                            std::string(name) +
                                " does not open (missing or held open for writing): the reader "
                                "waits 100 ms for a second attempt; " +
                                consequence});
    } else if (const char* incomplete = TextOfLoad(result).incomplete) {
        warnings.push_back({"incomplete_read", subject, file, 0, incomplete});
    }
}

// Where Windows keeps short names is a setting of each volume.
constexpr const char kShortNameHint[] =
    " ('fsutil 8dot3name query <drive>:' tells whether the volume keeps short names)";

// This program's own path, and the record's, where no name of theirs serves.
void NameWarnings(CheckFacts& facts) {
    if (facts.installSource != InstallationSource::kOption && facts.installDir.empty()) {
        if (facts.installNaming.problem == platform::PathNaming::Problem::kNotInCodePage) {
            facts.warnings.push_back(
                {"installation_name_not_in_code_page", Subject::kInstallation, "", 0,
                 std::string("this program's path holds characters the ANSI code page can't "
                             "hold and its folder has no short name: the launcher reads no "
                             "configuration and starts nothing") +
                     kShortNameHint});
        } else {
            facts.warnings.push_back(
                {"installation_path_cut", Subject::kInstallation, "", 0,
                 "this program's path or the command line's first token is longer than the "
                 "launcher's 260-byte buffers, and cut it would name another folder: the "
                 "launcher reads no configuration and starts nothing"});
        }
    }
    const RecordFacts& record = facts.record;
    if (record.naming.name == platform::PathNaming::Name::kNone &&
        record.naming.problem == platform::PathNaming::Problem::kNotInCodePage) {
        facts.warnings.push_back(
            {"record_name_not_in_code_page", Subject::kRecord, record.path, 0,
             std::string("the record's path holds characters the ANSI code page can't hold and "
                         "it has no short name: the launcher can't open it") +
                 kShortNameHint});
    }
}

void StationWarnings(CheckFacts& facts) {
    const StationChoice& station = facts.station;
    const std::string file = station.stationFile.str();
    FileWarnings(facts.warnings, facts.stationLines, Subject::kStationFile, file,
                 "config\\StationID.ini", station.stationFileResult, "station 1 is used");
    const std::string value = station.value.str();
    if (station.sectionIndex >= 0 && !StartsWithStationNumber(value)) {
        facts.warnings.push_back({"station_not_number", Subject::kStationFile, file,
                                  facts.stationLines.Line(station.sectionIndex, station.itemIndex),
                                  "the station '" + value +
                                      "' does not begin with a number: it is read as " +
                                      std::to_string(station.station)});
    }
    FileWarnings(facts.warnings, facts.siteLines, Subject::kSiteFile, station.siteFile.str(),
                 "the site file", facts.site.m_bLoaded ? S_OK : E_FAIL,
                 "the site information keeps its defaults");
}

void EntryWarnings(CheckFacts& facts, const GameTableEntry& entry) {
    const std::string key = entry.key;
    const int line = EntryLine(facts, entry);
    const std::string& file = facts.plan.tablePath;
    if (entry.verdict == EntryVerdict::kKeyNoDigit ||
        entry.verdict == EntryVerdict::kKeyOutOfRange) {
        const char* why = entry.verdict == EntryVerdict::kKeyNoDigit
                              ? "is no number"
                              : "lies outside the 32-bit range";
        facts.warnings.push_back({"key_not_number", Subject::kGameTable, file, line,
                                  "the key '" + key + "' " + why + ": the entry is never used"});
    } else if (KeyIsNumber(entry.verdict) && !IsPlainNumber(key)) {
        facts.warnings.push_back({"key_not_plain_number", Subject::kGameTable, file, line,
                                  "the key '" + key + "' is read as " +
                                      std::to_string(entry.keyKind) +
                                      ": reading stops at the first byte that is no digit"});
    }
}

void GameTableWarnings(CheckFacts& facts) {
    const LaunchPlan& plan = facts.plan;
    if (!facts.tableConsulted) {
        // The launcher goes no further; the traps are told all the same.
        FileWarnings(facts.warnings, facts.tableLines, Subject::kGameTable, plan.tablePath,
                     "config\\GameKindID.ini", plan.tablePath.empty() ? E_FAIL : S_OK,
                     "no client can start");
        return;
    }
    FileWarnings(facts.warnings, facts.tableLines, Subject::kGameTable, plan.tablePath,
                 "the game table", plan.loadResult, "no client can start");
    std::map<std::int32_t, std::vector<const GameTableEntry*>> byKind;
    for (const GameTableEntry& entry : plan.entries) {
        EntryWarnings(facts, entry);
        if (KeyIsNumber(entry.verdict)) {
            byKind[entry.keyKind].push_back(&entry);
        }
    }
    for (const auto& [kind, entries] : byKind) {
        if (entries.size() < 2) {
            continue;
        }
        std::string lines;
        for (const GameTableEntry* entry : entries) {
            lines += (lines.empty() ? "" : ", ") + std::to_string(EntryLine(facts, *entry));
        }
        facts.warnings.push_back(
            {"duplicate_kind", Subject::kGameTable, plan.tablePath, EntryLine(facts, *entries[1]),
             "kind " + std::to_string(kind) + " has " + std::to_string(entries.size()) +
                 " entries (lines " + lines + "): every one of them starts a client"});
    }
}

}  // namespace

void AddFactWarnings(CheckFacts& facts) {
    NameWarnings(facts);
    StationWarnings(facts);
    if (facts.record.opened && facts.record.header.size() < 4) {
        facts.warnings.push_back({"record_short", Subject::kRecord, facts.record.path, 0,
                                  "the record has only " +
                                      std::to_string(facts.record.header.size()) +
                                      " of its 4 header bytes: the missing ones count as 0"});
    }
    GameTableWarnings(facts);
    std::stable_sort(facts.warnings.begin(), facts.warnings.end(),
                     [](const Warning& a, const Warning& b) {
                         return a.subject != b.subject ? a.subject < b.subject : a.line < b.line;
                     });
}

}  // namespace check
