#include "tools/launcher-check/fact_warnings.h"

#include <algorithm>
#include <map>

#include "tools/launcher-check/enum_texts.h"

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

    // What the reader met in a file, and whether it could read it at all.
    void Read(Subject subject, const std::string& file, const char* name, HRESULT result,
              const char* consequence) {
        if (file.empty()) {
            Add("path_too_long", subject, file, 0,
                std::string("the installation directory is too long for ") + name +
                    ": the file is not read; " + consequence);
        } else if (result == E_FAIL) {
            Add("missing_file", subject, file, 0,
                std::string(name) +
                    " does not open (missing or held open for writing): the reader waits "
                    "100 ms for a second attempt; " +
                    consequence);
        } else if (const char* incomplete = TextOfLoad(result).incomplete) {
            Add("incomplete_read", subject, file, 0, incomplete);
        }
    }

private:
    CheckFacts& m_facts;
};

void Append(std::vector<Warning>& to, const std::vector<Warning>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

void StationWarnings(CheckFacts& facts, Warnings& warnings) {
    const StationChoice& station = facts.station;
    const std::string file = station.stationFile.str();
    Append(facts.warnings, facts.stationLines.Warnings(file));
    warnings.Read(Subject::kStationFile, file, "config\\StationID.ini", station.stationFileResult,
                  "station 1 is used");
    const std::string value = station.value.str();
    if (station.sectionIndex >= 0 && !StartsWithStationNumber(value)) {
        warnings.Add("station_not_number", Subject::kStationFile, file,
                     facts.stationLines.ItemLine(station.sectionIndex, station.itemIndex),
                     "the station '" + value + "' does not begin with a number: it is read as " +
                         std::to_string(station.station));
    }
    const std::string siteFile = station.siteFile.str();
    Append(facts.warnings, facts.siteLines.Warnings(siteFile));
    warnings.Read(Subject::kSiteFile, siteFile, "the site file",
                  facts.site.m_bLoaded ? S_OK : E_FAIL, "the site information keeps its defaults");
}

void RecordWarnings(CheckFacts& facts, Warnings& warnings) {
    const RecordFacts& record = facts.record;
    if (record.opened && record.header.size() < 4) {
        warnings.Add("record_short", Subject::kRecord, record.path, 0,
                     "the record has only " + std::to_string(record.header.size()) +
                         " of its 4 header bytes: the missing ones count as 0");
    }
}

void EntryWarnings(const CheckFacts& facts, const GameTableEntry& entry, Warnings& warnings) {
    const std::string& file = facts.plan.tablePath;
    const std::string key = entry.key;
    if (entry.verdict == EntryVerdict::kKeyNoDigit ||
        entry.verdict == EntryVerdict::kKeyOutOfRange) {
        warnings.Add(
            "key_not_number", Subject::kGameTable, file, EntryLine(facts, entry),
            "the key '" + key + "' " +
                (entry.verdict == EntryVerdict::kKeyNoDigit ? "is no number"
                                                            : "lies outside the 32-bit range") +
                ": the entry is never used");
    } else if (KeyIsNumber(entry.verdict) && !IsPlainNumber(key)) {
        warnings.Add("key_not_plain_number", Subject::kGameTable, file, EntryLine(facts, entry),
                     "the key '" + key + "' is read as " + std::to_string(entry.keyKind) +
                         ": reading stops at the first byte that is no digit");
    }
}

void GameTableWarnings(CheckFacts& facts, Warnings& warnings) {
    const LaunchPlan& plan = facts.plan;
    Append(facts.warnings, facts.tableLines.Warnings(plan.tablePath));
    if (plan.tablePath.empty()) {
        warnings.Read(Subject::kGameTable, plan.tablePath, "config\\GameKindID.ini", E_FAIL,
                      "no client can start");
        return;
    }
    if (!facts.tableConsulted) {
        return;
    }
    warnings.Read(Subject::kGameTable, plan.tablePath, "the game table", plan.loadResult,
                  "no client can start");

    std::map<std::int32_t, std::vector<const GameTableEntry*>> byKind;
    for (const GameTableEntry& entry : plan.entries) {
        EntryWarnings(facts, entry, warnings);
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
        warnings.Add("duplicate_kind", Subject::kGameTable, plan.tablePath,
                     EntryLine(facts, *entries[1]),
                     "kind " + std::to_string(kind) + " has " + std::to_string(entries.size()) +
                         " entries (lines " + lines + "): every one of them starts a client");
    }
}

}  // namespace

void AddFactWarnings(CheckFacts& facts) {
    Warnings warnings(facts);
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
