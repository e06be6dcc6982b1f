// End-to-end runs of the real launcher.exe that depend on Windows itself:
// the raw command line a client receives, its current directory, and the
// share modes with which the launcher opens the record and the game table.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/os.h"
#include "tests/support/testing.h"
#include "tests/e2e/installation.h"
#include "tests/support/temp_dir.h"

namespace {

using e2e::ExpectSilentSuccess;
using e2e::Installation;
using e2e::KindBytes;
using testsupport::HeldFile;

// An installation whose game table starts one recording client for kind 5.
struct OneClientSetup {
    Installation inst;
    std::string client = inst.AddClient("clients/poker");
    std::string record = inst.WriteRecord("records/r.rec", KindBytes(5));
    std::string tablePath = inst.dir() + "\\config\\GameKindID.ini";

    OneClientSetup() { inst.WriteConfig("GameKindID.ini", "[gamekindid]\r\n5=" + client + "\r\n"); }
};

TEST(WindowsLaunch, ClientGetsExactlyItsQuotedPathKeywordAndRecord) {
    Installation inst("game folder");
    const std::string client = inst.AddClient("game clients\\poker client");
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\r\n122=" + client + "\r\n");
    const std::string record = inst.WriteRecord("my records\\table 1.rec", KindBytes(122));
    // Neither the installation nor the client's folder: the client must get
    // the launcher's own current directory.
    const std::string launchDir = inst.root() + "\\launch dir";
    std::filesystem::create_directories(launchDir);

    const e2e::LaunchResult run = inst.Launch({record}, 1, launchDir);
    ExpectSilentSuccess(run);
    ASSERT_EQ(run.clients.size(), 1U);
    EXPECT_EQ(run.clients[0].commandLine, "\"" + client + "\" KelvoFile \"" + record + "\"");
    EXPECT_EQ(std::filesystem::path(run.clients[0].currentDir), std::filesystem::path(launchDir));
}

// The record is opened with no sharing, so any other open handle on it,
// exclusive or a writer's shared one, keeps it from opening.
TEST(WindowsLaunch, RecordOpenElsewhereStartsNothingUntilReleased) {
    for (const HeldFile::Mode mode : {HeldFile::Mode::kExclusive, HeldFile::Mode::kWriting}) {
        SCOPED_TRACE(mode == HeldFile::Mode::kExclusive ? "exclusive" : "writing");
        OneClientSetup setup;
        {
            const auto holder = testsupport::HoldOpen(setup.record, mode);
            ASSERT_TRUE(holder != nullptr);
            const e2e::LaunchResult run = setup.inst.Launch({setup.record}, 0);
            ExpectSilentSuccess(run);
            EXPECT_TRUE(run.clients.empty());
        }
        const e2e::LaunchResult released = setup.inst.Launch({setup.record}, 1);
        ExpectSilentSuccess(released);
        EXPECT_EQ(released.clients.size(), 1U);
    }
}

// The game table is shared with readers only: a writer holding it at both
// open attempts (100 ms apart) hides it; one that lets go in between does not.
// A slow process start may put even the first attempt after the release;
// loader_retry_test.cpp pins the retry itself down.
TEST(WindowsLaunch, GameTableHeldForWriting) {
    struct Case {
        const char* name;
        bool releaseDuringLaunch;
        std::size_t clients;
    };
    const Case cases[] = {
        {"held at both attempts", false, 0},
        {"released between the attempts", true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OneClientSetup setup;
        auto holder = testsupport::HoldOpen(setup.tablePath, HeldFile::Mode::kWriting);
        ASSERT_TRUE(holder != nullptr);
        std::thread releaser;
        if (c.releaseDuringLaunch) {
            releaser = std::thread([&holder] {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                holder->Release();
            });
        }
        const e2e::LaunchResult run = setup.inst.Launch({setup.record}, c.clients);
        if (releaser.joinable()) {
            releaser.join();
        }
        holder.reset();
        ExpectSilentSuccess(run);
        EXPECT_EQ(run.clients.size(), c.clients);
    }
}

// Names the ANSI code page can't hold (Wine runs these tests with code page
// 1252, so Chinese, symbols and emoji lie outside it), and a record deeper
// than the client command line allows. The launcher opens the record, or
// finds its own folder, by the short name; the client gets a record path it
// can open. Files are named in UTF-8 here and reach Windows as UTF-16.
struct WideNameCase {
    const char* name;
    std::string installFolder;
    std::string recordPath;
    // How launcher-check says each was named: "as_given" or "short_name".
    const char* installNaming;
    const char* recordNaming;
};

class WindowsWideNames : public testing::TestWithParam<WideNameCase> {};

TEST_P(WindowsWideNames, TheClientCanOpenTheRecordItIsHanded) {
    namespace fs = std::filesystem;
    const WideNameCase& c = GetParam();
    const testutil::TempDir root;
    const fs::path install = root.path() / fs::u8path(c.installFolder);
    const fs::path launcher = install / "launcher.exe";
    const fs::path client = root.path() / "client.exe";
    const fs::path reports = root.path() / "reports";
    const fs::path record = root.path() / fs::u8path(c.recordPath);
    fs::create_directories(install / "config");
    fs::create_directories(reports);
    fs::create_directories(record.parent_path());
    fs::copy_file(e2e::BuildFolder() / "launcher" / "launcher.exe", launcher);
    fs::copy_file(e2e::BuildFolder() / "tools" / "launcher-check" / "launcher-check.exe",
                  install / "launcher-check.exe");
    fs::copy_file(e2e::BuildFolder() / "tests" / "record_client.exe", client);
    std::ofstream(install / "config" / "GameKindID.ini", std::ios::binary)
        << "[gamekindid]\r\n9=" << client.string() << "\r\n";
    std::ofstream(record, std::ios::binary) << KindBytes(9);

    const std::string commandLine =
        platform::JoinCommandLine({launcher.u8string(), record.u8string()});
    e2e::LaunchResult run;
    run.process = testsupport::RunAndWait(commandLine, root.path().u8string(),
                                                "RECLAUNCH_CLIENT_REPORTS=" + reports.string(),
                                                60000, testsupport::Text::kUtf8);
    run.clients = e2e::CollectClientReports(reports.string(), 1);
    ExpectSilentSuccess(run);
    ASSERT_EQ(run.clients.size(), 1U);
    const e2e::ClientReport& got = run.clients[0];
    ASSERT_EQ(got.args.size(), 3U);
    EXPECT_EQ(got.commandLine, "\"" + client.string() + "\" KelvoFile \"" + got.args[2] + "\"");
    EXPECT_EQ(got.recordHead, KindBytes(9)) << "the client could not open " << got.args[2];

    // launcher-check names both as the launcher does, and says so.
    const testsupport::ProcessResult check = testsupport::RunAndWait(
        platform::JoinCommandLine(
            {(install / "launcher-check.exe").u8string(), "--json", record.u8string()}),
        root.path().u8string(), "", 60000, testsupport::Text::kUtf8);
    EXPECT_EQ(check.exitCode, 0) << check.output;
    const nlohmann::json report = nlohmann::json::parse(check.output, nullptr, false);
    EXPECT_EQ(report["installation"]["naming"]["name"], c.installNaming);
    EXPECT_EQ(report["record"]["naming"]["name"], c.recordNaming);
}

const std::string kDeepRecord =
    std::string(90, 'x') + "/" + std::string(90, 'y') + "/" + std::string(60, 'z') + ".rec";

INSTANTIATE_TEST_SUITE_P(
    Names, WindowsWideNames,
    testing::Values(
        WideNameCase{"RecordName", "game", "records/\u5BF9\u5C40 \u2605.rec", "as_given",
                     "short_name"},
        WideNameCase{"RecordFolder", "game", "\u8BB0\u5F55 \u2713/r.rec", "as_given", "short_name"},
        WideNameCase{"EmojiRecord", "game", "records/\U0001F3B2.rec", "as_given", "short_name"},
        WideNameCase{"LauncherFolder", "\u6E38\u620F \u2713", "records/r.rec", "short_name",
                     "as_given"},
        WideNameCase{"DeepRecord", "game", kDeepRecord, "as_given", "short_name"}),
    [](const testing::TestParamInfo<WideNameCase>& param) { return param.param.name; });

}  // namespace
