// End-to-end runs of the real launcher-check: the traps of the configuration
// format it warns about, each reported with its file and line.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/e2e/check_tool.h"
#include "tests/e2e/installation.h"

namespace {

using e2e::CheckRun;
using e2e::CheckTool;
using e2e::Installation;
using e2e::KindBytes;
using nlohmann::json;

// A clean installation: a station file, its site file, and a game table
// whose one entry (%a, a recording client) starts a client for kind 122.
const std::map<std::string, std::string> kCleanConfig = {
    {"StationID.ini", "[stationid]\nstationid=1\n"},
    {"siteinfo_1.ini", "[siteinfo]\nmainpage=https://example.com/\n"},
    {"GameKindID.ini", "[gamekindid]\n122=%a\n"},
};

struct WarningCase {
    const char* name;
    // Config files that differ from the clean ones; "" removes the file.
    std::map<std::string, std::string> files;
    std::string code;
    std::string about;
    int line;  // 0: about the file as a whole
    std::string recordBytes = KindBytes(122);
};

CheckRun CheckWith(const std::map<std::string, std::string>& files, const std::string& recordBytes,
                   const Installation& inst, const CheckTool& tool) {
    std::map<std::string, std::string> config = kCleanConfig;
    for (const auto& [name, bytes] : files) {
        config[name] = bytes;
    }
    for (const auto& [name, bytes] : config) {
        if (!bytes.empty()) {
            inst.WriteConfig(name, e2e::Expand(bytes, inst));
        }
    }
    return tool.Run({inst.WriteRecord("r.rec", recordBytes), "--json"});
}

TEST(LauncherCheckWarnings, NoneForACleanInstallation) {
    Installation inst;
    const CheckTool tool(inst);
    const CheckRun run = CheckWith({}, KindBytes(122), inst, tool);
    ASSERT_TRUE(run.report.is_object()) << run.process.output << run.process.errorOutput;
    EXPECT_TRUE(run.report["warnings"].empty()) << run.report["warnings"].dump(2);
    EXPECT_EQ(run.process.exitCode, 0);
}

TEST(LauncherCheckWarnings, NameEachTrapWithItsFileAndLine) {
    const std::string longValue(1500, 'v');
    const std::vector<WarningCase> cases = {
        {"byte-order mark",
         {{"GameKindID.ini", "\xEF\xBB\xBF[gamekindid]\n122=%a\n"}},
         "byte_order_mark",
         "game_table",
         1},
        {"byte-order mark hides the header",
         {{"GameKindID.ini", "\xEF\xBB\xBF[gamekindid]\n122=%a\n"}},
         "item_before_header",
         "game_table",
         1},
        {"blanks inside the brackets",
         {{"GameKindID.ini", "[ gamekindid ]\n122=%a\n"}},
         "blanks_in_header",
         "game_table",
         1},
        {"text after the closing bracket",
         {{"GameKindID.ini", "[gamekindid]\n122=%a\n[gamekindid] ; more\n"}},
         "text_after_bracket",
         "game_table",
         3},
        {"items before the first header",
         {{"GameKindID.ini", "; games\n122=%a\n[gamekindid]\n"}},
         "item_before_header",
         "game_table",
         2},
        {"section name in another case",
         {{"siteinfo_1.ini", "[SiteInfo]\nmainpage=x\n"}},
         "section_name_case",
         "site_file",
         1},
        {"section names differing in case",
         {{"GameKindID.ini", "[Poker]\n[gamekindid]\n122=%a\n[poker]\n"}},
         "sections_differ_in_case",
         "game_table",
         4},
        {"a key that is no number",
         {{"GameKindID.ini", "[gamekindid]\n122=%a\nabc=%a\n"}},
         "key_not_number",
         "game_table",
         3},
        {"a key read in part",
         {{"GameKindID.ini", "[gamekindid]\n122=%a\n0x7A=%a\n"}},
         "key_not_plain_number",
         "game_table",
         3},
        {"a line split by the reader",
         {{"GameKindID.ini", "[gamekindid]\n\n7=" + longValue + "\n122=%a\n"}},
         "line_split",
         "game_table",
         3},
        {"two entries for one kind",
         {{"GameKindID.ini", "[gamekindid]\n122=%a\n[gamekindid]\n0122=%a\n"}},
         "duplicate_kind",
         "game_table",
         4},
        {"no StationID.ini", {{"StationID.ini", ""}}, "missing_file", "station_file", 0},
        {"no site file for the station chosen",
         {{"StationID.ini", "[stationid]\nstationid=2\n"}},
         "missing_file",
         "site_file",
         0},
        {"no game table", {{"GameKindID.ini", ""}}, "missing_file", "game_table", 0},
        {"a station that is no number",
         {{"StationID.ini", "[stationid]\n\nstationid=two\n"}},
         "station_not_number",
         "station_file",
         3},
        {"a short record", {}, "record_short", "record", 0, "\x7A"},
    };
    for (const WarningCase& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        const CheckTool tool(inst);
        const CheckRun run = CheckWith(c.files, c.recordBytes, inst, tool);
        ASSERT_TRUE(run.report.is_object()) << run.process.output << run.process.errorOutput;
        const std::vector<json> found = e2e::WarningsWithCode(run.report, c.code);
        ASSERT_EQ(found.size(), 1U) << run.report["warnings"].dump(2);
        EXPECT_EQ(found[0]["about"], c.about);
        EXPECT_EQ(found[0]["line"], c.line == 0 ? json(nullptr) : json(c.line));
        EXPECT_FALSE(found[0]["message"].get<std::string>().empty());
    }
}

TEST(LauncherCheckWarnings, ALineOfExactly1023BytesIsNotSplit) {
    Installation inst;
    const CheckTool tool(inst);
    const std::string line = "7=" + std::string(1021, 'v');
    const CheckRun run =
        CheckWith({{"GameKindID.ini", "[gamekindid]\r\n" + line + "\r\n122=%a\r\n"}},
                  KindBytes(122), inst, tool);
    EXPECT_TRUE(e2e::WarningsWithCode(run.report, "line_split").empty())
        << run.report["warnings"].dump(2);
    // The line count stays right behind it.
    ASSERT_EQ(run.report["launches"].size(), 1U);
    EXPECT_EQ(run.report["launches"][0]["line"], 3);
}

// Where this program's own path would be cut, the launcher has no
// installation and reads nothing; the tool says so rather than explain
// another folder. (Windows starts no program this deep.)
TEST(LauncherCheckWarnings, APathThatWouldBeCutGivesNoInstallation) {
    if (e2e::OnWindows()) {
        GTEST_SKIP() << "Windows starts no program whose path exceeds MAX_PATH";
    }
    const Installation inst("outer/" + std::string(240, 'c'));
    const CheckTool tool(inst);
    const CheckRun run = tool.Run({"--json", inst.WriteRecord("r.rec", KindBytes(9))});
    EXPECT_EQ(run.process.exitCode, 1);
    EXPECT_EQ(run.report["installation"]["dir"], "");
    EXPECT_EQ(e2e::WarningsWithCode(run.report, "installation_path_cut").size(), 1U);
}

}  // namespace
