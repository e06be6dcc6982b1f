#include "launcher/launch_game.h"

#include <algorithm>
#include <cstring>

#include "common/limits.h"
#include "hall/hall_singleton.h"
#include "launcher/launch_plan.h"
#include "platform/os.h"

bool StartClient(const std::string& commandLine, const char* program) {
    char buffer[reclaunch::kMaxPath] = {};
    std::memcpy(buffer, commandLine.c_str(), std::min(commandLine.size(), sizeof buffer - 1));
    return platform::StartProcess(buffer, "./", program);
}

void LaunchGameByKind(std::int32_t kind, const char* recordPath, const RecordNamer& renameRecord) {
    const LaunchPlan plan = PlanLaunch(kind, recordPath, CHallSingleton::GetInstance().m_strWorkDir,
                                       nullptr, renameRecord);
    for (const GameTableEntry& entry : plan.entries) {
        // A client that is not found, or fails to start, is passed over; the
        // next one still starts.
        if (entry.verdict == EntryVerdict::kStart && !entry.program.path.empty()) {
            StartClient(entry.commandLine, entry.program.path.c_str());
        }
    }
}
