// The failure log on Linux: the real launcher, given a system log of its own
// (tests/support/posix/log_catcher.cpp), leaves one entry for a launch that
// started nothing or too little, none otherwise, and whatever the log does,
// the launch ends as it would: exit code 0, nothing printed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/os.h"
#include "tests/e2e/check_tool.h"
#include "tests/e2e/installation.h"

namespace {

using e2e::Installation;
using e2e::KindBytes;

struct Caught {
    bool refused = false;  // no mount namespace for this user
    std::string why;
    long long exitCode = -1;
    long long elapsedUs = 0;
    long long output = 0;  // bytes the launcher wrote
    std::vector<std::string> entries;
};

// Runs the installation's launcher with `log`: "none", "empty" or "full".
// An empty `record` is no argument.
Caught RunWithLog(const Installation& inst, const char* log, const std::string& record) {
    std::vector<std::string> argv = {(e2e::BuildFolder() / "tests" / "log_catcher").string(), log,
                                     "--", inst.launcherPath()};
    if (!record.empty()) {
        argv.push_back(record);
    }
    const std::string command = platform::JoinCommandLine(argv);
    const testsupport::ProcessResult run = testsupport::RunAndWait(
        command, inst.workDir(), "RECLAUNCH_CLIENT_REPORTS=" + inst.reports(), 60000);
    Caught caught;
    caught.refused = run.exitCode == 77;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        const std::string name = line.substr(0, line.find('='));
        const std::string value = line.substr(name.size() + 1);
        if (name == "entry") {
            caught.entries.push_back(value);
        } else if (name == "error") {
            caught.why = value;
        }
        for (auto [field, number] : {std::pair{"exit", &caught.exitCode},
                                     {"elapsed_us", &caught.elapsedUs},
                                     {"output", &caught.output}}) {
            *number = name == field ? std::stoll(value) : *number;
        }
    }
    return caught;
}

// An installation whose station and site files are in place, so a launch
// waits for no second attempt, with the failure log switched by `settings`
// ("": no such file).
void Configure(const Installation& inst, const std::string& settings) {
    inst.WriteConfig("StationID.ini", "[stationid]\nstationid=1\n");
    inst.WriteConfig("siteinfo_1.ini", "[siteinfo]\n");
    if (!settings.empty()) {
        inst.WriteConfig("reclaunch.ini", settings);
    }
}

// A name's line break as the log shows it.
std::string Escaped(std::string text) {
    for (auto at = text.find('\n'); at != std::string::npos; at = text.find('\n')) {
        text.replace(at, 1, "\\x0A");
    }
    return text;
}

