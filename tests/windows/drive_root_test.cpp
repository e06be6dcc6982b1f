// A launcher standing in a drive's root: its installation directory is the
// bare drive ("C:"), and the game table is still found below it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

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

std::string FirstReport(const std::string& folder) {
    // Bounded wait for the client to write its report.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() == ".txt") {
                return testutil::ReadFile(entry.path().string());
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
}

// The report writes every backslash as \x5C; the paths here have no other
// bytes that it escapes.
std::string AsReported(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        out += ch == '\\' ? std::string("\\x5C") : std::string(1, ch);
    }
    return out;
}

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

    const auto run = platform::testing::RunAndWait(
        e2e::QuoteArgument(launcher.string()) + ' ' + e2e::QuoteArgument(record), inst.workDir(),
        "RECLAUNCH_CLIENT_REPORTS=" + reports, 60000);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "");
    EXPECT_NE(
        FirstReport(reports).find("commandline=" + AsReported("\"" + client + "\" KelvoFile")),
        std::string::npos);
}

}  // namespace
