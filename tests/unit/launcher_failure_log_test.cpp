// The failure log's rules: the switch, the causes, and names kept on one line.
#include <gtest/gtest.h>

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
        {"", false},
        {"[log]\nfailures=1\n", true},
        {"[LOG]\r\nFailures = 1 \r\n", true},
        {"[log]\nfailures=0\n", false},
        {"[log]\nfailures=yes\n", false},
        {"[log]\nfailures=01\n", false},
        {"[log]\nfailures\n", false},
        {"failures=1\n", false},  // in no section
        {"[other]\nfailures=1\n", false},
        {"[ log ]\nfailures=1\n", false},
        {"[log]\nfailures=1\nfailures=0\n", false},  // the last one decides
        {"[log]\nfailures=0\n[log]\nfailures=1\n", true},
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

TEST(FailureLog, CausesOfFilesThatDontOpenAndOfEntriesPassedOver) {
    using platform::OpenError;
    const std::pair<OpenError, std::pair<LaunchCause, LaunchCause>> opens[] = {
        {OpenError::kMissing, {LaunchCause::kRecordMissing, LaunchCause::kTableMissing}},
        {OpenError::kNotAFile, {LaunchCause::kRecordNotAFile, LaunchCause::kTableNotAFile}},
        {OpenError::kSharing, {LaunchCause::kRecordHeld, LaunchCause::kTableHeld}},
        {OpenError::kNoAccess, {LaunchCause::kRecordNoAccess, LaunchCause::kTableNoAccess}},
        {OpenError::kOther, {LaunchCause::kRecordUnreadable, LaunchCause::kTableUnreadable}},
    };
    for (const auto& [why, causes] : opens) {
        EXPECT_EQ(RecordCause(why), causes.first);
        EXPECT_EQ(TableCause(why), causes.second);
    }
    const std::pair<EntryVerdict, LaunchCause> verdicts[] = {
        {EntryVerdict::kClientPathUnquotable, LaunchCause::kClientPathUnquotable},
        {EntryVerdict::kRecordPathUnquotable, LaunchCause::kRecordPathUnquotable},
        {EntryVerdict::kRecordPathTooLong, LaunchCause::kRecordPathTooLong},
        {EntryVerdict::kCommandLineTooLong, LaunchCause::kCommandLineTooLong},
        // A verdict added later without a cause of its own.
        {static_cast<EntryVerdict>(99), LaunchCause::kClientCannotStart},
    };
    for (const auto& [verdict, cause] : verdicts) {
        EXPECT_EQ(CauseOfVerdict(verdict), cause);
    }
}

// The Event Log shows the message of an entry's event id from the launcher's
// message table: every cause has its message, with its words.
TEST(FailureLog, MessageTableHasEveryCause) {
    const std::string messages =
        testutil::ReadFile(RECLAUNCH_SOURCE_DIR "/launcher/failure_messages.mc");
    std::size_t count = 0;
    for (auto at = messages.find("\nMessageId="); at != std::string::npos;
         at = messages.find("\nMessageId=", at + 1)) {
        ++count;
    }
    EXPECT_EQ(count, std::size(kLaunchCauses));
    for (const LaunchCauseText& cause : kLaunchCauses) {
        const std::size_t at = messages.find("\nMessageId=" + std::to_string(cause.eventId) + "\n");
        ASSERT_NE(at, std::string::npos) << cause.code;
        EXPECT_EQ(messages.find("Language=English\nA launch failed: " + std::string(cause.words) +
                                    ".%nRecord: %1%nKind: %2%nGame table: %3%nCause: %4%n"
                                    "For the details, run: %5\n.\n",
                                at),
                  messages.find("Language=English\n", at))
            << cause.code;
    }
}

TEST(FailureLog, NamesStayOnOneLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Records\\0001.rec", "C:\\Records\\0001.rec"},
        {"a\nforged line", "a\\x0Aforged line"},
        {std::string("\r\t\x1B\x7F\0z", 6), "\\x0D\\x09\\x1B\\x7F\\x00z"},
        {"\xC5\xC6\\\x81\x5C.rec", "\xC5\xC6\\\x81\x5C.rec"},  // GBK, a 0x5C trail byte too
    };
    for (const auto& [name, escaped] : cases) {
        EXPECT_EQ(EscapeForLog(name), escaped);
    }
}

}  // namespace
