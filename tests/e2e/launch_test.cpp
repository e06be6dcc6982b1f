// End-to-end runs of the real launcher in a temporary installation, with
// real client processes that write down what they were given.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/installation.h"

namespace {

using e2e::Installation;
using e2e::KindBytes;

constexpr const char* kKeyword = "KelvoFile";

using e2e::ExpectSilentSuccess;

std::string Line(const std::string& text) {
    return text + "\r\n";
}

TEST(LauncherRun, NoArgumentMissingRecordAndDirectoryStartNothing) {
    Installation inst;
    const std::string client = inst.AddClient("clients/poker");
    inst.WriteConfig("GameKindID.ini", Line("[gamekindid]") + Line("0=" + client));
    const std::vector<std::vector<std::string>> argumentLists = {
        {}, {inst.root() + "/no such record.rec"}, {inst.root()},  // a folder is no record
    };
    for (const auto& args : argumentLists) {
        const e2e::LaunchResult run = inst.Launch(args, 0);
        ExpectSilentSuccess(run);
        EXPECT_TRUE(run.clients.empty()) << (args.empty() ? "(no argument)" : args[0]);
    }
}

TEST(LauncherRun, StartsTheClientWithTheRecordFromTheLaunchersDirectory) {
    Installation inst("game folder");
    const std::string client = inst.AddClient("game clients/poker client");
    inst.WriteConfig("GameKindID.ini", Line("[GameKindID]") + Line("122=" + client));
    const std::string record = inst.WriteRecord("my records/table 1.rec", KindBytes(122) + "rest");

    const e2e::LaunchResult run = inst.Launch({record, "ignored", "also ignored"}, 1);
    ExpectSilentSuccess(run);
    ASSERT_EQ(run.clients.size(), 1U);
    const e2e::ClientReport& got = run.clients[0];
    ASSERT_EQ(got.args.size(), 3U);
    EXPECT_EQ(got.args[1], kKeyword);
    EXPECT_EQ(got.args[2], record);
    EXPECT_EQ(std::filesystem::path(got.executable), std::filesystem::path(client));
    EXPECT_EQ(std::filesystem::path(got.currentDir), std::filesystem::path(inst.workDir()));
}

// Which of the clients a, b, c, ... a table starts for a record.
struct MatchCase {
    const char* name;
    std::string table;  // %a, %b, %c stand for the clients' paths
    std::int32_t kind;
    std::vector<std::string> expected;  // client names, in any order
};

std::string Expand(std::string text, const Installation& inst) {
    for (const char* name : {"a", "b", "c"}) {
        const std::string mark = std::string("%") + name;
        const std::string path = inst.AddClient(std::string("clients/") + name);
        for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark)) {
            text.replace(at, mark.size(), path);
        }
    }
    return text;
}

