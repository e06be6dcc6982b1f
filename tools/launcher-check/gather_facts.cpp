#include "tools/launcher-check/gather_facts.h"

#include <algorithm>

#include "common/limits.h"
#include "hall/station.h"
#include "hall/work_dir.h"
#include "ini/ini_file_parse.h"
#include "launcher/record_header.h"
#include "tools/launcher-check/config_scan.h"
#include "tools/launcher-check/fact_warnings.h"

namespace check {
namespace {

bool IsSeparator(char ch) {
    return ch == '\\' || ch == '/';
}

// The launcher's directory text carries no trailing separator (it comes from
// its own path), so one given with --install loses it too, unless nothing
// would be left.
InstallationFacts FindInstallation(const CheckOptions& options) {
    InstallationFacts found;
    if (options.installDir) {
        found.dir = *options.installDir;
        if (found.dir.size() > 1 && IsSeparator(found.dir.back())) {
            found.dir.pop_back();
        }
        found.source = InstallationSource::kOption;
        return found;
    }
    char buffer[reclaunch::kMaxPath] = {};
    WorkDirSource source = WorkDirSource::kExecutablePath;
    found.dir = FindOwnWorkDir(buffer, &source, &found.naming);
    found.source = source == WorkDirSource::kExecutablePath ? InstallationSource::kExecutablePath
                                                            : InstallationSource::kCommandLine;
    return found;
}

// The station and the site file, as the hall singleton chooses and loads them.
void GatherStationAndSite(CheckFacts& facts) {
    const StationChoice choice = SelectStation(facts.installation.dir.c_str());
    StationFacts& station = facts.station;
    station.file = choice.stationFile.str();
    station.fileResult = choice.stationFileResult;
    station.station = choice.station;
    station.chosenByEntry = choice.sectionIndex >= 0;
    station.sectionIndex = choice.sectionIndex;
    station.itemIndex = choice.itemIndex;
    station.sectionName = choice.sectionName.str();
    station.key = choice.key.str();
    station.value = choice.value.str();
    ConfigScan scan = ScanConfigFile(station.file, Subject::kStationFile, "stationid");
    station.line = scan.ItemLine(choice.sectionIndex, choice.itemIndex);
    facts.warnings.insert(facts.warnings.end(), scan.warnings.begin(), scan.warnings.end());

    facts.site.file = choice.siteFile.str();
    facts.site.info.Load(choice.siteFile, choice.station);
    facts.site.loaded = facts.site.info.m_bLoaded;
    scan = ScanConfigFile(facts.site.file, Subject::kSiteFile, "siteinfo");
    facts.warnings.insert(facts.warnings.end(), scan.warnings.begin(), scan.warnings.end());
}

void GatherRecord(const CheckOptions& options, RecordFacts& record) {
    record.path = options.record;
    record.openedAs = platform::ArgumentPathInAnsi(options.recordIndex, record.path.c_str(),
                                                   reclaunch::kMaxRecordPath, &record.naming);
    unsigned char header[4] = {0, 0, 0, 0};
    std::uint32_t count = 0;
    record.opened = ReadRecordHeader(record.openedAs.c_str(), header, &count);
    if (record.opened) {
        record.header.assign(header, header + count);
        record.kind = DecodeRecordKind(header, count);
    }
}

std::vector<SectionFacts> DescribeSections(const CIniFileParse& table, const ConfigScan& scan) {
    std::vector<SectionFacts> sections;
    for (std::ptrdiff_t s = 0; s < table.m_arrSections.GetSize(); ++s) {
        const CIniSection& section = table.m_arrSections[s];
        SectionFacts facts;
        facts.index = s;
        facts.line = scan.HeaderLine(s);
        facts.name = section.m_szName;
        facts.searched = IsGameKindSection(section.m_szName);
        facts.itemCount = static_cast<std::size_t>(section.m_arrItems.GetSize());
        sections.push_back(std::move(facts));
    }
    return sections;
}

// Every entry of every gamekindid section, judged by the launcher's lookup.
void GatherGameTable(CheckFacts& facts) {
    GameTableFacts& table = facts.gameTable;
    char path[reclaunch::kMaxPath] = {};
    if (FormatGameTablePath(facts.installation.dir.c_str(), path)) {
        table.path = path;
    }
    const ConfigScan scan = ScanConfigFile(table.path, Subject::kGameTable, "gamekindid");
    facts.warnings.insert(facts.warnings.end(), scan.warnings.begin(), scan.warnings.end());
    // The launcher goes no further for a record it can't open or a table
    // path that doesn't fit.
    if (!facts.record.opened || table.path.empty()) {
        return;
    }
    table.consulted = true;
    CIniFileParse document;
    table.loadResult = document.LoadFile(table.path.c_str());
    if (table.loadResult == E_FAIL) {
        return;
    }
    table.sections = DescribeSections(document, scan);
    const std::string& launcherDir = facts.installation.dir;
    ForEachGameTableEntry(
        document, facts.record.kind, facts.record.openedAs.c_str(),
        [&table, &scan, &launcherDir](const GameTableEntry& found) {
            EntryFacts entry;
            entry.itemIndex = found.itemIndex;
            entry.line = scan.ItemLine(found.sectionIndex, found.itemIndex);
            entry.key = found.key;
            entry.value = found.value;
            entry.verdict = found.verdict;
            entry.keyKind = found.keyKind;
            if (found.verdict == EntryVerdict::kStart) {
                entry.commandLine = found.commandLine;
                entry.program = platform::CheckProgram(found.commandLine, launcherDir.c_str());
            }
            table.sections[static_cast<std::size_t>(found.sectionIndex)].entries.push_back(
                std::move(entry));
        });
}

}  // namespace

CheckFacts GatherFacts(const CheckOptions& options) {
    CheckFacts facts;
    facts.installation = FindInstallation(options);
    // In the launcher's order: the hall's configuration, the record, the table.
    GatherStationAndSite(facts);
    GatherRecord(options, facts.record);
    GatherGameTable(facts);
    AddFactWarnings(facts);
    return facts;
}

}  // namespace check
