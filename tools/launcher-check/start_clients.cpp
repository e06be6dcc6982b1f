#include "tools/launcher-check/start_clients.h"

#include <cstring>

#include "common/limits.h"
#include "launcher/launch_game.h"

namespace check {

void StartClients(CheckFacts& facts) {
    facts.ran = true;
    for (SectionFacts& section : facts.gameTable.sections) {
        for (EntryFacts& entry : section.entries) {
            if (entry.verdict != EntryVerdict::kStart) {
                continue;
            }
            // The start may write into the line, as CreateProcessA may: a
            // zero-filled buffer of the launcher's size, as the launcher's.
            char commandLine[reclaunch::kMaxPath] = {};
            std::memcpy(commandLine, entry.commandLine.c_str(), entry.commandLine.size());
            entry.started = StartClient(commandLine);
        }
    }
}

}  // namespace check
