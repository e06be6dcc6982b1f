// Times the phases of one launcher run from inside the process, linked as the
// launcher is and run from an installation as the launcher is:
//
//   hall     the hall singleton: installation folder, station, site file
//   record   the record's name and header
//   table    the game table loaded and judged, the launch planned
//   spawn    the clients started
//
// and the pages each took (faulted in or mapped on request). What a run costs
// before main and after it, bench/launch tells from its ladder.
//
//   launch_phases <record>      prints key=value on one line
#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/limits.h"
#include "hall/hall_singleton.h"
#include "launcher/launch_game.h"
#include "launcher/launch_plan.h"
#include "launcher/record_header.h"
#include "platform/app.h"
#include "platform/memory.h"
#include "platform/os.h"

namespace {

platform::CWinApp theApp;

struct Mark {
    std::chrono::steady_clock::time_point time;
    long pages;
};

Mark Now() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {std::chrono::steady_clock::now(), usage.ru_minflt + usage.ru_majflt};
}

void Print(const char* phase, const Mark& from, const Mark& to) {
    const std::chrono::duration<double, std::micro> took = to.time - from.time;
    std::printf("%s_us=%.1f %s_pages=%ld ", phase, took.count(), phase, to.pages - from.pages);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    platform::ReuseFreedMemory();
    const Mark start = Now();
    CHallSingleton& hall = CHallSingleton::GetInstance();
    const Mark hallDone = Now();
    hall.InitWorkDir();
    const std::string record = platform::ArgumentPathInAnsi(1, argv[1], reclaunch::kMaxRecordPath);
    std::int32_t kind = 0;
    if (!ReadRecordKind(record.c_str(), &kind)) {
        return 1;
    }
    const Mark recordDone = Now();
    const LaunchPlan plan = PlanLaunch(kind, record.c_str(), hall.m_strWorkDir, nullptr, nullptr);
    const Mark tableDone = Now();
    for (const GameTableEntry& entry : plan.entries) {
        if (entry.verdict == EntryVerdict::kStart) {
            StartClient(entry.commandLine);
        }
    }
    const Mark spawnDone = Now();
    Print("hall", start, hallDone);
    Print("record", hallDone, recordDone);
    Print("table", recordDone, tableDone);
    Print("spawn", tableDone, spawnDone);
    std::printf("\n");
    return 0;
}
