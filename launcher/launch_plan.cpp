#include "launcher/launch_plan.h"

#include "common/limits.h"

LaunchPlan PlanLaunch(std::int32_t kind, const char* recordPath, const char* installDir,
                      IniLoadObserver* observer) {
    LaunchPlan plan;
    char tablePath[reclaunch::kMaxPath] = {};
    if (!FormatGameTablePath(installDir, tablePath)) {
        return plan;  // a cut path would name another file
    }
    plan.tablePath = tablePath;
    plan.loadResult = plan.table->LoadFile(tablePath, observer);
    // After a read error or at the ceiling, what was read still counts.
    if (plan.loadResult != E_FAIL) {
        plan.entries = JudgeGameTable(*plan.table, kind, recordPath);
    }
    return plan;
}
