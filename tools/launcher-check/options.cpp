#include "tools/launcher-check/options.h"

#include <CLI/CLI.hpp>
#include <cstdio>

namespace check {
namespace {

constexpr const char kDescription[] =
    "Explains what the launcher would do with a game record: the installation, station and\n"
    "site file it reads, the record's game kind, each game-table entry it considers and\n"
    "why it is used or skipped, and the command line of each client it would start.\n"
    "Starts nothing unless --run is given.\n";

constexpr const char kFooter[] =
    "Exit codes: 0 a client would start (with --run: did start), 1 none would, 2 usage error.";

}  // namespace

std::optional<int> ParseOptions(int argc, char** argv, CheckOptions* options) {
    CLI::App app(kDescription, "launcher-check");
    app.footer(kFooter);
    app.add_option("RECORD", options->record, "the game record file, as the launcher is given it")
        ->required();
    std::string installDir;
    CLI::Option* install =
        app.add_option("--install", installDir,
                       "check the installation in DIR instead of the one this program stands in");
    install->type_name("DIR");
    app.add_flag("--json", options->json, "write the facts as one JSON document");
    app.add_flag("--run", options->run,
                 "start the clients the launcher would start, as the launcher starts them");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::fputs(app.help().c_str(), stdout);
        return 0;
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "launcher-check: %s\nRun with --help for more information.\n",
                     error.what());
        return kUsageError;
    }
    if (install->count() > 0) {
        options->installDir = installDir;
    }
    // The record's argument, so that its name can be read as Windows holds it.
    for (int i = argc - 1; i > 0; --i) {
        if (options->record == argv[i]) {
            options->recordIndex = i;
            break;
        }
    }
    return std::nullopt;
}

}  // namespace check
