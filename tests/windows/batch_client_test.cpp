// A client listed as a batch file: Windows starts it through the command
// interpreter, so the launcher starts it, and launcher-check says it would,
// with a warning about the interpreter's reading of the command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/e2e/check_tool.h"
#include "tests/e2e/installation.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(WindowsBatchClient, StartsAndTheCheckSaysSo) {
    const e2e::Installation inst;
    const std::string client = inst.AddClient("clients/real");
    const std::string batch = inst.root() + "\\clients\\game.bat";
    testutil::WriteFile(batch, "@\"" + client + "\" %*\r\n");
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\r\n5=" + batch + "\r\n");
    inst.WriteConfig("StationID.ini", "[stationid]\r\nstationid=1\r\n");
    inst.WriteConfig("siteinfo_1.ini", "[siteinfo]\r\n");
    const std::string record = inst.WriteRecord("r.rec", e2e::KindBytes(5));

    const e2e::LaunchResult run = inst.Launch({record}, 1);
    e2e::ExpectSilentSuccess(run);
    ASSERT_EQ(run.clients.size(), 1U);
    EXPECT_EQ(run.clients[0].args.back(), record);

    const e2e::CheckRun check = e2e::CheckTool(inst).Run({"--json", record});
    EXPECT_EQ(check.process.exitCode, 0);
    ASSERT_TRUE(check.report.is_object());
    const nlohmann::json& program = check.report["launches"][0]["program"];
    EXPECT_EQ(program["status"], "runnable");
    EXPECT_EQ(program["kind"], "batch_file");
    EXPECT_EQ(e2e::WarningsWithCode(check.report, "batch_file").size(), 1U);
}

// The interpreter expands %NAME% even inside quotes, and looks for a batch
// file named without a root in the current folder: such entries start
// nothing, and the program beside them gets the record's name unchanged.
TEST(WindowsBatchClient, NoneStartsWhereTheInterpreterWouldReadOtherwise) {
    const e2e::Installation inst;
    const std::string client = inst.AddClient("clients/real");
    testutil::WriteFile(inst.dir() + "\\game.bat", "@\"" + client + "\" %*\r\n");
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\r\n5=" + inst.dir() +
                                           "\\game.bat\r\n5=game.bat\r\n5=" + client + "\r\n");
    const std::string record = inst.WriteRecord("u%USERNAME%v.rec", e2e::KindBytes(5));

    const e2e::LaunchResult run = inst.Launch({record}, 1);
    ASSERT_EQ(run.clients.size(), 1U);
    EXPECT_EQ(run.clients[0].args.back(), record);
    const auto entries = e2e::Entries(e2e::CheckTool(inst).Run({"--json", record}).report);
    ASSERT_EQ(entries.size(), 3U);
    EXPECT_EQ(entries[0]["verdict"], "batch_percent_in_command_line");
    EXPECT_EQ(entries[1]["verdict"], "batch_name_without_root");
}

}  // namespace
