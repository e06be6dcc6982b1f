// launcher-check: explains what the launcher would do with a game record in
// an installation, and why, using the launcher's own code.
#include <cstdio>
#include <exception>
#include <string>

#include "launcher/launch_game.h"
#include "tools/launcher-check/gather_facts.h"
#include "tools/launcher-check/json_report.h"
#include "tools/launcher-check/options.h"
#include "tools/launcher-check/text_report.h"

namespace {

// --run: starts the clients in start order, each exactly as the launcher starts it.
void StartClients(check::CheckFacts& facts) {
    facts.ran = true;
    for (check::ClientLaunch& launch : facts.launches) {
        launch.started = StartClient(facts.plan.entries[launch.entry].commandLine);
    }
}

}  // namespace

int main(int argc, char** argv) {
    check::CheckOptions options;
    if (const auto exitCode = check::ParseOptions(argc, argv, &options)) {
        return *exitCode;
    }
    try {
        check::CheckFacts facts = check::GatherFacts(options);
        if (options.run) {
            StartClients(facts);
        }
        const std::string report =
            options.json ? check::JsonReport(facts) : check::TextReport(facts);
        std::fwrite(report.data(), 1, report.size(), stdout);
        return check::ExitCodeFor(facts);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "launcher-check: %s\n", error.what());
        return 1;
    }
}
