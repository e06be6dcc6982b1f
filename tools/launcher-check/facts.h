// Everything launcher-check finds out about one record in one installation:
// what the launcher's own code gives (the station choice, the site record,
// the launch plan) and what the tool adds (lines, programs, warnings).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hall/site_info.h"
#include "hall/station.h"
#include "launcher/launch_failure.h"
#include "launcher/launch_plan.h"
#include "platform/os.h"
#include "tools/launcher-check/config_lines.h"

namespace check {

enum class InstallationSource { kExecutablePath, kCommandLine, kOption };

struct RecordFacts {
    std::string path;             // as given, like the launcher's first argument
    int argument = -1;            // its place among this program's arguments
    std::string openedAs;         // the name the launcher opens and hands on
    platform::PathNaming naming;  // why that is not `path`, where it isn't
    // The file the header is read from: `openedAs`, or on POSIX, where no
    // file has that name as it stands, the one it names with each '\' read
    // as a folder separator.
    std::string readFrom;
    bool opened = false;
    platform::OpenError openError = platform::OpenError::kNone;  // why not
    std::vector<unsigned char> header;                           // the bytes present, at most four
    std::int32_t kind = 0;                                       // valid when opened
};

// One client the launcher would start: a kStart entry of the plan.
struct ClientLaunch {
    std::size_t entry = 0;  // index into the plan's entries
    platform::ProgramCheck program;
    std::optional<bool> started;     // after --run
    platform::StartFailure failure;  // after a start that failed
};

struct CheckFacts {
    std::string installDir;  // as the launcher would hold it; "" for none
    std::string runFolder;   // the current folder, where clients start and relative names lie
    InstallationSource installSource = InstallationSource::kExecutablePath;
    platform::PathNaming installNaming;  // how this program's own path was named
    bool failuresLogged = false;         // the installation's failure log is on

    StationChoice station;
    ConfigLines stationLines{Subject::kStationFile, "stationid"};
    CSiteInfo site;
    ConfigLines siteLines{Subject::kSiteFile, "siteinfo"};

    RecordFacts record;

    // The launcher reads the game table only for a record that opened and a
    // table path that fits; the plan tells of a launch only then.
    bool tableConsulted = false;
    LaunchPlan plan;
    ConfigLines tableLines{Subject::kGameTable, "gamekindid"};
    std::vector<ClientLaunch> launches;  // in start order
    bool ran = false;                    // the clients were started (--run)

    std::vector<Warning> warnings;
};

// Goes the launcher's way with the launcher's code for `record` (its path
// and place among this program's arguments) in the installation at
// `installDir`, or else in the one this program stands in: the installation,
// the station and its site file, the record's game kind, then the launch
// plan. Starts nothing.
CheckFacts GatherFacts(RecordFacts record, const std::optional<std::string>& installDir);

// Adds the warnings that follow from the facts (files that don't open, keys
// that don't read as meant, kinds listed twice) to the traps the reader met,
// and orders them all as the launcher meets their causes, then by line.
void AddFactWarnings(CheckFacts& facts);

// The header bytes in hex, two digits a byte, `separator` between.
std::string HeaderHex(const RecordFacts& record, const char* separator);
// The line of a game-table entry; 0 when unknown.
int EntryLine(const CheckFacts& facts, const GameTableEntry& entry);
// The launch of the plan's entry `entry`, or null for an entry that starts nothing.
const ClientLaunch* LaunchOf(const CheckFacts& facts, std::size_t entry);
// The clients that would start (runnable), or after --run did start.
int ClientsStarting(const CheckFacts& facts);
// 0 when a client would start (or did), 1 when none.
int ExitCodeFor(const CheckFacts& facts);
// Why no client would start (or did), or fewer than the table lists: what
// the launcher's failure log would say. A program the check finds missing or
// unable to run counts as a start that fails.
std::optional<LaunchFailure> LaunchFailureOf(const CheckFacts& facts);
// True when a configuration path is built on the installation folder's short
// name, since on its long name it would not fit.
bool ConfigByShortName(const CheckFacts& facts);

}  // namespace check
