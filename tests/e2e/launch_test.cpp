// End-to-end runs of the real launcher in a temporary installation, with
// real client processes that write down what they were given.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "platform/file.h"
#include "tests/e2e/installation.h"

namespace {

using e2e::Installation;
using e2e::KindBytes;

constexpr const char* kKeyword = "KelvoFile";

using e2e::ExpectSilentSuccess;

std::string Line(const std::string& text) {
    return text + "\r\n";
}

TEST(LauncherRun, NoArgumentMissingRecordAndDirectoryStartNothing) {
    Installation inst;
    const std::string client = inst.AddClient("clients/poker");
    inst.WriteConfig("GameKindID.ini", Line("[gamekindid]") + Line("0=" + client));
    const std::vector<std::vector<std::string>> argumentLists = {
        {}, {inst.root() + "/no such record.rec"}, {inst.root()},  // a folder is no record
    };
    for (const auto& args : argumentLists) {
        const e2e::LaunchResult run = inst.Launch(args, 0);
        ExpectSilentSuccess(run);
        EXPECT_TRUE(run.clients.empty()) << (args.empty() ? "(no argument)" : args[0]);
    }
}

TEST(LauncherRun, StartsTheClientWithTheRecordFromTheLaunchersDirectory) {
    Installation inst("game folder");
    const std::string client = inst.AddClient("game clients/poker client");
    inst.WriteConfig("GameKindID.ini", Line("[GameKindID]") + Line("122=" + client));
    const std::string record = inst.WriteRecord("my records/table 1.rec", KindBytes(122) + "rest");

    const e2e::LaunchResult run = inst.Launch({record, "ignored", "also ignored"}, 1);
    ExpectSilentSuccess(run);
    ASSERT_EQ(run.clients.size(), 1U);
    const e2e::ClientReport& got = run.clients[0];
    ASSERT_EQ(got.args.size(), 3U);
    EXPECT_EQ(got.args[1], kKeyword);
    EXPECT_EQ(got.args[2], record);
    EXPECT_EQ(std::filesystem::path(got.executable), std::filesystem::path(client));
    EXPECT_EQ(std::filesystem::path(got.currentDir), std::filesystem::path(inst.workDir()));
}

// Every matching entry starts its client, also after one whose program
// can't start; the game-table rules themselves are the launch plan's unit test.
TEST(LauncherRun, StartsEveryMatchPastAClientThatFailsToStart) {
    Installation inst;
    inst.WriteConfig("GameKindID.ini",
                     e2e::Expand("[gamekindid]\n122=%a\n122=%a.missing\n[other]\n122=%c\n"
                                 "[GameKindID]\n122=%b\n7=%c\n",
                                 inst));
    const e2e::LaunchResult run = inst.Launch({inst.WriteRecord("r.rec", KindBytes(122))}, 2);
    ExpectSilentSuccess(run);
    std::vector<std::string> started;
    for (const e2e::ClientReport& client : run.clients) {
        started.push_back(std::filesystem::path(client.executable).stem().string());
    }
    // Reports come in no set order: which clients, not in which order.
    std::sort(started.begin(), started.end());
    EXPECT_EQ(started, (std::vector<std::string>{"a", "b"}));
}

TEST(LauncherRun, RecordHeldOpenExclusivelyStartsNothing) {
    Installation inst;
    const std::string client = inst.AddClient("c");
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\n5=" + client + "\n");
    const std::string record = inst.WriteRecord("r.rec", KindBytes(5));
    {
        const auto holder =
            testsupport::HoldOpen(record, testsupport::HeldFile::Mode::kExclusive);
        ASSERT_TRUE(holder != nullptr);
        const e2e::LaunchResult run = inst.Launch({record}, 0);
        ExpectSilentSuccess(run);
        EXPECT_TRUE(run.clients.empty());
    }
    const e2e::LaunchResult released = inst.Launch({record}, 1);
    ExpectSilentSuccess(released);
    EXPECT_EQ(released.clients.size(), 1U);
}

// Twenty launchers open one record at once while another program reads it
// (a preview pane, an indexer): they share it, and every one starts its client.
TEST(LauncherRun, BurstOfLaunchersOnOneRecordReadElsewhereStartsEveryClient) {
    Installation inst;
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\n5=" + inst.AddClient("c") + "\n");
    const std::string record = inst.WriteRecord("r.rec", KindBytes(5));
    platform::CStdioFile reader;
    ASSERT_TRUE(reader.Open(record.c_str()));
    std::vector<std::future<testsupport::ProcessResult>> runs(20);
    for (auto& run : runs) {
        run = std::async(std::launch::async, [&] { return inst.Run({record}); });
    }
    for (auto& run : runs) {
        ExpectSilentSuccess({run.get(), {}});
    }
    EXPECT_EQ(e2e::CollectClientReports(inst.reports(), 20).size(), 20U);
}

}  // namespace
