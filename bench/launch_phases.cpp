// Times one launcher run phase by phase from inside the process, linked as
// the launcher is and run from an installation as the launcher is. The
// phases are the calls the hall singleton and the entry make, one by one:
//
//   folder   the installation folder, from the executable's path
//   station  StationID.ini read, the station chosen
//   site     the site file loaded into the site information
//   record   the record's name and header
//   load     the game table loaded
//   judge    its entries judged
//   spawn    the clients started
//
// and the pages each took (faulted in or mapped on request). With --floor it
// only starts the client as the floor does: the same program's start-up and
// end, without the launcher's work.
//
//   launch_phases <record>
//   launch_phases --floor <client> <record>
//
// Prints key=value on one line, ending with end_ns, the clock when main is
// done. With RECLAUNCH_SPAWNED_AT_NS in the environment (bench/timeline sets
// it to the clock at the spawn) it begins with start_us, the time from the
// spawn to main.
#include <sys/resource.h>
#include <time.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/floor_spawn.h"
#include "common/limits.h"
#include "hall/site_info.h"
#include "hall/station.h"
#include "hall/work_dir.h"
#include "ini/ini_file_parse.h"
#include "launcher/game_table.h"
#include "launcher/launch_game.h"
#include "launcher/record_header.h"
#include "platform/app.h"
#include "platform/memory.h"
#include "platform/os.h"

namespace {

platform::CWinApp theApp;

struct Mark {
    long long ns;  // CLOCK_MONOTONIC, as bench/timeline reads it
    long pages;
};

Mark Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {now.tv_sec * 1000000000LL + now.tv_nsec, usage.ru_minflt + usage.ru_majflt};
}

void Print(const char* phase, const Mark& from, const Mark& to) {
    std::printf("%s_us=%.1f %s_pages=%ld ", phase, static_cast<double>(to.ns - from.ns) / 1e3,
                phase, to.pages - from.pages);
}

enum Phase { kFolder, kStation, kSite, kRecord, kLoad, kJudge, kSpawn, kPhases };
constexpr const char* kPhaseNames[kPhases] = {"folder", "station", "site", "record",
                                              "load",   "judge",   "spawn"};

// The launcher's run, as the hall singleton and the entry make it (the
// singleton's own steps called one by one); marks[p]
// is taken when phase p is done. False when the record can't be read.
bool RunLikeTheLauncher(const char* recordArgument, Mark* marks) {
    char folder[reclaunch::kMaxPath];
    const char* workDir = FindOwnWorkDir(folder, nullptr);
    marks[kFolder] = Now();
    const StationChoice choice = SelectStation(workDir);
    marks[kStation] = Now();
    CSiteInfo site;
    site.Load(choice.siteFile, choice.station);
    marks[kSite] = Now();
    char again[reclaunch::kMaxPath];
    FindOwnWorkDir(again, nullptr);  // the entry asks the hall once more
    const std::string record =
        platform::ArgumentPathInAnsi(1, recordArgument, reclaunch::kMaxRecordPath);
    std::int32_t kind = 0;
    if (!ReadRecordKind(record.c_str(), &kind)) {
        return false;
    }
    marks[kRecord] = Now();
    char tablePath[reclaunch::kMaxPath] = {};
    CIniFileParse table;
    if (!FormatGameTablePath(workDir, tablePath, nullptr) || table.LoadFile(tablePath) == E_FAIL) {
        return false;
    }
    marks[kLoad] = Now();
    const std::vector<GameTableEntry> entries = JudgeGameTable(table, kind, record.c_str());
    marks[kJudge] = Now();
    for (const GameTableEntry& entry : entries) {
        if (entry.verdict == EntryVerdict::kStart) {
            StartClient(entry.commandLine);
        }
    }
    marks[kSpawn] = Now();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const Mark entered = Now();
    const bool floor = argc == 4 && std::strcmp(argv[1], "--floor") == 0;
    if (argc != 2 && !floor) {
        return 2;
    }
    platform::ReuseFreedMemory();
    Mark marks[kPhases];
    for (Mark& mark : marks) {
        mark = entered;
    }
    if (floor) {
        FloorSpawn(argc - 1, argv + 1);
        marks[kSpawn] = Now();
    } else if (!RunLikeTheLauncher(argv[1], marks)) {
        return 1;
    }
    if (const char* spawned = std::getenv("RECLAUNCH_SPAWNED_AT_NS")) {
        std::printf("start_us=%.1f ", static_cast<double>(entered.ns - std::atoll(spawned)) / 1e3);
    }
    for (int p = floor ? kSpawn : kFolder; p < kPhases; ++p) {
        Print(kPhaseNames[p], p == 0 ? entered : marks[p - 1], marks[p]);
    }
    std::printf("end_ns=%lld\n", marks[kSpawn].ns);
    return 0;
}
