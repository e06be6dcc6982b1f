// End-to-end runs of the real launcher-check: the facts it reports through
// --json, its verdict on each game-table entry, and its exit codes.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/check_tool.h"
#include "tests/e2e/installation.h"

namespace {

namespace fs = std::filesystem;
using e2e::CheckRun;
using e2e::CheckTool;
using e2e::Expand;
using e2e::Installation;
using e2e::KindBytes;
using nlohmann::json;

std::string ClientCommandLine(const std::string& client, const std::string& record) {
    return "\"" + client + "\" KelvoFile \"" + record + "\"";
}

TEST(LauncherCheck, ReportsTheInstallationItStandsIn) {
    Installation inst;
    const CheckTool tool(inst);
    const std::string client = inst.AddClient("clients/poker");
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\r\n; poker\r\n122=" + client + "\r\n");
    inst.WriteConfig("StationID.ini", "[StationID]\r\nSTATIONID=7\r\n");
    inst.WriteConfig("siteinfo_7.ini",
                     "[SiteInfo]\r\nMainPage=Pages\\Index.Htm\r\nimageskinid=abc\r\n");
    const std::string record = inst.WriteRecord("records/poker.rec", KindBytes(122) + "hand");

    const CheckRun run = tool.Run({record, "--json"});
    ASSERT_TRUE(run.report.is_object()) << run.process.output << run.process.errorOutput;
    const json& report = run.report;
    EXPECT_EQ(run.process.exitCode, 0);
    EXPECT_EQ(report["format"], 1);

    EXPECT_EQ(e2e::PathOf(report["installation"]["dir"]), fs::path(inst.dir()));
    EXPECT_EQ(report["installation"]["found_from"], "executable_path");

    // The facts a support call needs: where the station came from, what the
    // site file said, what the record holds and which line starts what.
    EXPECT_EQ(report["station"]["station"], 7);
    EXPECT_EQ(report["station"]["chosen_by"]["line"], 2);
    EXPECT_EQ(report["site"]["values"].size(), 51U);  // the station and the 50 keys
    EXPECT_EQ(report["site"]["values"]["mainpage"], "Pages\\Index.Htm");
    EXPECT_EQ(report["site"]["values"]["imageskinid"], 0);
    EXPECT_EQ(report["record"]["header_hex"], "7a000000");
    EXPECT_EQ(report["record"]["kind"], 122);

    ASSERT_EQ(report["launches"].size(), 1U);
    const json& launch = report["launches"][0];
    EXPECT_EQ(launch["line"], 3);
    EXPECT_EQ(launch["command_line"], ClientCommandLine(client, record));
    EXPECT_EQ(launch["program"]["status"], "runnable");
    EXPECT_EQ(report["clients_starting"], 1);
    // [StationID] and [SiteInfo] are read all the same, but said so.
    std::vector<std::string> warnings;
    for (const json& warning : report["warnings"]) {
        warnings.push_back(warning["code"]);
    }
    EXPECT_EQ(warnings, (std::vector<std::string>{"section_name_case", "section_name_case"}));
}

TEST(LauncherCheck, WithoutConfigurationTheStationIsOneAndTheSiteKeepsItsDefaults) {
    Installation inst;
    const CheckTool tool(inst);
    const std::string record = inst.WriteRecord("r.rec", KindBytes(122));

    const CheckRun run = tool.Run({record, "--json"});
    ASSERT_TRUE(run.report.is_object()) << run.process.output << run.process.errorOutput;
    EXPECT_EQ(run.report["station"]["station"], 1);
    EXPECT_EQ(run.report["station"]["file_result"], "not_opened");
    EXPECT_EQ(e2e::PathOf(run.report["site"]["file"]).filename(), "siteinfo_1.ini");
    EXPECT_FALSE(run.report["site"]["loaded"].get<bool>());
    EXPECT_EQ(run.report["site"]["values"]["imageplazaid"], 1);
    EXPECT_EQ(run.process.exitCode, 1);
}

// Each entry of the searched sections with its line, its verdict's code and
// what goes with that verdict; the verdicts themselves are the launch plan's.
TEST(LauncherCheck, TellsWhyEachEntryIsUsedOrSkipped) {
    const std::string longPath = "C:\\" + std::string(250, 'x') + ".exe";
    Installation inst;
    const CheckTool tool(inst);
    inst.WriteConfig("GameKindID.ini",
                     Expand("x=1\n[GameKindID]\n122=%a\n\n7=%b\n122=\n122\nabc=%a\n"
                            "2147483648=%a\n[ gamekindid ]\n122=%a\n[gamekindid]\n122=%a\" x\n"
                            "122=" +
                                longPath + "\n",
                            inst));
    const CheckRun run = tool.Run({inst.WriteRecord("r.rec", KindBytes(122)), "--json"});
    ASSERT_TRUE(run.report.is_object()) << run.process.output << run.process.errorOutput;

    std::vector<std::string> verdicts;
    std::vector<int> lines;
    for (const json& entry : e2e::Entries(run.report)) {
        verdicts.push_back(entry["verdict"]);
        lines.push_back(entry["line"]);
        const bool keyRead = entry["verdict"] != "empty_value" &&
                             entry["verdict"] != "key_no_digit" &&
                             entry["verdict"] != "key_out_of_range";
        EXPECT_EQ(entry["key_kind"].is_number(), keyRead) << entry.dump();
        EXPECT_EQ(entry["command_line"].is_string(), entry["verdict"] == "start");
    }
    EXPECT_EQ(verdicts,
              (std::vector<std::string>{"start", "other_kind", "empty_value", "empty_value",
                                        "key_no_digit", "key_out_of_range",
                                        "client_path_unquotable", "command_line_too_long"}));
    EXPECT_EQ(lines, (std::vector<int>{3, 5, 6, 7, 8, 9, 13, 14}));
    std::vector<bool> searched;
    for (const json& section : run.report["game_table"]["sections"]) {
        searched.push_back(section["searched"]);
    }
    EXPECT_EQ(searched, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(run.process.exitCode, 0);
    EXPECT_EQ(run.report["exit_code"], 0);
}

TEST(LauncherCheck, ARecordPathTooLongForTheCommandLineIsSkipped) {
    Installation inst;
    const CheckTool tool(inst);
    inst.WriteConfig("GameKindID.ini", Expand("[gamekindid]\n122=%a\n", inst));
    // 250 bytes in all: past the 246 the keyword text has room for.
    const std::string tail = "/r.rec";
    const std::size_t folder = 250 - inst.root().size() - 1 - tail.size();
    const std::string record = inst.WriteRecord(std::string(folder, 'd') + tail, KindBytes(122));
    ASSERT_EQ(record.size(), 250U);

    const CheckRun run = tool.Run({record, "--json"});
    const std::vector<json> entries = e2e::Entries(run.report);
    ASSERT_EQ(entries.size(), 1U) << run.process.output << run.process.errorOutput;
    if (e2e::OnWindows()) {  // which hands on the short name instead
        EXPECT_EQ(run.report["record"]["naming"]["name"], "short_name");
        EXPECT_EQ(run.report["record"]["naming"]["problem"], "too_long");
        EXPECT_EQ(entries[0]["verdict"], "start");
        return;
    }
    EXPECT_EQ(entries[0]["verdict"], "record_path_too_long");
    EXPECT_EQ(run.process.exitCode, 1);
}

TEST(LauncherCheck, ReportsTheRecordItCantOpenAndStopsThere) {
    Installation inst;
    const CheckTool tool(inst);
    inst.WriteConfig("GameKindID.ini", Expand("[gamekindid]\n122=%a\n", inst));
    const CheckRun run = tool.Run({inst.root() + "/no such record.rec", "--json"});
    ASSERT_TRUE(run.report.is_object()) << run.process.output << run.process.errorOutput;
    EXPECT_FALSE(run.report["record"]["opened"].get<bool>());
    EXPECT_EQ(run.report["record"]["kind"], nullptr);
    EXPECT_FALSE(run.report["game_table"]["consulted"].get<bool>());
    EXPECT_TRUE(run.report["launches"].empty());
    EXPECT_EQ(run.process.exitCode, 1);
}

TEST(LauncherCheck, TellsWhetherEachProgramExistsAndCanRun) {
    struct ProgramCase {
        const char* name;
        std::string value;  // the table's value for kind 122; %a a recording client
        const char* status;
        int exitCode;
    };
    const std::vector<ProgramCase> cases = {
        {"a program", "%a", "runnable", 0},
        {"no such file", "%a.missing", "missing", 1},
        {"a text file", "%t", "not_runnable", 1},
        {"a folder", "%d", "not_runnable", 1},
    };
    for (const ProgramCase& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        const CheckTool tool(inst);
        std::string value = Expand(c.value, inst);
        if (value == "%t") {
            value = inst.WriteRecord(testsupport::ExecutableName("clients/notes"),
                                     "not a program\n");
        } else if (value == "%d") {
            value = inst.root() + "/" + testsupport::ExecutableName("clients");
            fs::create_directories(value);
        }
        inst.WriteConfig("GameKindID.ini", "[gamekindid]\n122=" + value + "\n");
        const CheckRun run = tool.Run({inst.WriteRecord("r.rec", KindBytes(122)), "--json"});
        ASSERT_TRUE(run.report.is_object()) << run.process.output << run.process.errorOutput;
        ASSERT_EQ(run.report["launches"].size(), 1U);
        EXPECT_EQ(run.report["launches"][0]["program"]["status"], c.status);
        EXPECT_EQ(run.process.exitCode, c.exitCode);
    }
}

TEST(LauncherCheck, UsageErrorsExitWith2AndHelpWith0) {
    Installation inst;
    const CheckTool tool(inst);
    const std::vector<std::vector<std::string>> usageErrors = {
        {}, {"--json"}, {"a.rec", "b.rec"}, {"a.rec", "--no-such-option"}, {"a.rec", "--install"},
    };
    for (const auto& args : usageErrors) {
        const CheckRun run = tool.Run(args);
        EXPECT_EQ(run.process.exitCode, 2) << testing::PrintToString(args);
        EXPECT_EQ(run.process.output, "");
        EXPECT_NE(run.process.errorOutput, "");
    }
    const CheckRun help = tool.Run({"--help"});
    EXPECT_EQ(help.process.exitCode, 0);
    EXPECT_NE(help.process.output.find("RECORD"), std::string::npos);
    EXPECT_NE(help.process.output.find("--install"), std::string::npos);
}

TEST(LauncherCheck, ChecksAnotherInstallationWithInstall) {
    Installation here;
    const CheckTool tool(here);
    here.WriteConfig("GameKindID.ini", "[gamekindid]\n");
    Installation there("other game");
    const std::string client = there.AddClient("clients/poker");
    there.WriteConfig("GameKindID.ini", "[gamekindid]\n122=" + client + "\n");
    const std::string record = there.WriteRecord("r.rec", KindBytes(122));

    const CheckRun other = tool.Run({"--install", there.dir(), record, "--json"});
    ASSERT_TRUE(other.report.is_object()) << other.process.output << other.process.errorOutput;
    EXPECT_EQ(other.process.exitCode, 0);
    EXPECT_EQ(other.report["installation"]["found_from"], "install_option");
    EXPECT_EQ(e2e::PathOf(other.report["installation"]["dir"]), fs::path(there.dir()));
    ASSERT_EQ(other.report["launches"].size(), 1U);
    EXPECT_EQ(other.report["launches"][0]["command_line"], ClientCommandLine(client, record));

    // A trailing separator names the same installation.
    const CheckRun slash = tool.Run({record, "--install", there.dir() + "/", "--json"});
    EXPECT_EQ(slash.report["installation"]["dir"], other.report["installation"]["dir"]);
}

TEST(LauncherCheck, TheTextReportTellsTheSameStory) {
    Installation inst;
    const CheckTool tool(inst);
    const std::string client = inst.AddClient("clients/poker");
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\n122=" + client + "\n7=" + client + "\n");
    inst.WriteConfig("StationID.ini", "; which site\n[stationid]\nstationid=3\n");
    const std::string record = inst.WriteRecord("r.rec", KindBytes(122));

    const CheckRun run = tool.Run({record});
    EXPECT_EQ(run.process.exitCode, 0);
    EXPECT_EQ(run.report, nullptr);
    const std::string& text = run.process.output;
    for (const std::string& expected :
         {ClientCommandLine(client, record), std::string("game kind 122"),
          std::string("another kind (7)"), std::string("1 client would start"),
          std::string("first bytes 7a 00 00 00"),
          std::string("StationID.ini, line 3: [stationid] stationid=3"),
          std::string("line 2: 122=" + client)}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
}

}  // namespace
