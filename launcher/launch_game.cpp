#include "launcher/launch_game.h"

#include <array>
#include <cstring>
#include <vector>

#include "common/result_codes.h"
#include "hall/hall_singleton.h"
#include "ini/ini_file_parse.h"
#include "launcher/game_table.h"
#include "platform/os.h"

namespace {

using CommandLine = std::array<char, reclaunch::kMaxPath>;

// Every matching entry's command line, in file order; nothing is started.
std::vector<CommandLine> FindClientCommandLines(std::int32_t kind, const char* recordPath) {
    std::vector<CommandLine> found;
    char tablePath[reclaunch::kMaxPath] = {};
    if (!FormatGameTablePath(CHallSingleton::GetInstance().m_strWorkDir, tablePath)) {
        return found;  // a cut path would name another file
    }
    CIniFileParse table;
    if (table.LoadFile(tablePath) == E_FAIL) {
        return found;
    }
    ForEachGameTableEntry(table, kind, recordPath, [&found](const GameTableEntry& entry) {
        if (entry.verdict == EntryVerdict::kStart) {
            CommandLine& line = found.emplace_back();
            std::memcpy(line.data(), entry.commandLine, std::strlen(entry.commandLine) + 1);
        }
    });
    return found;
}

}  // namespace

bool StartClient(char* commandLine) {
    return platform::StartProcess(commandLine, "./");
}

void LaunchGameByKind(std::int32_t kind, const char* recordPath) {
    for (CommandLine& commandLine : FindClientCommandLines(kind, recordPath)) {
        // A client that fails to start is passed over; the next one still starts.
        StartClient(commandLine.data());
    }
}
