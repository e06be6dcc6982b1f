// The start-up messages as a Windows console program writes them: standard
// output is in text mode, so each message's newline reaches it as CR LF. The
// windowless launcher, a GUI program, writes the same bytes to an output
// its starter redirected.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/os.h"
#include "tests/support/testing.h"

namespace {

std::string HelperPath(const char* name) {
    char self[4096] = {};
    platform::OwnExecutablePath(self, sizeof self);
    return (std::filesystem::path(self).parent_path() / testsupport::ExecutableName(name))
        .string();
}

TEST(WindowsStartupMessage, GbkBytesThenCrLfOnStandardOutput) {
    struct Case {
        const char* step;
        std::string output;
    };
    const Case cases[] = {
        {"module", "\xB4\xED\xCE\xF3: GetModuleHandle \xCA\xA7\xB0\xDC\r\n"},
        {"framework", "\xB4\xED\xCE\xF3: MFC \xB3\xF5\xCA\xBC\xBB\xAF\xCA\xA7\xB0\xDC\r\n"},
    };
    const char* const helpers[][2] = {
        {"failing_startup", ""},
        {"failing_startup_windowless", " windowless"},
    };
    for (const auto& helper : helpers) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(helper[0]) + " " + c.step);
            const testsupport::ProcessResult run = testsupport::RunAndWait(
                "\"" + HelperPath(helper[0]) + "\" " + c.step + helper[1],
                std::filesystem::current_path().string(), "", 60000);
            ASSERT_TRUE(run.started);
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.output, c.output);
            EXPECT_EQ(run.errorOutput, "");
        }
    }
}

}  // namespace
