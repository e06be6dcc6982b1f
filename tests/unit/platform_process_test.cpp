// Starting programs: the launcher's StartProcess, and the tests' RunAndWait,
// which runs this very test program as its child (see ChildProcess below).
// What RunAndWait hands a child (arguments, environment, folder) every
// end-to-end run checks through its recording clients; here, what the
// end-to-end checks lean on: captured streams, exit code and time limit.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/os.h"
#include "tests/support/temp_dir.h"
#include "tests/support/testing.h"

namespace {

constexpr const char kChildModeVariable[] = "RECLAUNCH_PLATFORM_TEST_CHILD";
constexpr unsigned kPatientMs = 60000;

bool Start(const std::string& commandLine, const char* currentDirectory = "./") {
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    return platform::StartProcess(writable.data(), currentDirectory);
}

TEST(PlatformStartProcess, StartsAProgramFoundOnThePath) {
    EXPECT_TRUE(Start(testsupport::TrivialCommandLine()));
}

TEST(PlatformStartProcess, ReportsWhatCannotStart) {
    testutil::TempDir dir;
    const std::string notAProgram = dir / testsupport::ExecutableName("data");
    testutil::WriteFile(notAProgram, "just some text, no program\n");
    const struct {
        const char* name;
        std::string commandLine;
        std::string currentDirectory;
    } cases[] = {
        {"an empty command line", "", "./"},
        {"an empty program name", " x", "./"},
        {"a program not on the path", "reclaunch-no-such-program-7f3a x", "./"},
        {"a missing program file", platform::JoinCommandLine({dir / "missing", "x"}), "./"},
        {"a file that is no program", platform::JoinCommandLine({notAProgram}), "./"},
        {"a missing current directory", testsupport::TrivialCommandLine(), dir / "missing-folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(Start(c.commandLine, c.currentDirectory.c_str()));
    }
    EXPECT_FALSE(platform::StartProcess(nullptr, "./"));
}

// Where a client program is looked for: a name without a root below the
// launcher's folder, then PATH's absolute folders, never below the current
// folder. StartProcess finds it the same way.
TEST(PlatformProgramSearch, NeverLooksBelowTheCurrentFolder) {
    namespace fs = std::filesystem;
    // Where copies lie and where one is found: 1 beside the launcher, 2 in
    // the current folder, 4 in a folder on PATH; 0 nowhere.
    const std::tuple<std::string, int, int> cases[] = {
        {"prog", 1, 1},      {"prog", 2, 0},      {"prog", 3, 1},         {"prog", 6, 4},
        {"sub\\prog", 1, 1}, {"sub\\prog", 2, 0}, {".\\sub\\prog", 3, 1}, {"sub\\prog", 6, 4},
    };
    char self[4096] = {};
    ASSERT_NE(platform::OwnExecutablePath(self, sizeof self), 0U);
    const std::string program = testsupport::ExecutableName("prog");
    const fs::path start = fs::current_path();
    const char* path = std::getenv("PATH");
    const std::string savedPath = path != nullptr ? path : "";
    for (const auto& [name, placed, where] : cases) {
        SCOPED_TRACE(name + " placed " + std::to_string(placed));
        const testutil::TempDir dir;
        const fs::path folders[] = {dir.path() / "1", dir.path() / "2", dir.path() / "4"};
        const std::string below = name.find("sub") == std::string::npos ? "" : "sub";
        for (int i = 0; i < 3; ++i) {
            fs::create_directories(folders[i] / below);
            if ((placed & (1 << i)) != 0) {
                fs::copy_file(self, folders[i] / below / program);
            }
        }
        // A relative PATH entry stands for the current folder too.
        testsupport::SetEnv("PATH", (program == "prog" ? ".:" : ".;") + folders[2].string());
        fs::current_path(folders[1]);
        const std::string found =
            platform::CheckProgram(("\"" + name + "\" x").c_str(), folders[0].string().c_str())
                .path;
        fs::current_path(start);
        EXPECT_EQ(found.empty() ? fs::path() : fs::canonical(found),
                  where == 0 ? fs::path() : fs::canonical(folders[where / 2] / below / program));
    }
    testsupport::SetEnv("PATH", savedPath);
}

// Not a test of its own: what this program does when a test below runs it
// as a child. In a normal run the variable is unset and it does nothing.
TEST(PlatformChildProcess, ActsAsTheParentAsks) {
    const char* mode = std::getenv(kChildModeVariable);
    if (mode == nullptr) {
        return;
    }
    const std::string what = mode;
    if (what == "fail") {
        std::fputs("to the output\n", stdout);
        std::fputs("to the errors\n", stderr);
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(7);
    }
    if (what == "hang") {
        std::this_thread::sleep_for(std::chrono::minutes(5));
        std::_Exit(0);
    }
}

std::string OwnPath() {
    char path[4096];
    EXPECT_NE(platform::OwnExecutablePath(path, sizeof path), 0u);
    return path;
}

testsupport::ProcessResult RunChild(const std::string& mode, unsigned timeoutMs = kPatientMs) {
    const std::string commandLine =
        platform::JoinCommandLine({OwnPath(), "--gtest_filter=PlatformChildProcess.*"});
    const std::string env = std::string(kChildModeVariable) + "=" + mode + "\n";
    return testsupport::RunAndWait(commandLine, "", env, timeoutMs);
}

TEST(PlatformRunAndWait, CapturesBothStreamsAndTheExitCode) {
    const auto run = RunChild("fail");
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 7);
    EXPECT_NE(run.output.find("to the output"), std::string::npos);
    EXPECT_NE(run.errorOutput.find("to the errors"), std::string::npos);
    EXPECT_EQ(run.output.find("to the errors"), std::string::npos);
}

TEST(PlatformRunAndWait, KillsAProgramThatOutlivesItsTime) {
    const auto run = RunChild("hang", 200);
    EXPECT_TRUE(run.started);
    EXPECT_TRUE(run.timedOut);
}

}  // namespace
