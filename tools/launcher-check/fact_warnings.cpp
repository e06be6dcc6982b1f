#include "tools/launcher-check/fact_warnings.h"

#include <algorithm>
#include <map>

namespace check {
namespace {

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// An optional sign and digits, nothing else: the key means what it shows.
bool IsPlainNumber(const std::string& key) {
    std::size_t i = (!key.empty() && (key[0] == '+' || key[0] == '-')) ? 1 : 0;
    if (i == key.size()) {
        return false;
    }
    for (; i < key.size(); ++i) {
        if (!IsDigit(key[i])) {
            return false;
        }
    }
    return true;
}

// The station is read as an optional minus sign and digits; anything else
// in front gives station 0.
bool StartsWithStationNumber(const std::string& value) {
    const std::size_t digit = (!value.empty() && value[0] == '-') ? 1 : 0;
    return digit < value.size() && IsDigit(value[digit]);
}

class Warnings {
public:
    explicit Warnings(CheckFacts& facts) : m_facts(facts) {}

    void Add(const char* code, Subject subject, const std::string& file, int line,
             const std::string& message) {
        m_facts.warnings.push_back({code, subject, file, line, message});
    }

    // A configuration file the launcher could not read, and what that costs.
    void Unread(Subject subject, const std::string& file, const char* name, bool opened,
                const char* consequence) {
        if (file.empty()) {
            Add("path_too_long", subject, file, 0,
                std::string("the installation directory is too long for ") + name +
                    ": the file is not read; " + consequence);
        } else if (!opened) {
            Add("missing_file", subject, file, 0,
                std::string(name) +
                    " does not open (missing or held open for writing): the reader waits "
                    "100 ms for a second attempt; " +
                    consequence);
        }
    }

