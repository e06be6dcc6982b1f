#include "launcher/launch_plan.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "common/limits.h"

namespace {

// The longest record name that gives every entry too long with `recordPath`
// a command line that fits: '"<client>" KelvoFile "<record>"' in 259 bytes.
// 0 when there is no such entry, or no name could fit.
std::size_t RoomForRecord(const std::vector<GameTableEntry>& entries) {
    constexpr std::size_t kFixed = sizeof("\"\" KelvoFile \"\"") - 1;
    std::size_t room = 0;
    bool tooLong = false;
    for (const GameTableEntry& entry : entries) {
        if (entry.verdict != EntryVerdict::kCommandLineTooLong) {
            continue;
        }
        const std::size_t used = kFixed + std::strlen(entry.value);
        const std::size_t left =
            used < reclaunch::kMaxPath - 1 ? reclaunch::kMaxPath - 1 - used : 0;
        room = tooLong ? std::min(room, left) : left;
        tooLong = true;
    }
    return room;
}

// Finds the program of every entry that would start, as the start finds it:
// below the launcher's folder, the installation, for a name without a root.
// A batch file runs through the command interpreter, which reads the
// command line once more; where it would read another program or another
// record path there, the entry starts nothing.
void FindPrograms(std::vector<GameTableEntry>& entries, const char* installDir) {
    for (GameTableEntry& entry : entries) {
        if (entry.verdict != EntryVerdict::kStart) {
            continue;
        }
        entry.program = std::make_unique<platform::ProgramCheck>(
            platform::CheckProgram(entry.commandLine.c_str(), installDir));
        if (entry.program->kind != platform::ProgramCheck::Kind::kBatch) {
            continue;
        }
        if (entry.program->searched) {
            entry.verdict = EntryVerdict::kBatchNameWithoutRoot;
        } else if (entry.commandLine.find('%') != std::string::npos) {
            entry.verdict = EntryVerdict::kBatchPercentInCommandLine;
        }
    }
}

}  // namespace

LaunchPlan PlanLaunch(std::int32_t kind, const char* recordPath, const char* installDir,
                      IniLoadObserver* observer, const RecordNamer& renameRecord) {
    LaunchPlan plan;
    plan.recordPath = recordPath;
    char tablePath[reclaunch::kMaxPath] = {};
    if (!FormatGameTablePath(installDir, tablePath, &plan.tableByShortName)) {
        return plan;  // a cut path would name another file
    }
    plan.tablePath = tablePath;
    plan.loadResult = plan.table->LoadFile(tablePath, observer);
    // After a read error or at the ceiling, what was read still counts.
    if (plan.loadResult == E_FAIL) {
        return plan;
    }
    plan.entries = JudgeGameTable(*plan.table, kind, recordPath);
    const std::size_t room = RoomForRecord(plan.entries);
    if (room != 0 && renameRecord) {
        platform::PathNaming naming;
        const std::string shorter = renameRecord(room, &naming);
        if (naming.name == platform::PathNaming::Name::kShortName && shorter.size() <= room) {
            plan.recordPath = shorter;
            plan.recordShortForCommandLine = true;
            plan.recordNaming = naming;
            plan.entries = JudgeGameTable(*plan.table, kind, plan.recordPath.c_str());
        }
    }
    FindPrograms(plan.entries, installDir);
    return plan;
}
