#include "tools/launcher-check/facts.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "common/limits.h"
#include "hall/work_dir.h"
#include "launcher/log_switch.h"
#include "launcher/record_header.h"

namespace check {
namespace {

// The launcher's directory text carries no trailing separator (it comes from
// its own path), so one given with --install loses it too, unless nothing
// would be left.
void FindInstallation(const std::optional<std::string>& installDir, CheckFacts& facts) {
    if (installDir) {
        std::string& dir = facts.installDir = *installDir;
        if (dir.size() > 1 && platform::ReadPathCharacters(dir.c_str(), platform::AnsiCodePage())
                                  .EndsWithSeparator()) {
            dir.pop_back();
        }
        facts.installSource = InstallationSource::kOption;
        return;
    }
    char buffer[reclaunch::kMaxPath] = {};
    WorkDirSource source = WorkDirSource::kExecutablePath;
    facts.installDir = FindOwnWorkDir(buffer, &source, &facts.installNaming);
    facts.installSource = source == WorkDirSource::kExecutablePath
                              ? InstallationSource::kExecutablePath
                              : InstallationSource::kCommandLine;
}

// Named, opened and read as the launcher does its first argument.
void ReadRecord(RecordFacts& record) {
    record.openedAs = platform::ArgumentPathInAnsi(record.argument, record.path.c_str(),
                                                   reclaunch::kMaxRecordPath, &record.naming);
    unsigned char header[4] = {0, 0, 0, 0};
    std::uint32_t count = 0;
    bool backslashAsSeparator = false;
    record.opened = ReadRecordHeader(record.openedAs.c_str(), header, &count, &record.openError,
                                     &backslashAsSeparator);
    record.readFrom = record.openedAs;
    if (backslashAsSeparator) {
        std::replace(record.readFrom.begin(), record.readFrom.end(), '\\', '/');
    }
    if (record.opened) {
        record.header.assign(header, header + count);
        record.kind = DecodeRecordKind(header, count);
    }
}

}  // namespace

CheckFacts GatherFacts(RecordFacts record, const std::optional<std::string>& installDir) {
    CheckFacts facts;
    FindInstallation(installDir, facts);
    facts.runFolder = platform::GetCurrentDir();
    const char* dir = facts.installDir.c_str();
    facts.failuresLogged = FailureLogOn(dir);

    // In the launcher's order: the hall's configuration, the record, the table.
    facts.station = SelectStation(dir, &facts.stationLines);
    facts.site.Load(facts.station.siteFile, facts.station.station, &facts.siteLines);
    facts.record = std::move(record);
    ReadRecord(facts.record);

    // The table is read for its traps even when the launcher would stop at
    // the record; the plan then tells of no launch.
    const RecordFacts& given = facts.record;
    facts.plan = PlanLaunch(given.kind, given.openedAs.c_str(), dir, &facts.tableLines,
                            [&given](std::size_t maxLength, platform::PathNaming* naming) {
                                return platform::ArgumentPathInAnsi(
                                    given.argument, given.path.c_str(), maxLength, naming);
                            });
    facts.tableConsulted = facts.record.opened && !facts.plan.tablePath.empty();
    for (std::size_t i = 0; facts.tableConsulted && i < facts.plan.entries.size(); ++i) {
        const GameTableEntry& entry = facts.plan.entries[i];
        if (entry.verdict == EntryVerdict::kStart) {
            facts.launches.push_back({i, *entry.program, {}, {}});
        }
    }
    AddFactWarnings(facts);
    return facts;
}

std::string HeaderHex(const RecordFacts& record, const char* separator) {
    std::string hex;
    for (const unsigned char byte : record.header) {
        char pair[3] = {};
        std::snprintf(pair, sizeof pair, "%02x", byte);
        hex += (hex.empty() ? "" : separator) + std::string(pair);
    }
    return hex;
}

int EntryLine(const CheckFacts& facts, const GameTableEntry& entry) {
    return facts.tableLines.Line(entry.sectionIndex, entry.itemIndex);
}

const ClientLaunch* LaunchOf(const CheckFacts& facts, std::size_t entry) {
    for (const ClientLaunch& launch : facts.launches) {
        if (launch.entry == entry) {
            return &launch;
        }
    }
    return nullptr;
}

int ClientsStarting(const CheckFacts& facts) {
    int count = 0;
    for (const ClientLaunch& launch : facts.launches) {
        count += (facts.ran ? launch.started.value_or(false)
                            : launch.program.status == platform::ProgramCheck::Status::kRunnable)
                     ? 1
                     : 0;
    }
    return count;
}

bool ConfigByShortName(const CheckFacts& facts) {
    return facts.station.stationFileByShortName || facts.station.siteFileByShortName ||
           facts.plan.tableByShortName;
}

int ExitCodeFor(const CheckFacts& facts) {
    return ClientsStarting(facts) > 0 ? 0 : 1;
}

std::optional<LaunchFailure> LaunchFailureOf(const CheckFacts& facts) {
    if (!facts.record.opened) {
        return RecordFailure(facts.record.openError);
    }
    StartTally tally;
    for (const ClientLaunch& launch : facts.launches) {
        const bool runnable = launch.program.status == platform::ProgramCheck::Status::kRunnable;
        if (facts.ran ? launch.started.value_or(false) : runnable) {
            ++tally.started;
        } else if (tally.firstFailed < 0) {
            tally.firstFailed = static_cast<std::ptrdiff_t>(launch.entry);
            tally.failure = facts.ran ? launch.failure
                                      : platform::StartFailure{launch.program.path.empty(), ""};
        }
    }
    return FindLaunchFailure(facts.plan, facts.record.kind, facts.installDir.c_str(), tally);
}

}  // namespace check
