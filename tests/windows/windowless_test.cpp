// The windowless launcher, which the desktop runs, against the console one:
// the same clients with the same command lines, the same silence and exit
// codes, on the cases that make up a double-click.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/installation.h"

namespace {

using e2e::Installation;
using e2e::KindBytes;

struct Opened {
    int exitCode;
    std::string output;
    std::vector<std::string> commandLines;  // sorted; the installation's root as "<root>"
};

// Opens the record named by `recordArg` ("" for no argument) in a fresh
// installation of `program` whose table starts two clients for kind 122.
Opened OpenWith(const std::string& program, const std::string& recordArg, std::size_t expected) {
    Installation inst("game folder", program);
    const std::string first = inst.AddClient("game clients\\poker client");
    const std::string second = inst.AddClient("game clients\\watcher");
    inst.WriteConfig("GameKindID.ini",
                     "[gamekindid]\r\n122=" + first + "\r\n310=x\r\n122=" + second + "\r\n");
    inst.WriteRecord("my records\\table 1.rec", KindBytes(122));
    inst.WriteRecord("my records\\other.rec", KindBytes(310));
    const std::string launchDir = inst.root() + "\\launch dir";
    std::filesystem::create_directories(launchDir);
    std::vector<std::string> args;
    if (!recordArg.empty()) {
        args.push_back(inst.root() + "\\" + recordArg);
    }
    const e2e::LaunchResult launched = inst.Launch(args, expected, launchDir);
    Opened run{launched.process.exitCode, launched.process.output, {}};
    for (const e2e::ClientReport& client : launched.clients) {
        std::string line = client.commandLine;
        for (std::size_t at = line.find(inst.root()); at != std::string::npos;
             at = line.find(inst.root())) {
            line.replace(at, inst.root().size(), "<root>");
        }
        run.commandLines.push_back(line);
    }
    // Reports come back in no particular order.
    std::sort(run.commandLines.begin(), run.commandLines.end());
    return run;
}

TEST(WindowlessLauncher, OpensRecordsAsTheConsoleLauncherDoes) {
    struct Case {
        const char* record;
        std::vector<std::string> commandLines;
    };
    const std::string opened = " KelvoFile \"<root>\\my records\\table 1.rec\"";
    const Case cases[] = {
        {"my records\\table 1.rec",
         {"\"<root>\\game clients\\poker client.exe\"" + opened,
          "\"<root>\\game clients\\watcher.exe\"" + opened}},
        {"my records\\other.rec", {}},  // kind 310's client does not exist
        {"my records\\missing.rec", {}},
        {"my records", {}},  // a folder is no record
        {"", {}},            // no argument
    };
    for (const Case& c : cases) {
        for (const char* program : {"launcher", "launcherw"}) {
            SCOPED_TRACE(std::string(program) + " [" + c.record + "]");
            const Opened run = OpenWith(program, c.record, c.commandLines.size());
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.output, "");
            EXPECT_EQ(run.commandLines, c.commandLines);
        }
    }
}

}  // namespace