    void IncompleteRead(Subject subject, const std::string& file, HRESULT result) {
        if (result == E_READFAULT || result == E_TOOMANYITEMS) {
            Add("incomplete_read", subject, file, 0,
                result == E_READFAULT
                    ? "reading stopped at a read error: only the lines before it count"
                    : "the file holds more sections and items than the reader keeps: only the "
                      "first ones count");
        }
    }

private:
    CheckFacts& m_facts;
};

void StationWarnings(CheckFacts& facts, Warnings& warnings) {
    const StationFacts& station = facts.station;
    warnings.Unread(Subject::kStationFile, station.file, "config\\StationID.ini",
                    station.fileResult != E_FAIL, "station 1 is used");
    warnings.IncompleteRead(Subject::kStationFile, station.file, station.fileResult);
    if (station.chosenByEntry && !StartsWithStationNumber(station.value)) {
        warnings.Add("station_not_number", Subject::kStationFile, station.file, station.line,
                     "the station '" + station.value +
                         "' does not begin with a number: it is "
                         "read as " +
                         std::to_string(station.station));
    }
    warnings.Unread(Subject::kSiteFile, facts.site.file, "the site file", facts.site.loaded,
                    "the site information keeps its defaults");
}

// Where Windows keeps short names is a setting of each volume.
constexpr const char kShortNameHint[] =
    " ('fsutil 8dot3name query <drive>:' tells whether the volume keeps short names)";

void InstallationWarnings(CheckFacts& facts, Warnings& warnings) {
    const InstallationFacts& installation = facts.installation;
    if (installation.source == InstallationSource::kOption || !installation.dir.empty()) {
        return;
    }
    if (installation.naming.problem == platform::PathNaming::Problem::kNotInCodePage) {
        warnings.Add("installation_name_not_in_code_page", Subject::kInstallation, "", 0,
                     std::string("this program's path holds characters the ANSI code page "
                                 "can't hold and its folder has no short name: the launcher "
                                 "reads no configuration and starts nothing") +
                         kShortNameHint);
    } else {
        warnings.Add("installation_path_cut", Subject::kInstallation, "", 0,
                     "this program's path or the command line's first token is longer than the "
                     "launcher's 260-byte buffers, and cut it would name another folder: the "
                     "launcher reads no configuration and starts nothing");
    }
}

void RecordWarnings(CheckFacts& facts, Warnings& warnings) {
    const RecordFacts& record = facts.record;
    if (record.naming.name == platform::PathNaming::Name::kNone &&
        record.naming.problem == platform::PathNaming::Problem::kNotInCodePage) {
        warnings.Add("record_name_not_in_code_page", Subject::kRecord, record.path, 0,
                     std::string("the record's path holds characters the ANSI code page can't "
                                 "hold and it has no short name: the launcher can't open it") +
                         kShortNameHint);
    }
    if (record.opened && record.header.size() < 4) {
        warnings.Add("record_short", Subject::kRecord, record.path, 0,
                     "the record has only " + std::to_string(record.header.size()) +
                         " of its 4 header bytes: the missing ones count as 0");
    }
}

void EntryWarnings(const std::string& file, const EntryFacts& entry, Warnings& warnings) {
    if (entry.verdict == EntryVerdict::kKeyNoDigit ||
        entry.verdict == EntryVerdict::kKeyOutOfRange) {
        warnings.Add(
            "key_not_number", Subject::kGameTable, file, entry.line,
            "the key '" + entry.key + "' " +
                (entry.verdict == EntryVerdict::kKeyNoDigit ? "is no number"
                                                            : "lies outside the 32-bit range") +
                ": the entry is never used");
    } else if (KeyIsNumber(entry.verdict) && !IsPlainNumber(entry.key)) {
        warnings.Add("key_not_plain_number", Subject::kGameTable, file, entry.line,
                     "the key '" + entry.key + "' is read as " + std::to_string(entry.keyKind) +
                         ": reading stops at the first byte that is no digit");
    }
}

void GameTableWarnings(CheckFacts& facts, Warnings& warnings) {
    const GameTableFacts& table = facts.gameTable;
    if (table.path.empty()) {
        warnings.Unread(Subject::kGameTable, table.path, "config\\GameKindID.ini", false,
                        "no client can start");
        return;
    }
    if (!table.consulted) {
        return;
    }
    warnings.Unread(Subject::kGameTable, table.path, "the game table", table.loadResult != E_FAIL,
                    "no client can start");
    warnings.IncompleteRead(Subject::kGameTable, table.path, table.loadResult);

    std::map<std::int32_t, std::vector<const EntryFacts*>> byKind;
    for (const SectionFacts& section : table.sections) {
        for (const EntryFacts& entry : section.entries) {
            EntryWarnings(table.path, entry, warnings);
            if (KeyIsNumber(entry.verdict)) {
                byKind[entry.keyKind].push_back(&entry);
            }
        }
    }
    for (const auto& [kind, entries] : byKind) {
        if (entries.size() < 2) {
            continue;
        }
        std::string lines;
        for (const EntryFacts* entry : entries) {
            lines += (lines.empty() ? "" : ", ") + std::to_string(entry->line);
        }
        warnings.Add("duplicate_kind", Subject::kGameTable, table.path, entries[1]->line,
                     "kind " + std::to_string(kind) + " has " + std::to_string(entries.size()) +
                         " entries (lines " + lines + "): every one of them starts a client");
    }
}

}  // namespace

void AddFactWarnings(CheckFacts& facts) {
    Warnings warnings(facts);
    InstallationWarnings(facts, warnings);
    StationWarnings(facts, warnings);
    RecordWarnings(facts, warnings);
    GameTableWarnings(facts, warnings);
    std::stable_sort(facts.warnings.begin(), facts.warnings.end(),
                     [](const Warning& a, const Warning& b) {
                         if (a.subject != b.subject) {
                             return a.subject < b.subject;
                         }
                         return a.line < b.line;
                     });
}

}  // namespace check
