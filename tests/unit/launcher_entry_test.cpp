// The entry's start-up failures and exit codes, through its seam.
#include <gtest/gtest.h>

#include <string>

#include "launcher/entry.h"
#include "tests/support/startup_fakes.h"

namespace {

using startup_fakes::CommandLine;
using startup_fakes::FrameworkFails;
using startup_fakes::FrameworkStarts;
using startup_fakes::NoModule;
using startup_fakes::SomeModule;

struct EntryCase {
    const char* name;
    StartupServices services;
    int exitCode;
    std::string output;
};

TEST(LauncherEntry, StartUpFailuresPrintTheirGbkMessage) {
    const EntryCase cases[] = {
        {"no module handle",
         {NoModule, CommandLine, FrameworkStarts},
         1,
         "\xB4\xED\xCE\xF3\x3A\x20GetModuleHandle\x20\xCA\xA7\xB0\xDC\n"},
        {"framework fails",
         {SomeModule, CommandLine, FrameworkFails},
         1,
         "\xB4\xED\xCE\xF3\x3A\x20\x4D\x46\x43\x20\xB3\xF5\xCA\xBC\xBB\xAF\xCA\xA7\xB0\xDC\n"},
        {"no argument", {SomeModule, CommandLine, FrameworkStarts}, 0, ""},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(c.name);
        char program[] = "launcher";
        char* argv[] = {program, nullptr};
        testing::internal::CaptureStdout();
        const int exitCode = RunLauncher(1, argv, c.services);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.output);
        EXPECT_EQ(exitCode, c.exitCode);
    }
}

TEST(LauncherEntry, MissingRecordEndsSilentlyWithZero) {
    char program[] = "launcher";
    char record[] = "no such record file.rec";
    char* argv[] = {program, record, nullptr};
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunLauncher(2, argv, PlatformStartupServices()), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(LauncherEntry, EmptyArgumentVectorIsSafe) {
    char* argv[] = {nullptr};
    EXPECT_EQ(RunLauncher(0, argv, PlatformStartupServices()), 0);
}

}  // namespace
