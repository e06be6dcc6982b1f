// Warnings that follow from the facts rather than from the lines: files that
// don't open, keys that don't read as meant, kinds listed twice.
#include <algorithm>
#include <map>
#include <regex>

#include "tools/launcher-check/enum_texts.h"
#include "tools/launcher-check/facts.h"

namespace check {
namespace {

// Where Windows keeps short names is a setting of each volume.
constexpr const char kShortNameHint[] =
    " ('fsutil 8dot3name query <drive>:' tells whether the volume keeps short names)";

// The traps the reader met in a file, then whether it could read it at all.
void FileWarnings(std::vector<Warning>& warnings, const ConfigLines& lines, const std::string& file,
                  const std::string& name, HRESULT result, const char* consequence) {
    const Subject subject = lines.GetSubject();
    for (Warning trap : lines.Traps()) {
        trap.file = file;
        warnings.push_back(std::move(trap));
    }
    if (file.empty()) {
        warnings.push_back({"path_too_long", subject, file, 0,
                            "the installation directory is too long for " + name +
                                ": the file is not read; " + consequence});
    } else if (result == E_FAIL) {
        warnings.push_back({"missing_file", subject, file, 0,
                            name +
                                " does not open (missing or held open for writing): every launch "
                                "waits 100 ms for the reader's second attempt; " +
                                consequence});
    } else if (const char* incomplete = TextOfLoad(result).incomplete) {
        warnings.push_back({"incomplete_read", subject, file, 0, incomplete});
    }
}

// This program's own path, and the record's, where no name of theirs serves.
void NameWarnings(CheckFacts& facts) {
    using platform::PathNaming;
    if (facts.installSource != InstallationSource::kOption && facts.installDir.empty()) {
        facts.warnings.push_back(
            facts.installNaming.problem == PathNaming::Problem::kNotInCodePage
                ? Warning{"installation_name_not_in_code_page", Subject::kInstallation, "", 0,
                          std::string("this program's path holds characters the ANSI code page "
                                      "can't hold and its folder has no short name: the launcher "
                                      "reads no configuration and starts nothing") +
                              kShortNameHint}
                : Warning{"installation_path_cut", Subject::kInstallation, "", 0,
                          "this program's path or the command line's first token is longer than "
                          "the launcher's 260-byte buffers, and cut it would name another folder: "
                          "the launcher reads no configuration and starts nothing"});
    }
    const RecordFacts& record = facts.record;
    if (record.naming.name == PathNaming::Name::kNone &&
        record.naming.problem == PathNaming::Problem::kNotInCodePage) {
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
    FileWarnings(facts.warnings, facts.stationLines, file, "config\\StationID.ini",
                 station.stationFileResult, "station 1 is used");
    // The station is read as an optional minus sign and digits; anything
    // else in front gives station 0.
    const std::string value = station.value.str();
    if (station.sectionIndex >= 0 && !std::regex_search(value, std::regex("^-?[0-9]"))) {
        facts.warnings.push_back({"station_not_number", Subject::kStationFile, file,
                                  facts.stationLines.Line(station.sectionIndex, station.itemIndex),
                                  "the station '" + value +
                                      "' does not begin with a number: it is read as " +
                                      std::to_string(station.station)});
    }
    FileWarnings(facts.warnings, facts.siteLines, station.siteFile.str(), "the site file",
                 facts.site.m_bLoaded ? S_OK : E_FAIL,
                 "the site information keeps its defaults (a station set at installation, "
                 "STATIONID=, needs its site file put in config)");
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
    } else if (entry.keyKind && !std::regex_match(key, std::regex("[+-]?[0-9]+"))) {
        // Only an optional sign and digits mean what they show.
        facts.warnings.push_back({"key_not_plain_number", Subject::kGameTable, file, line,
                                  "the key '" + key + "' is read as " +
                                      std::to_string(*entry.keyKind) +
                                      ": reading stops at the first byte that is no digit"});
    }
}

void GameTableWarnings(CheckFacts& facts) {
    const LaunchPlan& plan = facts.plan;
    // The launcher reads no table for a record that does not open; its
    // traps are told all the same.
    FileWarnings(facts.warnings, facts.tableLines, plan.tablePath,
                 plan.tablePath.empty() ? "config\\GameKindID.ini" : "the game table",
                 facts.tableConsulted ? plan.loadResult : S_OK, "no client can start");
    if (!facts.tableConsulted) {
        return;
    }
    std::map<std::int32_t, std::vector<int>> linesOfKind;
    for (const GameTableEntry& entry : plan.entries) {
        EntryWarnings(facts, entry);
        if (entry.keyKind) {
            linesOfKind[*entry.keyKind].push_back(EntryLine(facts, entry));
        }
    }
    for (const ClientLaunch& launch : facts.launches) {
        if (launch.program.kind == platform::ProgramCheck::Kind::kBatch) {
            const GameTableEntry& entry = plan.entries[launch.entry];
            facts.warnings.push_back(
                {"batch_file", Subject::kGameTable, plan.tablePath, EntryLine(facts, entry),
                 "the client " + launch.program.path +
                     " is a batch file: the system starts it through the command interpreter "
                     "(cmd.exe /c), which reads its command line once more by its own rules; "
                     "the launcher starts it only while it is named by its full path and its "
                     "command line holds no '%'"});
        }
    }
    for (const auto& [kind, lines] : linesOfKind) {
        if (lines.size() < 2) {
            continue;
        }
        std::string list;
        for (const int line : lines) {
            list += (list.empty() ? "" : ", ") + std::to_string(line);
        }
        facts.warnings.push_back({"duplicate_kind", Subject::kGameTable, plan.tablePath, lines[1],
                                  "kind " + std::to_string(kind) + " has " +
                                      std::to_string(lines.size()) + " entries (lines " + list +
                                      "): every one of them starts a client"});
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
