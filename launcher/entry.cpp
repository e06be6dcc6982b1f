#include "launcher/entry.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "common/limits.h"
#include "hall/hall_singleton.h"
#include "launcher/failure_entry.h"
#include "launcher/game_table.h"
#include "launcher/launch_game.h"
#include "launcher/log_switch.h"
#include "launcher/record_header.h"
#include "platform/os.h"
#include "platform/system_log.h"

namespace {

// The start-up messages, GBK-encoded: "错误: GetModuleHandle 失败" and
// "错误: MFC 初始化失败".
constexpr const char kNoModuleHandleMessage[] =
    "\xB4\xED\xCE\xF3: GetModuleHandle \xCA\xA7\xB0\xDC";
constexpr const char kFrameworkFailedMessage[] =
    "\xB4\xED\xCE\xF3: MFC \xB3\xF5\xCA\xBC\xBB\xAF\xCA\xA7\xB0\xDC";

void* PlatformModuleHandle() {
    return platform::OwnModuleHandle();
}
const char* PlatformCommandLine() {
    return platform::OwnCommandLine();
}
bool PlatformInitFramework(void* module, const char* commandLine, int showCode) {
    return platform::InitFramework(module, commandLine, showCode);
}

// Where the game table would be, for a launch that stopped before reading it.
std::string GameTablePath(const char* workDir) {
    char path[reclaunch::kMaxPath] = {};
    return FormatGameTablePath(workDir, path) ? path : "";
}

void OpenRecord(const char* recordPath) {
    CHallSingleton& hall = CHallSingleton::GetInstance();
    hall.InitWorkDir();
    if (recordPath == nullptr) {
        return;  // no record named: nothing to open
    }
    // Argument 1 as the run-time gave it, unless a name the ANSI code page
    // can't hold or one too long is better named by the file's short name.
    const std::string record =
        platform::ArgumentPathInAnsi(1, recordPath, reclaunch::kMaxRecordPath);
    std::int32_t kind = 0;
    platform::OpenError why = platform::OpenError::kNone;
    // Only a launch that failed asks whether to tell of it, and reads nothing
    // else unless told to.
    if (!ReadRecordKind(record.c_str(), &kind, &why)) {
        if (FailureLogOn(hall.m_strWorkDir)) {
            platform::WriteSystemLog(FailureLogEntry(
                {record, std::nullopt, GameTablePath(hall.m_strWorkDir), RecordFailure(why)},
                hall.m_strWorkDir));
        }
        return;
    }
    // Handed on by its short name where the name that fits the keyword text
    // still makes a client's command line too long.
    const LaunchOutcome outcome = LaunchGameByKind(
        kind, record.c_str(), [recordPath](std::size_t maxLength, platform::PathNaming* naming) {
            return platform::ArgumentPathInAnsi(1, recordPath, maxLength, naming);
        });
    auto failure = FindLaunchFailure(outcome.plan, kind, hall.m_strWorkDir, outcome.tally);
    if (failure && FailureLogOn(hall.m_strWorkDir)) {
        platform::WriteSystemLog(FailureLogEntry(
            {record, kind, outcome.plan.tablePath, std::move(*failure)}, hall.m_strWorkDir));
    }
}

}  // namespace

void PrintStartupMessage(const char* message) {
    std::printf("%s\n", message);
}

StartupServices PlatformStartupServices() {
    return {PlatformModuleHandle, PlatformCommandLine, PlatformInitFramework, PrintStartupMessage};
}

int RunLauncher(int argc, char** argv, const StartupServices& services) {
    void* module = services.getModuleHandle();
    if (module == nullptr) {
        services.reportFailure(kNoModuleHandleMessage);
        return 1;
    }
    if (!services.initFramework(module, services.getCommandLine(), 0)) {
        services.reportFailure(kFrameworkFailedMessage);
        return 1;
    }
    try {
        // Only the first argument counts; further ones are ignored.
        OpenRecord(argc > 1 ? argv[1] : nullptr);
    } catch (const std::exception&) {
        // Only exhaustion of memory gets here. The launcher stays silent and
        // ends as for any record it could not open; clients already started
        // run on.
    }
    return 0;
}
