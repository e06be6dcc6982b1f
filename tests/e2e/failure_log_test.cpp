// The failure log on Linux: the real launcher, given a system log of its own
// (tests/support/posix/log_catcher.cpp), leaves one entry for a launch that
// started nothing or too little, in launcher-check's words, and none
// otherwise; whatever the log does, the launch ends as it would.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/os.h"
#include "tests/e2e/check_tool.h"
#include "tests/e2e/installation.h"

namespace {

using e2e::Installation;
using Marks = std::vector<std::pair<std::string, std::string>>;

struct Caught {
    std::map<std::string, std::string> facts;  // exit, output, elapsed_us, skip
    std::vector<std::string> entries;          // "<priority>]: <text>", without the pid
};

// Runs the launcher with `log` ("none", "empty" or "full").
Caught RunWithLog(const Installation& inst, const char* log, std::vector<std::string> args) {
    args.insert(args.begin(), {(e2e::BuildFolder() / "tests" / "log_catcher").string(), log, "--",
                               inst.launcherPath()});
    const testsupport::ProcessResult run =
        testsupport::RunAndWait(platform::JoinCommandLine(args), inst.workDir(),
                                "RECLAUNCH_CLIENT_REPORTS=" + inst.reports(), 60000);
    Caught caught;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t eq = line.find('=');
        if (line.compare(0, eq, "entry") == 0) {
            caught.entries.push_back(line.substr(eq + 1, 4) + line.substr(line.find("]: ")));
        } else {
            caught.facts[line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return caught;
}

std::string Replaced(std::string text, const Marks& marks) {
    for (const auto& [mark, with] : marks) {
        for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1)) {
            text.replace(at, mark.size(), with);
        }
    }
    return text;
}

TEST(FailureLog, OneEntryForALaunchThatStartedNothingOrTooLittle) {
    if (e2e::OnWindows()) {
        GTEST_SKIP() << "the Event Log has tests/windows/failure_log_test.sh";
    }
    constexpr const char* kOn = "[log]\nfailures=1\n";
    struct Case {
        const char* table;   // "" for none; %a a client, <root>/none missing
        const char* record;  // "" for no argument
        std::int32_t kind;   // -1: no record file
        std::size_t clients;
        const char* cause;  // "" when every client listed starts
        const char* priority = "<12>";
        const char* settings = kOn;
        const char* log = "empty";  // or "none" (no log) or "full" (its queue full)
    };
    const Case cases[] = {
        {"122=%a", "r.rec", 122, 1, ""},
        {"122=%a", "", 122, 0, ""},
        {"122=%a", "r.rec", 5, 0, "the game table lists no client for the kind"},
        {"122=<root>/none", "r.rec", 122, 0,
         "the client program does not exist: <root>/none (No such file or directory)"},
        {"122=<root>/none\n122=%a", "r.rec", 122, 1,
         "the client program does not exist: <root>/none (No such file or directory); 1 of 2 "
         "clients did not start"},
        {"122=<root>/no program", "r.rec", 122, 0,
         "the system refused to start the client: <root>/no program (Permission denied)", "<11>"},
        {"", "r.rec", 122, 0, "the game table does not exist"},
        {"[other]", "r.rec", 122, 0, "the game table has no [gamekindid] section"},
        {"122=%a", "new\nline.rec", -1, 0, "the record does not exist"},
        // Nothing written: the log is off, missing, or full (lost at once).
        {"122=%a", "r.rec", 5, 0, "the game table lists no client for the kind", "", ""},
        {"122=%a", "r.rec", 5, 0, "the game table lists no client for the kind", "", kOn, "none"},
        {"122=%a", "r.rec", 5, 0, "the game table lists no client for the kind", "", kOn, "full"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        Installation inst;
        // Station and site files in place, so a launch waits for no second attempt.
        inst.WriteConfig("StationID.ini", "[stationid]\nstationid=1\n");
        inst.WriteConfig("siteinfo_1.ini", "[siteinfo]\n");
        inst.WriteConfig("reclaunch.ini", c.settings);
        testutil::WriteFile(inst.root() + "/no program", "not executable");
        const Marks marks = {{"<root>", inst.root()}};
        if (*c.table != '\0') {
            const std::string section = *c.table == '[' ? "" : "[gamekindid]\n";
            inst.WriteConfig("GameKindID.ini",
                             Replaced(e2e::Expand(section + c.table, inst), marks));
        }
        const std::string record = inst.root() + "/" + c.record;
        if (c.kind >= 0) {
            inst.WriteRecord(c.record, e2e::KindBytes(c.kind));
        }
        const auto args =
            *c.record != '\0' ? std::vector<std::string>{record} : std::vector<std::string>{};
        Caught caught = RunWithLog(inst, c.log, args);
        if (caught.facts.count("skip") != 0) {
            GTEST_SKIP() << caught.facts["skip"];
        }
        EXPECT_EQ(caught.facts["exit"] + " " + caught.facts["output"], "0 0");
        EXPECT_EQ(e2e::CollectClientReports(inst.reports(), c.clients).size(), c.clients);
        // A launch waiting for a full log would not end at all; the bound
        // only tells such a wait from a slow machine.
        EXPECT_LT(std::stoll(caught.facts["elapsed_us"]), 5'000'000);
        const std::string kind = c.kind >= 0 ? std::to_string(c.kind) : "not read";
        const std::string entry = Replaced(
            std::string(c.priority) + "]: launch failed: record \"<record>\", kind " + kind +
                ", game table \"" + inst.dir() + "\\config\\GameKindID.ini\": " + c.cause +
                ". For the details, run: \"" + inst.dir() + "/launcher-check\" \"<record>\"",
            {{"<record>", Replaced(record, {{"\n", "\\x0A"}})}, {"<root>", inst.root()}});
        EXPECT_EQ(caught.entries, *c.priority != '\0' && *c.cause != '\0'
                                      ? std::vector<std::string>{entry}
                                      : std::vector<std::string>{});
        // launcher-check, starting what the launcher starts, has the same words.
        if (!args.empty()) {
            const nlohmann::json check =
                e2e::CheckTool(inst)
                    .RunAndCollectClients({"--json", "--run", record}, c.clients)
                    .report;
            const nlohmann::json& failure = check["launch_failure"];
            EXPECT_EQ(failure.is_null() ? "" : failure["text"], Replaced(c.cause, marks));
            EXPECT_EQ(check["installation"]["failures_logged"], c.settings == kOn);
        }
    }
}

}  // namespace
