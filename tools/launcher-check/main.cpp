// launcher-check: explains what the launcher would do with a game record in
// an installation, and why, using the launcher's own code.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "launcher/launch_game.h"
#include "tools/launcher-check/facts.h"
#include "tools/launcher-check/reports.h"

namespace {

constexpr const char kDescription[] =
    "Explains what the launcher would do with a game record: the installation, station and\n"
    "site file it reads, the record's game kind, each game-table entry it considers and\n"
    "why it is used or skipped, and the command line of each client it would start.\n"
    "Starts nothing unless --run is given.\n";

constexpr const char kFooter[] =
    "Exit codes: 0 a client would start (with --run: did start), 1 none would, 2 usage error.";

struct Options {
    std::string record;                     // the record, as the launcher would be given it
    std::optional<std::string> installDir;  // another installation than our own
    bool json = false;
    bool run = false;
};

// Reads the arguments into `options`. Returns the exit code to end with when
// there is nothing to check (0 after --help, 2 after a message on standard
// error), or nothing to go on.
std::optional<int> ParseOptions(int argc, char** argv, Options& options) {
    CLI::App app(kDescription, "launcher-check");
    app.footer(kFooter);
    app.add_option("RECORD", options.record, "the game record file, as the launcher is given it")
        ->required();
    app.add_option("--install", options.installDir,
                   "check the installation in DIR instead of the one this program stands in")
        ->type_name("DIR");
    app.add_flag("--json", options.json, "write the facts as one JSON document");
    app.add_flag("--run", options.run,
                 "start the clients the launcher would start, as the launcher starts them");
    app.set_version_flag("--version", "launcher-check " RECLAUNCH_VERSION,
                         "print the version and exit");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::fputs(app.help().c_str(), stdout);
        return 0;
    } catch (const CLI::CallForVersion& version) {
        std::printf("%s\n", version.what());
        return 0;
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "launcher-check: %s\nRun with --help for more information.\n",
                     error.what());
        return 2;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        Options options;
        if (const auto exitCode = ParseOptions(argc, argv, options)) {
            return *exitCode;
        }
        check::RecordFacts record;
        record.path = options.record;
        // Its place among the arguments, so that its name can be read as Windows holds it.
        for (int i = argc - 1; i > 0 && record.argument < 0; --i) {
            record.argument = record.path == argv[i] ? i : -1;
        }
        check::CheckFacts facts = check::GatherFacts(std::move(record), options.installDir);
        if (options.run) {
            // In start order, each with the launcher's command line, and the
            // program the report names, as the launcher starts them: with
            // --install, this program's own folder is not the launcher's.
            facts.ran = true;
            for (check::ClientLaunch& launch : facts.launches) {
                const std::string& program = launch.program.path;
                launch.started =
                    StartClient(facts.plan.entries[launch.entry].commandLine, program.c_str());
                if (!*launch.started) {
                    launch.failure = platform::LastStartFailure();
                }
            }
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
