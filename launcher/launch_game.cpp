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

LaunchOutcome LaunchGameByKind(std::int32_t kind, const char* recordPath,
                               const RecordNamer& renameRecord) {
    LaunchOutcome outcome{PlanLaunch(kind, recordPath, CHallSingleton::GetInstance().m_strWorkDir,
                                     nullptr, renameRecord),
                          {}};
    const std::vector<GameTableEntry>& entries = outcome.plan.entries;
    StartTally& tally = outcome.tally;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].verdict != EntryVerdict::kStart) {
            continue;
        }
        // The program the plan found ("" for none, which starts nothing). A
        // client that fails to start is passed over; the next one still starts.
        if (StartClient(entries[i].commandLine, entries[i].program->path.c_str())) {
            ++tally.started;
        } else if (tally.firstFailed < 0) {
            tally.firstFailed = static_cast<std::ptrdiff_t>(i);
            tally.failure = platform::LastStartFailure();
        }
    }
    return outcome;
}
