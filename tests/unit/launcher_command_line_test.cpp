#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "launcher/client_command_line.h"
#include "launcher/record_header.h"
#include "tests/support/temp_dir.h"
#include "tests/support/testing.h"

namespace {

TEST(ClientCommandLine, Shapes) {
    struct Case {
        std::string client;
        std::string record;
        CommandLineStatus status;
        std::string line;
    };
    const std::string client246(246, 'c');
    const std::string record246(246, 'r');
    const std::vector<Case> cases = {
        {"C:\\Game\\Poker\\Poker.exe", "C:\\Records\\0001.rec", CommandLineStatus::kOk,
         "\"C:\\Game\\Poker\\Poker.exe\" KelvoFile \"C:\\Records\\0001.rec\""},
        {"a b\\c.exe", "d e.rec", CommandLineStatus::kOk, "\"a b\\c.exe\" KelvoFile \"d e.rec\""},
        {"c", "", CommandLineStatus::kOk, "\"c\" KelvoFile \"\""},
        // GBK bytes pass as they are.
        {"\xD3\xCE\xCF\xB7.exe", "\xBC\xC7\xC2\xBC", CommandLineStatus::kOk,
         "\"\xD3\xCE\xCF\xB7.exe\" KelvoFile \"\xBC\xC7\xC2\xBC\""},
        // 259 bytes pass whole, 260 start nothing.
        {std::string(259 - 15 - 1, 'c'), "r", CommandLineStatus::kOk,
         "\"" + std::string(243, 'c') + "\" KelvoFile \"r\""},
        {std::string(260 - 15 - 1, 'c'), "r", CommandLineStatus::kTooLong, ""},
        // A 246-byte record path fits the keyword text but not the whole line.
        {"c", record246, CommandLineStatus::kTooLong, ""},
        {"c", record246 + "r", CommandLineStatus::kRecordPathTooLong, ""},
        {client246, "r", CommandLineStatus::kTooLong, ""},
        // The client would split these into other arguments.
        {"c", "say \"hi\".rec", CommandLineStatus::kRecordPathUnquotable, ""},
        {"c", "C:\\Records\\", CommandLineStatus::kRecordPathUnquotable, ""},
        {"c", "C:\\Records\\a\\b", CommandLineStatus::kOk, "\"c\" KelvoFile \"C:\\Records\\a\\b\""},
        // A quote would end the program name early: the client would get
        // 'evil' and the keyword before the record path.
        {"C:\\x.exe\" \"evil", "r.rec", CommandLineStatus::kClientPathUnquotable, ""},
        {"c\"", "r.rec", CommandLineStatus::kClientPathUnquotable, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.client.substr(0, 20) + " / " + c.record.substr(0, 20));
        char line[reclaunch::kMaxPath];
        std::memset(line, 'x', sizeof line);
        EXPECT_EQ(BuildClientCommandLine(c.client.c_str(), c.record.c_str(), line), c.status);
        EXPECT_EQ(std::string(line), c.line);
        EXPECT_EQ(line[sizeof line - 1], '\0');
    }
}

// The kind is the first four bytes, little-endian; the bytes a short record
// lacks count as 0, and what follows the four is never read.
TEST(RecordHeader, ShortRecordsGiveTheLowBytesOfTheKind) {
    struct Case {
        std::string bytes;
        std::int32_t kind;
    };
    const Case cases[] = {
        {"", 0},
        {"\x7A", 0x7A},
        {std::string("\x7A\x01\x00", 3), 0x017A},
        {std::string("\x7A\x01\x00\x80\x63", 5), static_cast<std::int32_t>(0x8000017AU)},
        {"\xFF\xFF\xFF\xFF", -1},
    };
    testutil::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        const std::string path = dir / "r.rec";
        testutil::WriteFile(path, c.bytes);
        std::int32_t kind = 12345;
        ASSERT_TRUE(ReadRecordKind(path.c_str(), &kind));
        EXPECT_EQ(kind, c.kind);
    }
    std::int32_t kind = 12345;
    EXPECT_FALSE(ReadRecordKind((dir / "missing.rec").c_str(), &kind));
    EXPECT_EQ(kind, 12345);
}

// Another program's open that keeps readers out is waited out for a moment.
TEST(RecordHeader, WaitsOutABriefExclusiveOpen) {
    testutil::TempDir dir;
    const std::string path = dir / "r.rec";
    testutil::WriteFile(path, "\x7A");
    auto held = testsupport::HoldOpen(path, testsupport::HeldFile::Mode::kExclusive);
    std::thread release([&held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        held->Release();
    });
    std::int32_t kind = 0;
    EXPECT_TRUE(ReadRecordKind(path.c_str(), &kind));
    release.join();
}

}  // namespace
