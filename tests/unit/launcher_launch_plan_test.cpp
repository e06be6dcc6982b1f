// The launch plan: which game-table entries start a client for a kind, with
// which command line, in which order, and why the others don't.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "launcher/launch_plan.h"
#include "tests/support/temp_dir.h"

namespace {

// One line per judged entry, in plan order: "<key>=<value> <verdict>".
std::string Describe(const LaunchPlan& plan) {
    static const char* const kVerdicts[] = {
        "start",        "empty",        "no-digit",        "out-of-range",  "other",
        "client-quote", "record-quote", "record-too-long", "line-too-long",
    };
    std::string out;
    for (const GameTableEntry& entry : plan.entries) {
        out += std::string(entry.key) + "=" + entry.value + " " +
               kVerdicts[static_cast<int>(entry.verdict)] + "\n";
    }
    return out;
}

struct PlanCase {
    const char* name;
    std::string table;
    std::int32_t kind;
    std::string entries;  // as Describe gives them
    std::string record = "C:\\Records\\0001.rec";
};

TEST(LaunchPlan, JudgesEveryEntryOfTheGameTableInFileOrder) {
    const std::string record247 = "C:\\" + std::string(240, 'r') + ".rec";
    const PlanCase cases[] = {
        {"a match", "[gamekindid]\n122=C:\\Game\\Poker\\Poker.exe\n", 122,
         "122=C:\\Game\\Poker\\Poker.exe start\n"},
        {"every gamekindid section in any case, in file order, duplicates included",
         "[GAMEKINDID]\n122=a\n7=x\n122=a\n[x]\n[GameKindID]\n122=b\n", 122,
         "122=a start\n7=x other\n122=a start\n122=b start\n"},
        {"lines before the first header and other sections are never read",
         "122=a\n[games]\n122=b\n[gamekindid]\n", 122, ""},
        {"blanks inside the brackets or text behind them name another section",
         "[ gamekindid ]\n122=a\n[gamekindid] ; note\n122=b\n[gamekindid]x\n122=c\n", 122, ""},
        {"a byte-order mark hides the header", "\xEF\xBB\xBF[gamekindid]\n122=a\n", 122, ""},
        {"an empty value or no '=' is skipped whatever the key",
         "[gamekindid]\n122=\n122\n122= \t\nabc=\n122=a\n", 122,
         "122= empty\n122= empty\n122= empty\nabc= empty\n122=a start\n"},
        {"keys are read as strtol reads them",
         "[gamekindid]\n0122=a\n+122=b\n122abc=c\n122 x=d\n\v 122=e\n", 122,
         "0122=a start\n+122=b start\n122abc=c start\n122 x=d start\n\v 122=e start\n"},
        {"hex reads as 0", "[gamekindid]\n0x7A=a\n122=b\n", 0, "0x7A=a start\n122=b other\n"},
        {"keys that are no number", "[gamekindid]\nabc=a\n=b\n+=c\n- 1=d\n", 0,
         "abc=a no-digit\n=b no-digit\n+=c no-digit\n- 1=d no-digit\n"},
        {"keys within 32 bits only, however wide long is",
         "[gamekindid]\n-1=a\n4294967295=b\n2147483648=c\n-2147483649=d\n99999999999=e\n"
         "-2147483648=f\n2147483647=g\n",
         -1,
         "-1=a start\n4294967295=b out-of-range\n2147483648=c out-of-range\n"
         "-2147483649=d out-of-range\n99999999999=e out-of-range\n-2147483648=f other\n"
         "2147483647=g other\n"},
        {"a client path with a double quote", "[gamekindid]\n122=a\" x\n122=b\n", 122,
         "122=a\" x client-quote\n122=b start\n"},
        {"a record path that can't be quoted", "[gamekindid]\n122=a\n", 122, "122=a record-quote\n",
         "C:\\say \"hi\".rec"},
        {"a record path over 246 bytes", "[gamekindid]\n122=a\n", 122, "122=a record-too-long\n",
         record247},
        {"a command line over 259 bytes", "[gamekindid]\n122=" + std::string(240, 'c') + "\n", 122,
         "122=" + std::string(240, 'c') + " line-too-long\n", "r.rec"},
    };
    testutil::TempDir install;
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(c.name);
        testutil::WriteFile(install / "config/GameKindID.ini", c.table);
        const LaunchPlan plan =
            PlanLaunch(c.kind, c.record.c_str(), install.path().string().c_str());
        EXPECT_EQ(plan.tablePath, install.path().string() + "\\config\\GameKindID.ini");
        ASSERT_EQ(plan.loadResult, S_OK);
        EXPECT_EQ(Describe(plan), c.entries);
        for (const GameTableEntry& entry : plan.entries) {
            const std::string line =
                entry.verdict == EntryVerdict::kStart
                    ? "\"" + std::string(entry.value) + "\" KelvoFile \"" + c.record + "\""
                    : "";
            EXPECT_EQ(entry.commandLine, line);
        }
    }
}

