// The installer's deployment values: which stations and game tables it takes,
// that the station it writes is the one the station choice reads back, and
// that a value it can't use leaves the configuration untouched.
#include <gtest/gtest.h>

#include <string>

#include "hall/station.h"
#include "tests/support/temp_dir.h"
#include "tools/deploy-config/deployment.h"

namespace {

TEST(DeployConfig, StationIsWrittenOnlyWhenTheStationChoiceReadsItBack) {
    struct Case {
        const char* station;
        int readBack;  // -1: refused
    };
    const Case cases[] = {
        {"5", 5},
        {"0", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"2147483648", -1},  // wraps in the station choice
        {"99999999999", -1},
        {"-5", -1},
        {"+5", -1},
        {" 5", -1},
        {"5 ", -1},
        {"12abc", -1},
        {"five", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.station);
        testutil::TempDir installation;
        testutil::WriteFile(installation / "config/StationID.ini",
                            "[stationid]\r\nstationid=3\r\n");
        const std::string problem = deploy::Apply({c.station, "", ""}, installation / "config");
        EXPECT_EQ(problem.empty(), c.readBack >= 0) << problem;
        const std::string workDir = installation.path().string();
        EXPECT_EQ(SelectStation(workDir.c_str()).station, c.readBack >= 0 ? c.readBack : 3);
    }
}

TEST(DeployConfig, GameTableIsCopiedExactlyOnlyWhenReadable) {
    testutil::TempDir files;
    const std::string table = "[gamekindid]\r\n122=C:\\Game\\\xC5\xC6.exe\r\n";
    testutil::WriteFile(files / "tables/new.ini", table);
    const std::string kept = "[gamekindid]\r\n1=kept\r\n";
    struct Case {
        std::string path;
        std::string station;
        bool used;
    };
    const Case cases[] = {
        {files / "tables/new.ini", "6", true},
        {files / "tables/missing.ini", "", false},
        {files / "tables", "", false},  // a folder
        {"tables/new.ini", "", false},  // relative: to which folder?
        // Nothing written while either is bad.
        {files / "tables/new.ini", "six", false},
        {files / "tables/missing.ini", "6", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " " + c.station);
        testutil::TempDir config;
        testutil::WriteFile(config / "GameKindID.ini", kept);
        testutil::WriteFile(config / "StationID.ini", kept);
        const std::string problem = deploy::Apply({c.station, c.path, ""}, config.path().string());
        EXPECT_EQ(problem.empty(), c.used) << problem;
        EXPECT_EQ(testutil::ReadFile(config / "GameKindID.ini"), c.used ? table : kept);
        EXPECT_EQ(testutil::ReadFile(config / "StationID.ini") == kept, !c.used);
    }
}

TEST(DeployConfig, SiteFileNoteNamesAMissingSiteFile) {
    testutil::TempDir config;
    testutil::WriteFile(config / "siteinfo_5.ini", "[siteinfo]\r\n");
    const std::string folder = config.path().string() + "/";
    struct Case {
        const char* station;
        const char* missing;  // "": no note
    };
    const Case cases[] = {
        {"5", ""}, {"005", ""}, {"6", "siteinfo_6.ini"}, {"06", "siteinfo_6.ini"},
        {"1", ""},  // the package brings station 1's
        {"", ""},  {"six", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.station);
        const std::string note = deploy::SiteFileNote(c.station, folder);
        if (*c.missing == '\0') {
            EXPECT_EQ(note, "");
        } else {
            EXPECT_NE(note.find(folder + c.missing + " does not open"), std::string::npos) << note;
        }
    }
}

}  // namespace