TEST(LauncherRun, MatchingRules) {
    const std::vector<MatchCase> cases = {
        {"section name in any case",
         "[GAMEKINDID]\n122=%a\n[gamekindid]\n122=%b\n",
         122,
         {"a", "b"}},
        {"blanks inside the brackets", "[ gamekindid ]\n122=%a\n[gamekindid]\n7=%b\n", 122, {}},
        {"entries before the first header", "122=%a\n[gamekindid]\n122=%b\n", 122, {"b"}},
        {"other sections", "[games]\n122=%a\n[gamekindid]\n122=%b\n", 122, {"b"}},
        {"empty value and no '='", "[gamekindid]\n122=\n122\n122= \t\n122=%a\n", 122, {"a"}},
        {"leading zero and plus", "[gamekindid]\n0122=%a\n+122=%b\n", 122, {"a", "b"}},
        {"text behind the digits", "[gamekindid]\n122abc=%a\n122 x=%b\n", 122, {"a", "b"}},
        {"hex is read as 0", "[gamekindid]\n0x7A=%a\n122=%b\n", 0, {"a"}},
        {"minus one", "[gamekindid]\n-1=%a\n4294967295=%b\n", -1, {"a"}},
        {"keys that are no number", "[gamekindid]\nabc=%a\n=%b\n122=%c\n", 122, {"c"}},
        {"past 32 bits",
         "[gamekindid]\n2147483648=%a\n-2147483649=%b\n-2147483648=%c\n",
         INT32_MIN,
         {"c"}},
        {"wrapping 64-bit key", "[gamekindid]\n99999999999=%a\n1215752191=%b\n", 1215752191, {"b"}},
        {"every match starts",
         "[gamekindid]\n122=%a\n122=%a\n[x]\n[gamekindid]\n122=%b\n",
         122,
         {"a", "a", "b"}},
        {"missing program before a valid one",
         "[gamekindid]\n122=%a.missing\n122=%b\n",
         122,
         {"b"}},
        {"byte-order mark hides the header", "\xEF\xBB\xBF[gamekindid]\n122=%a\n", 122, {}},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        inst.WriteConfig("GameKindID.ini", Expand(c.table, inst));
        const std::string record = inst.WriteRecord("r.rec", KindBytes(c.kind));
        const e2e::LaunchResult run = inst.Launch({record}, c.expected.size());
        ExpectSilentSuccess(run);
        std::vector<std::string> started;
        for (const e2e::ClientReport& client : run.clients) {
            started.push_back(std::filesystem::path(client.executable).stem().string());
        }
        std::vector<std::string> expected = c.expected;
        std::sort(started.begin(), started.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(started, expected);
    }
}

TEST(LauncherRun, ShortRecordsGiveTheLowBytesOfTheKind) {
    struct Case {
        std::string bytes;
        std::int32_t kind;
    };
    const std::vector<Case> cases = {
        {"", 0},
        {"\x7A", 122},
        {std::string("\x7A\x00", 2), 122},
        {std::string("\x7A\x00\x00", 3), 122},
        {std::string("\x7A\x00\x00\x00\x63", 5), 122},
        {"\xFF\xFF\xFF\xFF", -1},
        {"\x01\x02", 0x0201},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Installation inst;
        const std::string client = inst.AddClient("clients/game");
        inst.WriteConfig("GameKindID.ini",
                         "[gamekindid]\n" + std::to_string(c.kind) + "=" + client + "\n");
        const e2e::LaunchResult run = inst.Launch({inst.WriteRecord("r.rec", c.bytes)}, 1);
        ExpectSilentSuccess(run);
        EXPECT_EQ(run.clients.size(), 1U);
    }
}

TEST(LauncherRun, MissingOrEmptyGameTableStartsNothing) {
    Installation inst;
    const std::string record = inst.WriteRecord("r.rec", KindBytes(0));
    ExpectSilentSuccess(inst.Launch({record}, 0));
    inst.WriteConfig("GameKindID.ini", "");
    const e2e::LaunchResult run = inst.Launch({record}, 0);
    ExpectSilentSuccess(run);
    EXPECT_TRUE(run.clients.empty());
}

// The client command line is "<client>" KelvoFile "<record>": 15 bytes
// around the two paths. 259 bytes pass whole; a longer line starts nothing,
// since a cut line would hand the client a wrong record path.
TEST(LauncherRun, CommandLineLengthBoundary) {
    for (const std::size_t length : {std::size_t{259}, std::size_t{260}}) {
        SCOPED_TRACE(length);
        Installation inst;
        const std::string shortClient = inst.AddClient("c");
        const std::string record = inst.WriteRecord("r.rec", KindBytes(5));
        const std::size_t fixed = shortClient.size() + record.size() + 15;
        ASSERT_LT(fixed, length);
        // Pad the client's folder name so the whole line has `length` bytes.
        const std::string folder(length - fixed, 'p');
        const std::string client = inst.AddClient(folder.substr(1) + "/c");
        ASSERT_EQ(client.size() + record.size() + 15, length);
        inst.WriteConfig("GameKindID.ini", "[gamekindid]\n5=" + client + "\n");
        const e2e::LaunchResult run = inst.Launch({record}, length == 259 ? 1 : 0);
        ExpectSilentSuccess(run);
        ASSERT_EQ(run.clients.size(), length == 259 ? 1U : 0U);
        if (!run.clients.empty()) {
            ASSERT_EQ(run.clients[0].args.size(), 3U);
            EXPECT_EQ(run.clients[0].args[2], record);
        }
    }
}

TEST(LauncherRun, OverlongPathsStartNothing) {
    {
        SCOPED_TRACE("record path over 246 bytes");
        Installation inst;
        const std::string client = inst.AddClient("c");
        inst.WriteConfig("GameKindID.ini", "[gamekindid]\n5=" + client + "\n");
        std::string name = "r";
        const std::string base = inst.root() + "/";
        name += std::string(247 - base.size() - name.size() - 4, 'x') + ".rec";
        const std::string record = inst.WriteRecord(name, KindBytes(5));
        ASSERT_EQ(record.size(), 247U);
        // Windows hands on the record's short name instead.
        const std::size_t expected = e2e::OnWindows() ? 1 : 0;
        const e2e::LaunchResult run = inst.Launch({record}, expected);
        ExpectSilentSuccess(run);
        ASSERT_EQ(run.clients.size(), expected);
        if (expected == 1) {
            EXPECT_LE(run.clients[0].args.back().size(), 246U);
            EXPECT_EQ(run.clients[0].recordHead, KindBytes(5));
        }
    }
    {
        SCOPED_TRACE("installation folder over 237 bytes");
        Installation probe;
        const std::size_t rootLength = probe.root().size() + 1;
        Installation inst(std::string(238 - rootLength, 'i'));
        ASSERT_EQ(inst.dir().size(), 238U);
        const std::string client = inst.AddClient("c");
        inst.WriteConfig("GameKindID.ini", "[gamekindid]\n5=" + client + "\n");
        const e2e::LaunchResult run = inst.Launch({inst.WriteRecord("r.rec", KindBytes(5))}, 0);
        ExpectSilentSuccess(run);
        EXPECT_TRUE(run.clients.empty());
    }
}

TEST(LauncherRun, RecordHeldOpenExclusivelyStartsNothing) {
    Installation inst;
    const std::string client = inst.AddClient("c");
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\n5=" + client + "\n");
    const std::string record = inst.WriteRecord("r.rec", KindBytes(5));
    {
        const auto holder =
            platform::testing::HoldOpen(record, platform::testing::HeldFile::Mode::kExclusive);
        ASSERT_TRUE(holder != nullptr);
        const e2e::LaunchResult run = inst.Launch({record}, 0);
        ExpectSilentSuccess(run);
        EXPECT_TRUE(run.clients.empty());
    }
    const e2e::LaunchResult released = inst.Launch({record}, 1);
    ExpectSilentSuccess(released);
    EXPECT_EQ(released.clients.size(), 1U);
}

TEST(LauncherRun, RecordPathWithAQuoteStartsNothing) {
    Installation inst;
    const std::string client = inst.AddClient("c");
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\n5=" + client + "\n");
    std::string record;
    try {
        record = inst.WriteRecord("say \"hi\".rec", KindBytes(5));
    } catch (const std::exception&) {
    }
    if (record.empty() || !std::filesystem::exists(record)) {
        GTEST_SKIP() << "this file system has no file names with a double quote";
    }
    const e2e::LaunchResult run = inst.Launch({record}, 0);
    ExpectSilentSuccess(run);
    EXPECT_TRUE(run.clients.empty());
}

}  // namespace
