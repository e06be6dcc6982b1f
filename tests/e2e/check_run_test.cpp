// End-to-end runs of the real launcher-check with recording clients: it
// starts nothing unless asked, and with --run exactly what the launcher starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "tests/e2e/check_tool.h"
#include "tests/e2e/installation.h"

namespace {

namespace fs = std::filesystem;
using e2e::CheckRun;
using e2e::CheckTool;
using e2e::ClientReport;
using e2e::Installation;
using e2e::KindBytes;

// Two clients for kind 122 with a missing program between them, and a third
// in a section the lookup does not search.
std::string TableFor(const Installation& inst) {
    return "[gamekindid]\n122=" + inst.AddClient("clients/a") + "\n122=" + inst.root() +
           "/clients/missing\n[other]\n122=" + inst.AddClient("clients/c") +
           "\n[GameKindID]\n122=" + inst.AddClient("clients/b") + "\n";
}

// What a client was given, comparable across runs.
using Started = std::tuple<std::string, std::vector<std::string>, std::string>;

std::vector<Started> Sorted(const std::vector<ClientReport>& clients) {
    std::vector<Started> started;
    for (const ClientReport& client : clients) {
        started.emplace_back(fs::path(client.executable).lexically_normal().string(), client.args,
                             fs::path(client.currentDir).lexically_normal().string());
    }
    std::sort(started.begin(), started.end());
    return started;
}

TEST(LauncherCheckRun, StartsNothingWithoutRun) {
    Installation inst;
    const CheckTool tool(inst);
    inst.WriteConfig("GameKindID.ini", TableFor(inst));
    const std::string record = inst.WriteRecord("r.rec", KindBytes(122));

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{record}, std::vector<std::string>{record, "--json"}}) {
        const CheckRun run = tool.RunAndCollectClients(args, 0);
        EXPECT_EQ(run.process.exitCode, 0);
        EXPECT_TRUE(run.clients.empty()) << run.clients.size() << " client(s) started";
    }
    const CheckRun run = tool.Run({record, "--json"});
    ASSERT_EQ(run.report["launches"].size(), 3U);
    EXPECT_FALSE(run.report["ran"].get<bool>());
    EXPECT_EQ(run.report["clients_starting"], 2);
    for (const nlohmann::json& launch : run.report["launches"]) {
        EXPECT_EQ(launch["started"], nullptr);
    }
}

TEST(LauncherCheckRun, StartsExactlyWhatTheLauncherStarts) {
    Installation inst;
    const CheckTool tool(inst);
    inst.WriteConfig("GameKindID.ini", TableFor(inst));
    const std::string record = inst.WriteRecord("my records/r 1.rec", KindBytes(122));

    const e2e::LaunchResult launcher = inst.Launch({record}, 2);
    ASSERT_EQ(launcher.clients.size(), 2U);
    const CheckRun check = tool.RunAndCollectClients({record, "--run", "--json"}, 2);
    ASSERT_TRUE(check.report.is_object()) << check.process.output << check.process.errorOutput;

    EXPECT_EQ(Sorted(check.clients), Sorted(launcher.clients));
    for (const ClientReport& client : check.clients) {
        EXPECT_EQ(fs::path(client.currentDir), fs::path(inst.workDir()));
    }
    EXPECT_TRUE(check.report["ran"].get<bool>());
    std::vector<bool> started;
    for (const nlohmann::json& launch : check.report["launches"]) {
        started.push_back(launch["started"].get<bool>());
    }
    EXPECT_EQ(started, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(check.report["clients_starting"], 2);
    EXPECT_EQ(check.process.exitCode, 0);
}

TEST(LauncherCheckRun, ExitsWith1WhenNothingStarted) {
    Installation inst;
    const CheckTool tool(inst);
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\n122=" + inst.root() + "/clients/missing\n");
    const CheckRun run = tool.RunAndCollectClients(
        {inst.WriteRecord("r.rec", KindBytes(122)), "--run", "--json"}, 0);
    EXPECT_EQ(run.process.exitCode, 1);
    EXPECT_TRUE(run.clients.empty());
    ASSERT_EQ(run.report["launches"].size(), 1U);
    EXPECT_EQ(run.report["launches"][0]["started"], false);
}

// A bare client name with --install: the program beside that installation's
// launcher is the one reported and the one started, not the one beside the
// tool.
TEST(LauncherCheckRun, StartsTheProgramItNamesForAnotherInstallation) {
    const Installation own;
    const CheckTool tool(own);
    own.AddClient("game/poker");
    const Installation other;
    const std::string beside = other.AddClient("game/poker");
    other.WriteConfig("GameKindID.ini", "[gamekindid]\n122=poker\n");
    const std::string record = other.WriteRecord("r.rec", KindBytes(122));

    const CheckRun check =
        tool.RunAndCollectClients({record, "--install", other.dir(), "--run", "--json"}, 1);
    ASSERT_TRUE(check.report.is_object()) << check.process.output << check.process.errorOutput;
    EXPECT_EQ(fs::path(check.report["launches"][0]["program"]["path"].get<std::string>()),
              fs::path(beside));
    ASSERT_EQ(check.clients.size(), 1U);
    EXPECT_EQ(fs::path(check.clients[0].executable), fs::path(beside));
}

}  // namespace
