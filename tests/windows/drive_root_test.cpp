// A launcher standing in a drive's root: its installation directory is the
// bare drive ("C:"), and the game table is still found below it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "common/limits.h"
#include "hall/work_dir.h"
#include "tests/e2e/installation.h"

namespace {

namespace fs = std::filesystem;

TEST(WindowsDriveRoot, WorkDirIsTheBareDrive) {
    char buffer[reclaunch::kMaxPath] = "C:\\Launcher.exe";
    EXPECT_STREQ(ComputeWorkDir(buffer, static_cast<std::uint32_t>(std::strlen(buffer)), ""), "C:");
}

// Removes what the test put into the drive's root, whatever happens.
struct DriveRootFiles {
    fs::path root;
    ~DriveRootFiles() {
        std::error_code ignored;
        fs::remove(root / "launcher.exe", ignored);
        fs::remove_all(root / "config", ignored);
    }
};

// Needs a drive whose root the test may write to, named by
// RECLAUNCH_TEST_DRIVE_ROOT (e.g. "R:\"); the Wine leg of the test script maps
// a scratch folder as such a drive.
TEST(WindowsDriveRoot, LauncherInTheRootFindsItsGameTable) {
    const char* setting = std::getenv("RECLAUNCH_TEST_DRIVE_ROOT");
    if (setting == nullptr || *setting == '\0') {
        GTEST_SKIP() << "RECLAUNCH_TEST_DRIVE_ROOT names no writable drive root";
    }
    DriveRootFiles files{fs::path(setting)};
    ASSERT_EQ(files.root, files.root.root_path()) << setting << " is no drive root";

    e2e::Installation inst;  // holds the client, the record and the reports
    const std::string client = inst.AddClient("clients\\poker");
    const std::string record = inst.WriteRecord("r.rec", e2e::KindBytes(122));
    const std::string reports = inst.root() + "\\drive root reports";
    fs::create_directories(reports);
    const fs::path launcher = files.root / "launcher.exe";
    fs::copy_file(inst.launcherPath(), launcher, fs::copy_options::overwrite_existing);
    testutil::WriteFile((files.root / "config" / "GameKindID.ini").string(),
                        "[gamekindid]\r\n122=" + client + "\r\n");

    e2e::LaunchResult run;
    run.process = testsupport::RunAndWait(
        e2e::QuoteArgument(launcher.string()) + ' ' + e2e::QuoteArgument(record), inst.workDir(),
        "RECLAUNCH_CLIENT_REPORTS=" + reports, 60000);
    run.clients = e2e::CollectClientReports(reports, 1);
    e2e::ExpectSilentSuccess(run);
    ASSERT_EQ(run.clients.size(), 1U);
    EXPECT_EQ(run.clients[0].commandLine, "\"" + client + "\" KelvoFile \"" + record + "\"");
}

}  // namespace