TEST(FailureLog, OneEntryForALaunchThatStartedNothingOrTooLittle) {
    if (e2e::OnWindows()) {
        GTEST_SKIP() << "the Event Log has tests/windows/failure_log_test.cpp";
    }
    struct Case {
        const char* table;   // "" for none; %a a client, %m one that is missing
        const char* record;  // "" for no argument
        std::int32_t kind;
        std::size_t clients;
        const char* entry;              // what the entry holds after the record; "" for no entry
        const char* priority = "<12>";  // user.warning; user.err for a refused start
    };
    const Case cases[] = {
        {"[gamekindid]\n122=%a\n", "r.rec", 122, 1, ""},
        {"[gamekindid]\n122=%a\n", "", 122, 0, ""},
        {"[gamekindid]\n122=%a\n", "r.rec", 5, 0,
         ", kind 5, game table \"<table>\": the game table lists no client for the kind."},
        {"[gamekindid]\n122=%m\n", "r.rec", 122, 0,
         ", kind 122, game table \"<table>\": the client program does not exist: <root>/none "
         "(No such file or directory)."},
        {"[gamekindid]\n122=%m\n122=%a\n", "r.rec", 122, 1,
         ", kind 122, game table \"<table>\": the client program does not exist: <root>/none "
         "(No such file or directory); 1 of 2 clients did not start."},
        {"[gamekindid]\n122=%n\n", "r.rec", 122, 0,
         ", kind 122, game table \"<table>\": the system refused to start the client: "
         "<root>/no program (Permission denied).",
         "<11>"},
        {"", "r.rec", 122, 0, ", kind 122, game table \"<table>\": the game table does not exist."},
        {"[other]\n", "r.rec", 122, 0,
         ", kind 122, game table \"<table>\": the game table has no [gamekindid] section."},
        {"[gamekindid]\n122=%a\n", "new\nline.rec", -1, 0,
         ", kind not read, game table \"<table>\": the record does not exist."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.table) + " [" + c.record + "] kind " + std::to_string(c.kind));
        Installation inst;
        Configure(inst, "[log]\nfailures=1\n");
        std::string table = e2e::Expand(c.table, inst);
        for (const auto& [mark, path] : {std::pair{"%m", "/none"}, {"%n", "/no program"}}) {
            if (const auto at = table.find(mark); at != std::string::npos) {
                table.replace(at, 2, inst.root() + path);
            }
        }
        testutil::WriteFile(inst.root() + "/no program", "no program: not executable");
        if (*c.table != '\0') {
            inst.WriteConfig("GameKindID.ini", table);
        }
        const std::string record = inst.root() + "/" + c.record;
        if (c.kind >= 0) {
            inst.WriteRecord(c.record, KindBytes(c.kind));
        }
        const Caught caught = RunWithLog(inst, "empty", *c.record != '\0' ? record : "");
        if (caught.refused) {
            GTEST_SKIP() << "no mount namespace for this user: " << caught.why;
        }
        EXPECT_EQ(caught.exitCode, 0);
        EXPECT_EQ(caught.output, 0);
        EXPECT_EQ(e2e::CollectClientReports(inst.reports(), c.clients).size(), c.clients);
        // launcher-check, starting what the launcher starts, says the same.
        const nlohmann::json checked =
            *c.record == '\0' ? nlohmann::json()
                              : e2e::CheckTool(inst)
                                    .RunAndCollectClients({"--json", "--run", record}, c.clients)
                                    .report["launch_failure"];
        if (!checked.is_null()) {
            ASSERT_EQ(caught.entries.size(), 1U);
            EXPECT_NE(caught.entries[0].find(": " + Escaped(checked["text"]) + ". For"),
                      std::string::npos)
                << checked;
        }
        if (*c.entry == '\0') {
            EXPECT_TRUE(checked.is_null()) << checked;
            EXPECT_TRUE(caught.entries.empty()) << caught.entries[0];
            continue;
        }
        std::string expected = std::string(c.entry) + " For the details, run: \"" + inst.dir() +
                               "/launcher-check\" \"<record>\"";
        for (const auto& [mark, text] :
             {std::pair{"<table>", inst.dir() + "\\config\\GameKindID.ini"},
              {"<root>", inst.root()},
              {"<record>", Escaped(record)}}) {
            for (auto at = expected.find(mark); at != std::string::npos; at = expected.find(mark)) {
                expected.replace(at, std::string(mark).size(), text);
            }
        }
        ASSERT_EQ(caught.entries.size(), 1U);
        EXPECT_EQ(caught.entries[0].substr(caught.entries[0].find("]: ")),
                  "]: launch failed: record \"" + Escaped(record) + "\"" + expected);
        EXPECT_EQ(caught.entries[0].rfind(c.priority + std::string("reclaunch["), 0), 0U);
    }
}

TEST(FailureLog, OffUnlessSwitchedOnAndNeverChangesTheLaunch) {
    if (e2e::OnWindows()) {
        GTEST_SKIP() << "the Event Log has tests/windows/failure_log_test.cpp";
    }
    struct Case {
        const char* settings;
        const char* log;
        std::size_t entries;
    };
    const Case cases[] = {
        {"", "empty", 0},  // no switch file
        {"[log]\nfailures=0\n", "empty", 0},
        {"[log]\nfailures=1\n", "empty", 1},
        {"[log]\nfailures=1\n", "none", 0},  // no log at all
        {"[log]\nfailures=1\n", "full", 0},  // its queue full: the entry is lost at once
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Escaped(c.settings) + " " + c.log);
        Installation inst;
        Configure(inst, c.settings);
        inst.WriteConfig("GameKindID.ini", "[gamekindid]\n122=x\n");
        const std::string record = inst.WriteRecord("r.rec", KindBytes(5));
        const Caught caught = RunWithLog(inst, c.log, record);
        if (caught.refused) {
            GTEST_SKIP() << "no mount namespace for this user: " << caught.why;
        }
        EXPECT_EQ(caught.exitCode, 0);
        EXPECT_EQ(caught.output, 0);
        EXPECT_EQ(caught.entries.size(), c.entries);
        EXPECT_EQ(
            e2e::CheckTool(inst).Run({"--json", record}).report["installation"]["failures_logged"],
            std::string(c.settings).find("failures=1") != std::string::npos);
        std::cout << "failing launch, log " << c.log << ", switch [" << Escaped(c.settings)
                  << "]: " << caught.elapsedUs << " us\n";
        // A launch waiting for the full log would not end at all; this bound
        // only tells such a wait from a slow machine.
        EXPECT_LT(caught.elapsedUs, 5'000'000);
    }
}

}  // namespace