TEST(LaunchPlan, NoTableNoEntries) {
    testutil::TempDir install;
    const LaunchPlan missing = PlanLaunch(0, "r.rec", install.path().string().c_str());
    EXPECT_EQ(missing.loadResult, E_FAIL);
    EXPECT_TRUE(missing.entries.empty());

    testutil::WriteFile(install / "config/GameKindID.ini", "");
    // A directory that ends in a separator gets no second one.
    const std::string dir = install.path().string() + "\\";
    const LaunchPlan empty = PlanLaunch(0, "r.rec", dir.c_str());
    EXPECT_EQ(empty.tablePath, dir + "config\\GameKindID.ini");
    EXPECT_EQ(empty.loadResult, S_OK);
    EXPECT_TRUE(empty.entries.empty());
}

// "<dir>\config\GameKindID.ini" fits the 260-byte buffer up to a directory of
// 237 bytes; a longer one would be cut to another file's name, so nothing is read.
TEST(LaunchPlan, ReadsTheTableOnlyWhenItsPathFits) {
    testutil::TempDir root;
    for (const std::size_t length : {std::size_t{237}, std::size_t{238}}) {
        SCOPED_TRACE(length);
        const std::size_t base = root.path().string().size() + 1;
        ASSERT_LT(base, length);
        const std::string dir = root / std::string(length - base, 'd');
        ASSERT_EQ(dir.size(), length);
        const bool fits = length == 237;
        if (fits) {  // the longer table's path would be past Windows' MAX_PATH
            testutil::WriteFile(dir + "/config/GameKindID.ini", "[gamekindid]\n5=c\n");
        }
        const LaunchPlan plan = PlanLaunch(5, "r", dir.c_str());
        EXPECT_EQ(plan.tablePath.size(), fits ? 259U : 0U);
        EXPECT_EQ(plan.loadResult, fits ? S_OK : E_FAIL);
        EXPECT_EQ(plan.entries.size(), fits ? 1U : 0U);
    }
}

// With a 23-byte client, '"<client>" KelvoFile "<record>"' fits 259 bytes up
// to a record name of 221 bytes. A longer name that fits the keyword text is
// handed on by its short name, for every client of the kind, and only then.
TEST(LaunchPlan, TakesTheRecordsShortNameWhenACommandLineWouldNotFit) {
    testutil::TempDir install;
    const std::string client(23, 'c');
    testutil::WriteFile(
        install / "config/GameKindID.ini",
        "[gamekindid]\n5=" + client + "\n5=short\n6=" + std::string(200, 'x') + "\n");
    const struct {
        std::size_t recordLength;
        bool shortNameExists;
        std::string expected;
    } cases[] = {
        {221, true, std::string(221, 'r')},
        {222, true, "R~1.REC"},
        {246, true, "R~1.REC"},
        {222, false, ""},  // no short name: the long entry stays too long
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.recordLength) + (c.shortNameExists ? "" : ", no short name"));
        const std::string record(c.recordLength, 'r');
        std::size_t askedFor = 0;
        const LaunchPlan plan =
            PlanLaunch(5, record.c_str(), install.path().string().c_str(), nullptr,
                       [&](std::size_t maxLength, platform::PathNaming* naming) {
                           askedFor = maxLength;
                           *naming = {c.shortNameExists ? platform::PathNaming::Name::kShortName
                                                        : platform::PathNaming::Name::kNone,
                                      platform::PathNaming::Problem::kTooLong};
                           return c.shortNameExists ? std::string("R~1.REC") : record;
                       });
        ASSERT_EQ(plan.entries.size(), 3U);
        EXPECT_EQ(askedFor, c.recordLength > 221 ? 221U : 0U);
        const std::string handedOn = c.expected.empty() ? record : c.expected;
        EXPECT_EQ(plan.recordPath, handedOn);
        EXPECT_EQ(plan.recordShortForCommandLine, handedOn != record);
        EXPECT_EQ(plan.entries[0].verdict,
                  c.expected.empty() ? EntryVerdict::kCommandLineTooLong : EntryVerdict::kStart);
        EXPECT_EQ(plan.entries[1].commandLine, "\"short\" KelvoFile \"" + handedOn + "\"");
    }
}

}  // namespace
