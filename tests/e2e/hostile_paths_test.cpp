// Installation, client and record paths with blanks and GBK bytes, and game
// table values that would split into other arguments: whatever the bytes,
// the client gets exactly the record path, or is not started.
#include <gtest/gtest.h>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/e2e/hostile_support.h"
#include "tests/e2e/installation.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using e2e::Installation;

// "游戏" and "记录" in GBK.
const std::string kGame = "\xD3\xCE\xCF\xB7";
const std::string kRecord = "\xBC\xC7\xC2\xBC";

// An installation in a folder of this name, or null when the file system
// refuses the name.
std::unique_ptr<Installation> InstallIn(const std::string& folder) {
    try {
        auto inst = std::make_unique<Installation>(folder);
        if (fs::exists(inst->launcherPath())) {
            return inst;
        }
    } catch (const std::exception&) {
    }
    return nullptr;
}

struct PathCase {
    const char* name;
    std::string installFolder;
    std::string clientPath;  // below the temporary folder
    std::string recordPath;  // below the temporary folder
};

class HostilePaths : public testing::TestWithParam<PathCase> {};

TEST_P(HostilePaths, TheClientGetsTheRecordPathByteForByte) {
    const PathCase& c = GetParam();
    const std::unique_ptr<Installation> inst = InstallIn(c.installFolder);
    if (inst == nullptr) {
        GTEST_SKIP() << "this file system refuses the folder name";
    }
    std::string client;
    std::string record;
    try {
        client = inst->AddClient(c.clientPath);
        record = inst->WriteRecord(c.recordPath, e2e::KindBytes(9));
    } catch (const std::exception& error) {
        GTEST_SKIP() << "this file system refuses the names: " << error.what();
    }
    if (!fs::exists(record)) {
        GTEST_SKIP() << "this file system refuses the record's name";
    }
    inst->WriteConfig("GameKindID.ini", "[gamekindid]\n9=" + client + "\n");
    inst->WriteConfig("StationID.ini", "[stationid]\nstationid=1\n");
    inst->WriteConfig("siteinfo_1.ini", "[siteinfo]\nmainpage=" + kGame + "\n");

    const e2e::LaunchResult run = inst->Launch({record}, 1);
    e2e::ExpectSilentSuccess(run);
    ASSERT_EQ(run.clients.size(), 1U);
    hostile::ExpectRecordPassedExactly(run, record);
    EXPECT_EQ(fs::path(run.clients[0].executable), fs::path(client));
}

INSTANTIATE_TEST_SUITE_P(
    Names, HostilePaths,
    testing::Values(PathCase{"Blanks", "my game", "game clients/poker client",
                             "my records/table 1.rec"},
                    PathCase{"Gbk", kGame, kGame + "/" + kGame, kRecord + "/" + kRecord + ".rec"},
                    PathCase{"GbkAndBlanks", kGame + " " + kGame, kGame + " clients/c " + kGame,
                             kRecord + " dir/t " + kRecord + " 1.rec"},
                    PathCase{"TabsAndBrackets", "game\t[1]", "c\tx/[c]", "r\t;/a=b [1].rec"}),
    [](const testing::TestParamInfo<PathCase>& param) { return param.param.name; });

// A relative record path reaches the client exactly as it was given, not
// resolved against any folder.
TEST(HostilePathsRelative, RelativeRecordPathIsPassedAsGiven) {
    Installation inst;
    const std::string client = inst.AddClient("clients/game");
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\n9=" + client + "\n");
    const std::string relative = kRecord + " 1.rec";
    try {
        inst.WriteRecord("work/" + relative, e2e::KindBytes(9));
    } catch (const std::exception&) {
        GTEST_SKIP() << "this file system refuses the record's name";
    }
    const e2e::LaunchResult run = inst.Launch({relative}, 1, inst.workDir());
    e2e::ExpectSilentSuccess(run);
    ASSERT_EQ(run.clients.size(), 1U);
    hostile::ExpectRecordPassedExactly(run, relative);
}

// A launcher whose own path is longer than the 260-byte buffers: cut to fit,
// the path names a folder above the installation, whose game table must
// never be read. Decoy tables wait in every folder above it. With no
// installation directory, nothing starts.
TEST(HostilePathsLongLauncherPath, NoFolderAboveIsTakenForTheInstallation) {
    if (e2e::OnWindows()) {
        // CreateProcess can't start a program this deep (ERROR_PATH_NOT_FOUND);
        // a launcher in a folder the ANSI code page can't name, which takes
        // the same way to its folder's short name, is tested there instead.
        GTEST_SKIP() << "Windows starts no program whose path exceeds MAX_PATH";
    }
    // The cut falls inside the last folder's name, so the folder it leaves is
    // one whose game table path still fits.
    const std::string folder = "outer/" + std::string(240, 'c');
    Installation inst(folder);
    ASSERT_GT(inst.launcherPath().size(), 259U);
    const std::string decoy = inst.AddClient("decoy");
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\n9=" + inst.AddClient("own") + "\n");
    for (fs::path dir = fs::path(inst.dir()).parent_path();
         dir != fs::path(inst.root()).parent_path(); dir = dir.parent_path()) {
        testutil::WriteFile((dir / "config" / "GameKindID.ini").string(),
                            "[gamekindid]\n9=" + decoy + "\n");
    }
    const std::string record = inst.WriteRecord("r.rec", e2e::KindBytes(9));

    const e2e::LaunchResult run = inst.Launch({record}, 0);
    e2e::ExpectSilentSuccess(run);
    EXPECT_TRUE(run.clients.empty());
}

// A client named without a root, bare or below a folder, is looked for below
// the launcher's folder, then on PATH, never below the current folder, even
// where PATH names it: a record opened from a download folder must not run a
// program planted next to it.
TEST(HostilePathsClientNameWithoutRoot, NeverRunsAProgramFromTheCurrentFolder) {
    Installation inst;
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\n9=poker\n9=sub\\poker\n");
    const std::string record = inst.WriteRecord("work/r.rec", e2e::KindBytes(9));
    inst.AddClient("work/poker");
    inst.AddClient("work/sub/poker");
    const char* path = std::getenv("PATH");
    const std::string savedPath = path != nullptr ? path : "";
    testsupport::SetEnv("PATH", (e2e::OnWindows() ? ".;;" : ".::") + savedPath);

    const e2e::LaunchResult nextToTheRecord = inst.Launch({record}, 0);
    const std::string beside = inst.AddClient(fs::path(inst.dir()).filename().string() + "/poker");
    const e2e::LaunchResult besideTheLauncher = inst.Launch({record}, 1);
    testsupport::SetEnv("PATH", savedPath);

    e2e::ExpectSilentSuccess(nextToTheRecord);
    EXPECT_TRUE(nextToTheRecord.clients.empty());
    ASSERT_EQ(besideTheLauncher.clients.size(), 1U);
    EXPECT_EQ(fs::path(besideTheLauncher.clients[0].executable), fs::path(beside));
}

}  // namespace
