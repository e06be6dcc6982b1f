// Where a client program is looked for (CheckProgram, which StartProcess
// uses too): a name without a root below the launcher's folder, then PATH's
// absolute folders, never below the current folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/os.h"
#include "tests/support/temp_dir.h"
#include "tests/support/testing.h"

namespace {

namespace fs = std::filesystem;

TEST(PlatformProgramSearch, NeverLooksBelowTheCurrentFolder) {
    enum Folder { kLauncher = 1, kCurrent = 2, kOnPath = 4 };
    const struct {
        const char* name;
        std::string below;  // the folder part of the name
        int placed;         // where a copy of the program lies
        int found;          // where it is found; 0: nowhere
    } cases[] = {
        {"bare, beside the launcher", "", kLauncher, kLauncher},
        {"bare, in the current folder", "", kCurrent, 0},
        {"bare, in both", "", kLauncher | kCurrent, kLauncher},
        {"bare, in the current folder and on PATH", "", kCurrent | kOnPath, kOnPath},
        {"below a folder, beside the launcher", "sub\\", kLauncher, kLauncher},
        {"below a folder, in the current folder", "sub\\", kCurrent, 0},
        {"below a folder, in both", ".\\sub\\", kLauncher | kCurrent, kLauncher},
        {"below a folder, in the current folder and on PATH", "sub\\", kCurrent | kOnPath, kOnPath},
    };
    char self[4096] = {};
    ASSERT_NE(platform::OwnExecutablePath(self, sizeof self), 0U);
    const std::string program = testsupport::ExecutableName("prog");
    const bool windows = program != "prog";
    const fs::path start = fs::current_path();
    const char* path = std::getenv("PATH");
    const std::string savedPath = path != nullptr ? path : "";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const testutil::TempDir dir;
        const fs::path folders[3] = {dir.path() / "launcher", dir.path() / "current",
                                     dir.path() / "path"};
        std::string below = c.below.substr(c.below.rfind(".\\", 0) == 0 ? 2 : 0);
        std::replace(below.begin(), below.end(), '\\', '/');
        for (int i = 0; i < 3; ++i) {
            fs::create_directories(folders[i] / below);
            if ((c.placed & (1 << i)) != 0) {
                fs::copy_file(self, folders[i] / below / program);
            }
        }
        // A relative PATH entry stands for the current folder, too.
        testsupport::SetEnv("PATH", (windows ? ".;" : ".:") + folders[2].string());
        fs::current_path(folders[1]);
        const platform::ProgramCheck found = platform::CheckProgram(
            ("\"" + c.below + "prog\" KelvoFile \"r.rec\"").c_str(), folders[0].string().c_str());
        fs::current_path(start);
        testsupport::SetEnv("PATH", savedPath);
        if (c.found == 0) {
            EXPECT_EQ(found.path, "");
        } else {
            const int at = c.found == kLauncher ? 0 : 2;
            EXPECT_EQ(fs::canonical(found.path), fs::canonical(folders[at] / below / program));
        }
    }
}

}  // namespace
