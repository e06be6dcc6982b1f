#include <cstring>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "common/limits.h"
#include "hall/work_dir.h"
#include "tests/support/case_name.h"

namespace {

struct WorkDirCase {
    const char* name;
    const char* input;  // the executable's path, or the command line when fromCommandLine
    bool fromCommandLine;
    std::string expected;
};

// Failure messages name the case rather than dump its bytes.
void PrintTo(const WorkDirCase& c, std::ostream* out) {
    *out << c.name;
}

std::string Compute(const WorkDirCase& c, char (&buffer)[reclaunch::kMaxPath]) {
    // Stale bytes from an earlier call must not show through.
    std::memset(buffer, 'z', sizeof buffer);
    std::uint32_t moduleLength = 0;
    if (!c.fromCommandLine) {
        std::strcpy(buffer, c.input);
        moduleLength = static_cast<std::uint32_t>(std::strlen(c.input));
    }
    const char* dir = ComputeWorkDir(buffer, moduleLength, c.fromCommandLine ? c.input : "unused");
    EXPECT_GE(dir, buffer);
    EXPECT_LT(dir, buffer + sizeof buffer);
    return dir;
}

class HallWorkDir : public ::testing::TestWithParam<WorkDirCase> {};

TEST_P(HallWorkDir, GivesTheDirectory) {
    char buffer[reclaunch::kMaxPath];
    EXPECT_EQ(Compute(GetParam(), buffer), GetParam().expected);
}

const WorkDirCase kModulePaths[] = {
    {"Backslashes", "C:\\Game\\Launcher.exe", false, "C:\\Game"},
    {"ForwardSlashes", "C:/Game/Launcher.exe", false, "C:/Game"},
    {"MixedSeparators", "C:\\Game/Sub\\Launcher.exe", false, "C:\\Game/Sub"},
    {"DriveRoot", "C:\\Launcher.exe", false, "C:"},
    {"PosixPath", "/opt/game/launcher", false, "/opt/game"},
    {"PosixRoot", "/launcher", false, "/"},
    {"NoSeparatorStaysWhole", "Launcher.exe", false, "Launcher.exe"},
    {"BlanksAreKept", "C:\\Program Files\\Game\\Launcher.exe", false, "C:\\Program Files\\Game"},
};
INSTANTIATE_TEST_SUITE_P(ModulePath, HallWorkDir, ::testing::ValuesIn(kModulePaths),
                         testutil::CaseName());

const WorkDirCase kCommandLines[] = {
    {"QuotedWithBlanks", "\"C:\\Program Files\\Game\\Launcher.exe\" \"C:\\Records\\0001.rec\"",
     true, "C:\\Program Files\\Game\\"},
    {"Unquoted", "C:\\Game\\Launcher.exe C:\\Records\\0001.rec", true, "C:\\Game\\"},
    {"UnquotedEndsAtFirstBlank", "C:\\Program Files\\Game\\Launcher.exe x", true, "C:\\"},
    {"TabDoesNotEndTheToken", "C:\\Game\\Launcher.exe\tC:\\Records\\x.rec", true,
     "C:\\Game\\Launcher.exe\tC:\\Records\\"},
    {"ForwardSlashes", "/opt/game/launcher /records/x.rec", true, "/opt/game/"},
    {"QuotedTokenEndsAtQuote", "\"C:\\Game\\Launcher.exe\"x\\y", true, "C:\\Game\\"},
    // The token has no end: it runs to the end of the text.
    {"QuoteNeverClosed", "\"C:\\Game\\Launcher.exe", true, "C:\\Game\\"},
    {"QuoteNeverClosedWithBlanks", "\"C:\\Program Files\\Game\\Launcher.exe x", true,
     "C:\\Program Files\\Game\\"},
    {"NoBlank", "C:\\Game\\Launcher.exe", true, "C:\\Game\\"},
    // No separator in the token: the current directory.
    {"BareName", "Launcher.exe C:\\Records\\0001.rec", true, "."},
    {"QuotedBareName", "\"Launcher.exe\" \"C:\\Records\\0001.rec\"", true, "."},
    {"EmptyQuotes", "\"\" x", true, "."},
    {"EmptyCommandLine", "", true, "."},
    {"LeadingBlank", " C:\\Game\\Launcher.exe", true, "."},
};
INSTANTIATE_TEST_SUITE_P(CommandLine, HallWorkDir, ::testing::ValuesIn(kCommandLines),
                         testutil::CaseName());

// A cut path names another file, and its folder may be a parent of ours or
// one whose name merely begins like ours: no directory at all, then.
TEST(HallWorkDirCut, ACutPathGivesNoDirectory) {
    const std::string folder = "C:\\" + std::string(250, 'a') + "\\";
    char buffer[reclaunch::kMaxPath];

    // The command line's first token runs past the 259 bytes read.
    const std::string longLine = folder + "Launcher" + std::string(20, 'b') + "\\x.exe rec";
    EXPECT_STREQ(ComputeWorkDir(buffer, 0, longLine.c_str()), "");
    // A short first token still counts when the rest of the line is cut.
    const std::string longRest = "C:\\Game\\Launcher.exe " + std::string(300, 'r');
    EXPECT_STREQ(ComputeWorkDir(buffer, 0, longRest.c_str()), "C:\\Game\\");

    // The executable's path was cut (the platform returns the buffer's size),
    // even left unterminated.
    std::memset(buffer, 'a', sizeof buffer);
    std::memcpy(buffer, "C:\\Game\\", 8);
    EXPECT_STREQ(ComputeWorkDir(buffer, reclaunch::kMaxPath, "unused"), "");
}

}  // namespace
