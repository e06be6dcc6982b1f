#include "tools/launcher-check/gather_facts.h"

#include "common/limits.h"
#include "hall/work_dir.h"
#include "launcher/record_header.h"
#include "tools/launcher-check/fact_warnings.h"

namespace check {
namespace {

bool IsSeparator(char ch) {
    return ch == '\\' || ch == '/';
}

// The launcher's directory text carries no trailing separator (it comes from
// its own path), so one given with --install loses it too, unless nothing
// would be left.
void FindInstallation(const CheckOptions& options, CheckFacts& facts) {
    if (options.installDir) {
        facts.installDir = *options.installDir;
        if (facts.installDir.size() > 1 && IsSeparator(facts.installDir.back())) {
            facts.installDir.pop_back();
        }
        facts.installSource = InstallationSource::kOption;
        return;
    }
    char buffer[reclaunch::kMaxPath] = {};
    WorkDirSource source = WorkDirSource::kExecutablePath;
    facts.installDir = FindOwnWorkDir(buffer, &source);
    facts.installSource = source == WorkDirSource::kExecutablePath
                              ? InstallationSource::kExecutablePath
                              : InstallationSource::kCommandLine;
}

void GatherRecord(const CheckOptions& options, RecordFacts& record) {
    record.path = options.record;
    unsigned char header[4] = {0, 0, 0, 0};
    std::uint32_t count = 0;
    record.opened = ReadRecordHeader(record.path.c_str(), header, &count);
    if (record.opened) {
        record.header.assign(header, header + count);
        record.kind = DecodeRecordKind(header, count);
    }
}

}  // namespace

CheckFacts GatherFacts(const CheckOptions& options) {
    CheckFacts facts;
    FindInstallation(options, facts);
    const char* installDir = facts.installDir.c_str();

    // In the launcher's order: the hall's configuration, the record, the table.
    facts.station = SelectStation(installDir, &facts.stationLines);
    facts.site.Load(facts.station.siteFile, facts.station.station, &facts.siteLines);
    GatherRecord(options, facts.record);

    // The table is read for its traps even when the launcher would stop at
    // the record; the plan then tells about no launch.
    facts.plan =
        PlanLaunch(facts.record.kind, facts.record.path.c_str(), installDir, &facts.tableLines);
    facts.tableConsulted = facts.record.opened && !facts.plan.tablePath.empty();
    for (std::size_t i = 0; facts.tableConsulted && i < facts.plan.entries.size(); ++i) {
        const GameTableEntry& entry = facts.plan.entries[i];
        if (entry.verdict == EntryVerdict::kStart) {
            facts.launches.push_back(
                {i, platform::CheckProgram(entry.commandLine.c_str(), installDir), {}});
        }
    }
    AddFactWarnings(facts);
    return facts;
}

}  // namespace check
