// Installation, client and record paths with blanks and GBK bytes, and game
// table values that would split into other arguments: whatever the bytes,
// the client gets exactly the record path, or is not started.
#include <gtest/gtest.h>

#include <exception>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/e2e/hostile_support.h"
#include "tests/e2e/installation.h"

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

}  // namespace
