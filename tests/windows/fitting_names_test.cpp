// Names that fit one buffer but not what is built on them: a record path the
// keyword text holds but a client's command line does not, an installation
// folder whose configuration paths are too long, and, in code page 936,
// names whose last byte is the 0x5C trail byte of a double-byte character.
// Each opens all the same, by its short name or read by character, and
// launcher-check says which name it took.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/os.h"
#include "tests/support/testing.h"
#include "tests/e2e/installation.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using e2e::KindBytes;

// An installation laid out by hand, so that every name and length is the
// test's: the launcher under `launcherName` (and launcher-check) in
// `installDir`, one recording client for kind 9, and a record.
struct Layout {
    std::string installDir;
    std::string launcherName = "launcher.exe";
    std::string client;
    std::string clientInTable;  // the client's name in the table's code page
    std::string record;
};

struct Outcome {
    e2e::LaunchResult run;
    nlohmann::json report;
};

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(fs::u8path(path), std::ios::binary) << bytes;
}

// Every name is UTF-8 here and reaches Windows as UTF-16.
Outcome OpenAndCheck(const testutil::TempDir& root, const Layout& at) {
    const std::string reports = root.path().string() + "\\reports";
    fs::create_directories(reports);
    fs::create_directories(fs::u8path(at.installDir + "\\config"));
    fs::create_directories(fs::u8path(at.record).parent_path());
    const std::string launcher = at.installDir + "\\" + at.launcherName;
    // Short, so that it still starts beside a launcher whose path takes 259 bytes.
    const std::string check = at.installDir + "\\k.exe";
    fs::copy_file(e2e::BuildFolder() / "launcher" / "launcher.exe", fs::u8path(launcher));
    fs::copy_file(e2e::BuildFolder() / "tools" / "launcher-check" / "launcher-check.exe",
                  fs::u8path(check));
    fs::copy_file(e2e::BuildFolder() / "tests" / "record_client.exe", fs::u8path(at.client),
                  fs::copy_options::overwrite_existing);
    Write(at.installDir + "\\config\\GameKindID.ini",
          "[gamekindid]\r\n9=" + at.clientInTable + "\r\n");
    Write(at.installDir + "\\config\\StationID.ini", "[stationid]\r\nstationid=5\r\n");
    Write(at.installDir + "\\config\\siteinfo_5.ini",
          "[siteinfo]\r\nmainpage=https://example.com/5\r\n");
    Write(at.record, KindBytes(9));

    using testsupport::Text;
    Outcome got;
    got.run.process = testsupport::RunAndWait(
        platform::JoinCommandLine({launcher, at.record}), root.path().string(),
        "RECLAUNCH_CLIENT_REPORTS=" + reports, 60000, Text::kUtf8);
    got.run.clients = e2e::CollectClientReports(reports, 1);
    const testsupport::ProcessResult checked =
        testsupport::RunAndWait(platform::JoinCommandLine({check, "--json", at.record}),
                                      root.path().string(), "", 60000, Text::kUtf8);
    got.report = nlohmann::json::parse(checked.output, nullptr, false);
    EXPECT_TRUE(got.report.is_object())
        << checked.exitCode << checked.output << checked.errorOutput;
    if (!got.report.is_object()) {
        got.report = nlohmann::json::object();
    }
    return got;
}

// The client started, could open the record it was handed, and the station's
// site file was read.
void ExpectOpenedWithSite(const Outcome& got) {
    e2e::ExpectSilentSuccess(got.run);
    ASSERT_EQ(got.run.clients.size(), 1U);
    EXPECT_EQ(got.run.clients[0].recordHead, KindBytes(9));
    EXPECT_EQ(got.report["station"]["station"], 5);
    EXPECT_EQ(got.report["site"]["loaded"], true);
    EXPECT_EQ(got.report["site"]["values"]["mainpage"], "https://example.com/5");
    EXPECT_EQ(got.report["exit_code"], 0);
}

