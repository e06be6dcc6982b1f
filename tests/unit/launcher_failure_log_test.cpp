// The failure log's rules: the switch, the causes, and names kept on one line.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "launcher/failure_entry.h"
#include "launcher/launch_causes.h"
#include "launcher/log_switch.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(FailureLog, OnOnlyForFailuresOneInALogSection) {
    struct Case {
        const char* settings;  // nullptr: no file
        bool on;
    };
    const Case cases[] = {
        {nullptr, false},
        {"[LOG]\r\nFailures = 1 \r\n", true},
        {"[log]\nfailures=yes\n", false},
        {"[other]\nfailures=1\n", false},
        {"[log]\nfailures=1\nfailures=0\n", false},  // the last one decides
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings != nullptr ? c.settings : "(no file)");
        testutil::TempDir installation;
        if (c.settings != nullptr) {
            testutil::WriteFile(installation / "config/reclaunch.ini", c.settings);
        }
        EXPECT_EQ(FailureLogOn(installation.path().string().c_str()), c.on);
    }
    // The file the packages ship leaves the log off.
    testutil::TempDir installation;
    testutil::WriteFile(installation / "config/reclaunch.ini",
                        testutil::ReadFile(RECLAUNCH_SOURCE_DIR "/packaging/config/reclaunch.ini"));
    EXPECT_FALSE(FailureLogOn(installation.path().string().c_str()));
}

// The Event Log shows the message of an entry's event id from the launcher's
// message table: every cause has its message, with its words.
TEST(FailureLog, MessageTableHasEveryCause) {
    const std::string messages =
        testutil::ReadFile(RECLAUNCH_SOURCE_DIR "/launcher/failure_messages.mc");
    std::string expected;
    for (const LaunchCauseText& cause : kLaunchCauses) {
        expected +=
            "MessageId=" + std::to_string(cause.eventId) + "\nA launch failed: " + cause.words +
            ".%nRecord: %1%nKind: %2%nGame table: %3%nCause: %4%nFor the details, run: %5\n";
    }
    std::string got;
    std::istringstream lines(messages);
    for (std::string line; std::getline(lines, line);) {
        got +=
            line.rfind("MessageId=", 0) == 0 || line.rfind("A launch", 0) == 0 ? line + "\n" : "";
    }
    EXPECT_EQ(got, expected);
}

TEST(FailureLog, NamesStayOnOneLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\nforged line", "a\\x0Aforged line"},
        {std::string("\r\t\x1B\x7F\0z", 6), "\\x0D\\x09\\x1B\\x7F\\x00z"},
        {"\xC5\xC6\\\x81\x5C.rec", "\xC5\xC6\\\x81\x5C.rec"},  // GBK, a 0x5C trail byte too
    };
    for (const auto& [name, escaped] : cases) {
        EXPECT_EQ(EscapeForLog(name), escaped);
    }
}

}  // namespace
