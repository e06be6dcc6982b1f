#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "common/limits.h"
#include "hall/hall_singleton.h"
#include "platform/os.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_dir.h"

// Builds instances apart from the process-wide one and runs their steps with
// a chosen installation directory.
class CHallSingletonTestAccess {
public:
    static std::unique_ptr<CHallSingleton> Create() {
        return std::unique_ptr<CHallSingleton>(new CHallSingleton());
    }
    static std::int32_t ChooseStation(const CHallSingleton& hall) { return hall.ChooseStation(); }
    static void LoadSiteConfiguration(CHallSingleton& hall) { hall.LoadSiteConfiguration(); }
    static void LoadConfig(CHallSingleton& hall) { hall.LoadConfig(); }
};

namespace {

using Access = CHallSingletonTestAccess;

// A fresh instance whose installation directory is `workDir`.
std::unique_ptr<CHallSingleton> HallIn(const std::string& workDir) {
    auto hall = Access::Create();
    hall->m_strWorkDir = workDir.c_str();
    return hall;
}

// The directory of the running executable, worked out apart from the hall.
std::string ExecutableDirectory() {
    char path[reclaunch::kMaxPath] = {};
    platform::OwnExecutablePath(path, sizeof path);
    return std::filesystem::path(path).parent_path().string();
}

struct StationCase {
    const char* name;
    const char* file;  // config/StationID.ini; null: no file
    std::int32_t expected;
};

// Failure messages name the case rather than dump its bytes.
void PrintTo(const StationCase& c, std::ostream* out) {
    *out << c.name;
}

class HallStation : public ::testing::TestWithParam<StationCase> {};

TEST_P(HallStation, IsChosenFromStationId) {
    testutil::TempDir dir;
    if (GetParam().file != nullptr) {
        testutil::WriteFile(dir / "config/StationID.ini", GetParam().file);
    }
    EXPECT_EQ(Access::ChooseStation(*HallIn(dir.path().string())), GetParam().expected);
}

const StationCase kStationCases[] = {
    {"NoFile", nullptr, 1},
    {"EmptyFile", "", 1},
    {"Plain", "[stationid]\nstationid=3\n", 3},
    {"NamesIgnoreCase", "[StationID]\nSTATIONID=7\n", 7},
    {"LaterSectionWins", "[stationid]\nstationid=2\n[stationid]\nstationid=5\n", 5},
    {"LaterEntryWins", "[stationid]\nstationid=2\nstationid=6\n", 6},
    {"EmptyLaterValueKeepsEarlier", "[stationid]\nstationid=4\nstationid=\n", 4},
    {"OnlyEmptyValues", "[stationid]\nstationid=\nstationid\n", 1},
    {"NumberWithTail", "[stationid]\nstationid=12abc\n", 12},
    {"NoNumber", "[stationid]\nstationid=abc\n", 0},
    {"Negative", "[stationid]\nstationid=-2\n", -2},
    {"OtherSection", "[other]\nstationid=3\n", 1},
    {"BeforeAnySection", "stationid=3\n[stationid]\n", 1},
    {"BlankInsideBrackets", "[ stationid ]\nstationid=3\n", 1},
    {"OtherKey", "[stationid]\nstation=3\nid=4\n", 1},
    {"OtherSectionsBetween", "[stationid]\nstationid=8\n[other]\nstationid=9\n", 8},
};
INSTANTIATE_TEST_SUITE_P(Files, HallStation, ::testing::ValuesIn(kStationCases),
                         testutil::CaseName());

struct SiteFileCase {
    const char* name;
    const char* stationFile;  // null: no StationID.ini
    const char* siteFile;     // below the installation directory
    std::int32_t station;
};

// Failure messages name the case rather than dump its bytes.
void PrintTo(const SiteFileCase& c, std::ostream* out) {
    *out << c.name;
}

class HallSiteFile : public ::testing::TestWithParam<SiteFileCase> {};

TEST_P(HallSiteFile, IsTheChosenStations) {
    const SiteFileCase& c = GetParam();
    testutil::TempDir dir;
    if (c.stationFile != nullptr) {
        testutil::WriteFile(dir / "config/StationID.ini", c.stationFile);
    }
    testutil::WriteFile(dir / c.siteFile, "[siteinfo]\nmainpage=found\n");
    // Decoys: the files of the other likely stations.
    for (const char* other : {"config/siteinfo_1.ini", "config/siteinfo_0.ini"}) {
        if (std::string(other) != c.siteFile) {
            testutil::WriteFile(dir / other, "[siteinfo]\nmainpage=other\n");
        }
    }

    const auto hall = HallIn(dir.path().string());
    Access::LoadSiteConfiguration(*hall);
    EXPECT_EQ(hall->m_SiteInfo.m_nStationID, c.station);
    EXPECT_EQ(hall->m_SiteInfo.m_strMainPage, "found");
    EXPECT_TRUE(hall->m_SiteInfo.m_bLoaded);
}

const SiteFileCase kSiteFileCases[] = {
    {"DefaultStation", nullptr, "config/siteinfo_1.ini", 1},
    {"ChosenStation", "[stationid]\nstationid=7\n", "config/siteinfo_7.ini", 7},
    {"NegativeStation", "[stationid]\nstationid=-2\n", "config/siteinfo_-2.ini", -2},
    {"NoNumber", "[stationid]\nstationid=abc\n", "config/siteinfo_0.ini", 0},
};
INSTANTIATE_TEST_SUITE_P(Stations, HallSiteFile, ::testing::ValuesIn(kSiteFileCases),
                         testutil::CaseName());

TEST(HallSiteConfiguration, WorksWithATrailingSeparatorOnTheDirectory) {
    testutil::TempDir dir;
    testutil::WriteFile(dir / "config/siteinfo_1.ini", "[siteinfo]\nmainpage=found\n");
    const auto hall = HallIn(dir.path().string() + "\\");
    Access::LoadSiteConfiguration(*hall);
    EXPECT_EQ(hall->m_SiteInfo.m_strMainPage, "found");
}

TEST(HallSiteConfiguration, AMissingSiteFileKeepsTheDefaultsAndTheStation) {
    testutil::TempDir dir;
    testutil::WriteFile(dir / "config/StationID.ini", "[stationid]\nstationid=5\n");
    const auto hall = HallIn(dir.path().string());
    Access::LoadSiteConfiguration(*hall);
    EXPECT_EQ(hall->m_SiteInfo.m_nStationID, 5);
    EXPECT_FALSE(hall->m_SiteInfo.m_bLoaded);
    EXPECT_TRUE(hall->m_SiteInfo.m_strMainPage.IsEmpty());
}

TEST(HallSiteConfiguration, AnInstallationPathTooLongToJoinReadsNoFileByIt) {
    // The joined name of the site file would need more than 259 bytes. Cut
    // at 259 it would name '<dir>\config\siteinfo_1', which exists here.
    // Where the folder has a short name (Windows), the file is read by it.
    testutil::TempDir dir;
    std::string workDir = dir.path().string();
    while (workDir.size() + 1 + 100 <= 241) {
        workDir += "/" + std::string(100, 'd');
    }
    ASSERT_LT(workDir.size(), 240U);
    workDir += "/" + std::string(241 - workDir.size() - 1, 'e');
    ASSERT_EQ(workDir.size(), 241U);
    testutil::WriteFile(workDir + "/config/siteinfo_1", "[siteinfo]\nmainpage=cut\n");
    testutil::WriteFile(workDir + "/config/siteinfo_1.ini", "[siteinfo]\nmainpage=whole\n");

    const auto hall = HallIn(workDir);
    Access::LoadSiteConfiguration(*hall);
    const bool byShortName = !platform::ShortPathInAnsi(workDir.c_str()).empty();
    EXPECT_EQ(byShortName, platform::AnsiCodePage() != 0);  // Windows
    EXPECT_EQ(hall->m_SiteInfo.m_bLoaded, byShortName);
    EXPECT_EQ(hall->m_SiteInfo.m_strMainPage.str(), byShortName ? "whole" : "");
}

TEST(HallWorkDirOfProcess, IsTheExecutablesDirectory) {
    const auto hall = Access::Create();
    const std::string returned = hall->InitWorkDir();
    EXPECT_EQ(returned, ExecutableDirectory());
    EXPECT_EQ(hall->m_strWorkDir.str(), returned);
}

TEST(HallLoadConfig, ReadsNoFileOnceTheSiteIsLoaded) {
    const auto hall = HallIn("stale");
    hall->m_SiteInfo.m_bLoaded = true;
    hall->m_SiteInfo.m_nStationID = 42;
    Access::LoadConfig(*hall);
    EXPECT_EQ(hall->m_strWorkDir.str(), ExecutableDirectory());
    EXPECT_EQ(hall->m_SiteInfo.m_nStationID, 42);
}

TEST(HallGetInstance, ConfiguresOnceAndReturnsTheSameObject) {
    CHallSingleton& first = CHallSingleton::GetInstance();
    EXPECT_TRUE(first.m_bInit);
    EXPECT_EQ(first.m_strWorkDir.str(), ExecutableDirectory());

    // A second configuration would recompute the directory and set the
    // station again.
    const platform::CString workDir = first.m_strWorkDir;
    const std::int32_t station = first.m_SiteInfo.m_nStationID;
    first.m_strWorkDir = "marker";
    first.m_SiteInfo.m_nStationID = 4242;

    CHallSingleton& second = CHallSingleton::GetInstance();
    EXPECT_EQ(&second, &first);
    EXPECT_EQ(second.m_strWorkDir, "marker");
    EXPECT_EQ(second.m_SiteInfo.m_nStationID, 4242);

    first.m_strWorkDir = workDir;
    first.m_SiteInfo.m_nStationID = station;
}

}  // namespace