// `prefix` followed by as many `fill` bytes as make it `length` long.
std::string PaddedTo(const std::string& prefix, std::size_t length, char fill) {
    EXPECT_LT(prefix.size(), length);
    return prefix + std::string(length - prefix.size(), fill);
}

// A record path of up to 246 bytes fits the keyword text; with a long
// client, '"<client>" KelvoFile "<record>"' does not: it is handed on by its
// short name.
TEST(WindowsFittingNames, RecordTooLongForTheCommandLineGoesByItsShortName) {
    const testutil::TempDir root;
    const std::string base = root.path().string();
    Layout at;
    at.installDir = base + "\\game";
    at.client = at.clientInTable = base + "\\" + std::string(30, 'c') + ".exe";
    // The shortest record path that makes the command line too long, and the longest.
    const std::size_t shortest = 259 - (sizeof "\"\" KelvoFile \"\"" - 1) - at.client.size() + 1;
    for (const std::size_t length : {shortest, std::size_t{246}}) {
        SCOPED_TRACE(length);
        at.record =
            PaddedTo(base + "\\records" + std::to_string(length) + "\\r", length - 4, 'r') + ".rec";
        const Outcome got = OpenAndCheck(root, at);
        fs::remove_all(at.installDir);
        ExpectOpenedWithSite(got);
        ASSERT_EQ(got.run.clients.size(), 1U);
        EXPECT_NE(got.run.clients[0].args.back(), at.record);
        EXPECT_EQ(got.report["record"]["short_for_command_line"], true);
        EXPECT_EQ(got.report["record"]["handed_on_as"], got.run.clients[0].args.back());
    }
}

// An installation folder of 238 to 246 bytes: the launcher's path fits, its
// configuration paths would not, so they are built on the folder's short name.
TEST(WindowsFittingNames, DeepInstallationReadsItsConfigurationByTheShortName) {
    const testutil::TempDir root;
    const std::string base = root.path().string();
    for (const std::size_t length : {std::size_t{238}, std::size_t{246}}) {
        SCOPED_TRACE(length);
        Layout at;
        at.installDir = PaddedTo(base + "\\i" + std::to_string(length) + "\\", length, 'i');
        at.client = at.clientInTable = base + "\\client.exe";
        at.record = base + "\\r.rec";
        const Outcome got = OpenAndCheck(root, at);
        fs::remove_all(at.installDir);
        fs::remove(at.client);
        ExpectOpenedWithSite(got);
        EXPECT_EQ(got.report["installation"]["config_by_short_name"], true);
    }
}

// Code page 936: the launcher named '乗.exe' (GBK 81 5C) in a folder named
// '游戏乗': its folder is found by character, and the folder is joined to
// config\... with a separator of its own.
TEST(WindowsFittingNames, GbkNamesEndingInTrailByte5C) {
    if (platform::AnsiCodePage() != 936) {
        GTEST_SKIP() << "needs ANSI code page 936 (RECLAUNCH_WINE_LOCALE=zh_CN.UTF-8)";
    }
    const std::string jou = "\xE4\xB9\x97";  // in UTF-8; GBK 81 5C
    const std::string jouGbk = "\x81\x5C";
    const testutil::TempDir root;
    const std::string base = root.path().string();
    Layout at;
    at.installDir = base + "\\\xE6\xB8\xB8\xE6\x88\x8F" + jou;  // 游戏乗
    at.launcherName = jou + ".exe";
    at.client = base + "\\" + jou + ".exe";
    at.clientInTable = base + "\\" + jouGbk + ".exe";
    at.record = base + "\\" + jou + "\\" + jou + ".rec";
    const Outcome got = OpenAndCheck(root, at);
    ExpectOpenedWithSite(got);
    ASSERT_EQ(got.run.clients.size(), 1U);
    const std::string recordGbk = base + "\\" + jouGbk + "\\" + jouGbk + ".rec";
    EXPECT_EQ(got.run.clients[0].commandLine,
              "\"" + at.clientInTable + "\" KelvoFile \"" + recordGbk + "\"");
}

}  // namespace
