// Starting programs: the launcher's StartProcess, and the tests' RunAndWait,
// which runs this very test program as its child (see ChildProcess below).
#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/os.h"
#include "platform/testing.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr const char kChildModeVariable[] = "RECLAUNCH_PLATFORM_TEST_CHILD";
constexpr const char kChildValueVariable[] = "RECLAUNCH_PLATFORM_TEST_VALUE";
constexpr unsigned kPatientMs = 60000;

bool Start(const std::string& commandLine, const char* currentDirectory = "./") {
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    return platform::StartProcess(writable.data(), currentDirectory);
}

TEST(PlatformStartProcess, StartsAProgramFoundOnThePath) {
    EXPECT_TRUE(Start(platform::testing::TrivialCommandLine()));
}

TEST(PlatformStartProcess, ReportsWhatCannotStart) {
    testutil::TempDir dir;
    const std::string notAProgram = dir / platform::testing::ExecutableName("data");
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
        {"a missing current directory", platform::testing::TrivialCommandLine(),
         dir / "missing-folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(Start(c.commandLine, c.currentDirectory.c_str()));
    }
    EXPECT_FALSE(platform::StartProcess(nullptr, "./"));
}

// Not a test of its own: what this program does when a test below runs it
// as a child. In a normal run the variable is unset and it does nothing.
TEST(PlatformChildProcess, ActsAsTheParentAsks) {
    const char* mode = std::getenv(kChildModeVariable);
    if (mode == nullptr) {
        return;
    }
    const std::string what = mode;
    if (what == "report") {
        // One line each, in hex, so that any byte survives the trip.
        auto hex = [](const std::string& text) {
            std::string out;
            for (const char c : text) {
                char pair[3];
                std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(c));
                out += pair;
            }
            return out;
        };
        const std::vector<std::string> args =
            platform::SplitCommandLine(platform::GetCommandLine());
        for (std::size_t i = 1; i < args.size(); ++i) {
            std::printf("arg:%s\n", hex(args[i]).c_str());
        }
        const char* value = std::getenv(kChildValueVariable);
        std::printf("value:%s\n", value == nullptr ? "(none)" : value);
        std::printf("cwd:%s\n", hex(platform::GetCurrentDir()).c_str());
        std::fflush(stdout);
        std::_Exit(0);
    }
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
    EXPECT_NE(platform::GetModuleFileName(path, sizeof path), 0u);
    return path;
}

platform::testing::ProcessResult RunChild(const std::string& mode,
                                          const std::vector<std::string>& extraArgs,
                                          const std::string& currentDirectory = "",
                                          const std::string& extraEnv = "",
                                          unsigned timeoutMs = kPatientMs) {
    std::vector<std::string> args{OwnPath(), "--gtest_filter=PlatformChildProcess.*"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    const std::string env = std::string(kChildModeVariable) + "=" + mode + "\n" + extraEnv;
    return platform::testing::RunAndWait(platform::JoinCommandLine(args), currentDirectory, env,
                                         timeoutMs);
}

// The lines of `output` that start with `prefix`, without it (and without
// the CR that a text-mode stream may have added).
std::vector<std::string> LinesAfter(const std::string& output, const std::string& prefix) {
    std::vector<std::string> found;
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        if (end == std::string::npos) {
            end = output.size();
        }
        std::string line = output.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.compare(0, prefix.size(), prefix) == 0) {
            found.push_back(line.substr(prefix.size()));
        }
        start = end + 1;
    }
    return found;
}

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

TEST(PlatformRunAndWait, ChildGetsItsArgumentsEnvironmentAndFolder) {
    testutil::TempDir dir;
    platform::testing::SetEnv(kChildValueVariable, "from the parent");
    const std::vector<std::string> sent = {
        "plain", "", "a b", "a\"b", "a\\", "\\\\server\\share\\", "tab\there", "\"", "x\\\"y",
    };
    const auto run = RunChild("report", sent, dir.path().string(),
                              std::string(kChildValueVariable) + "=for the child");
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0) << run.output << run.errorOutput;

    std::vector<std::string> received;
    for (const std::string& hex : LinesAfter(run.output, "arg:")) {
        received.push_back(FromHex(hex));
    }
    ASSERT_GE(received.size(), sent.size());
    EXPECT_EQ(std::vector<std::string>(received.end() - static_cast<std::ptrdiff_t>(sent.size()),
                                       received.end()),
              sent);
    EXPECT_EQ(LinesAfter(run.output, "value:"), std::vector<std::string>{"for the child"});
    const std::vector<std::string> cwd = LinesAfter(run.output, "cwd:");
    ASSERT_EQ(cwd.size(), 1u);
    EXPECT_TRUE(std::filesystem::equivalent(FromHex(cwd[0]), dir.path()));
}

TEST(PlatformRunAndWait, CapturesBothStreamsAndTheExitCode) {
    const auto run = RunChild("fail", {});
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 7);
    EXPECT_NE(run.output.find("to the output"), std::string::npos);
    EXPECT_NE(run.errorOutput.find("to the errors"), std::string::npos);
    EXPECT_EQ(run.output.find("to the errors"), std::string::npos);
}

TEST(PlatformRunAndWait, KillsAProgramThatOutlivesItsTime) {
    const auto run = RunChild("hang", {}, "", "", 200);
    EXPECT_TRUE(run.started);
    EXPECT_TRUE(run.timedOut);
}

}  // namespace
