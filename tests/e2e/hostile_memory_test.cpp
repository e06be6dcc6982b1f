// Memory stays bounded however large the configuration is: the INI loader
// stops at its ceiling of sections and items, and a failed allocation ends a
// load like the ceiling does instead of escaping as a crash.
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <string>

#include "common/limits.h"
#include "common/result_codes.h"
#include "ini/ini_file_parse.h"
#include "tests/support/testing.h"
#include "tests/e2e/hostile_support.h"
#include "tests/e2e/installation.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using e2e::Installation;

std::size_t Entries(const CIniFileParse& document) {
    std::size_t entries = 0;
    for (std::ptrdiff_t s = 0; s < document.m_arrSections.GetSize(); ++s) {
        entries += 1 + static_cast<std::size_t>(document.m_arrSections[s].m_arrItems.GetSize());
    }
    return entries;
}

// Far past the ceiling, in sections or in items: the loader says so, keeps
// exactly as many entries as it may and stops reading there.
TEST(HostileMemory, LoaderStopsAtItsCeilingWhateverTheFileHolds) {
    constexpr std::size_t kCeiling = reclaunch::kMaxDocumentEntries;
    struct Case {
        const char* name;
        std::string content;
        std::size_t sections;
    };
    std::string manyItems = "[first]\n";
    for (std::size_t i = 0; i < 4 * kCeiling; ++i) {
        manyItems += "k=v\n";
    }
    const Case cases[] = {
        {"sections only", hostile::PastTheCeiling("", "[s]\n"), kCeiling},
        {"four times as many items", manyItems, 1},
        {"item lines before any header", hostile::PastTheCeiling("", "x\n"), 1},
    };
    testutil::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir / "big.ini";
        testutil::WriteFile(path, c.content);
        CIniFileParse document;
        EXPECT_EQ(document.LoadFile(path.c_str()), E_TOOMANYITEMS);
        EXPECT_EQ(Entries(document), kCeiling);
        EXPECT_EQ(static_cast<std::size_t>(document.m_arrSections.GetSize()), c.sections);
    }
}

// Runs the launcher on `record` with its address space limited to
// `limitBytes` (0: no limit), by the util-linux prlimit program.
testsupport::ProcessResult RunLimited(const Installation& inst, const fs::path& reports,
                                            std::size_t limitBytes, const std::string& record) {
    std::string commandLine = "prlimit ";
    if (limitBytes != 0) {
        commandLine += "--as=" + std::to_string(limitBytes) + " ";
    }
    commandLine += e2e::QuoteArgument(inst.launcherPath()) + " " + e2e::QuoteArgument(record);
    return testsupport::RunAndWait(commandLine, inst.workDir(),
                                         "RECLAUNCH_CLIENT_REPORTS=" + reports.string(), 60000);
}

// A game table of 100 000 entries needs about 100 MiB as a document; under a
// limit of 64 MiB of address space its load runs out of memory part way.
// The launcher ends as always, with what it read: an entry at the top still
// starts, one at the bottom is never reached.
TEST(HostileMemory, LauncherSurvivesRunningOutOfMemory) {
    if (hostile::AddressSanitized()) {
        GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit";
    }
    const testsupport::ProcessResult probe =
        testsupport::RunAndWait("prlimit --version", "", "", 20000);
    if (!probe.started || probe.exitCode != 0) {
        GTEST_SKIP() << "no prlimit program here to limit a process's address space";
    }
    constexpr std::size_t kLimit = std::size_t{64} << 20;
    constexpr std::size_t kFiller = 100000;

    for (const bool entryFirst : {true, false}) {
        SCOPED_TRACE(entryFirst ? "entry at the top" : "entry at the bottom");
        Installation inst;
        const std::string client = inst.AddClient("clients/game");
        std::string table = "[gamekindid]\n";
        const std::string entry = "7=" + client + "\n";
        if (entryFirst) {
            table += entry;
        }
        for (std::size_t i = 0; i < kFiller; ++i) {
            table += "8=x\n";
        }
        if (!entryFirst) {
            table += entry;
        }
        inst.WriteConfig("GameKindID.ini", table);
        const std::string record = inst.WriteRecord("records/r.rec", e2e::KindBytes(7));
        const fs::path reports = fs::path(inst.root()) / "limited-reports";
        fs::create_directories(reports);

        // Without the limit both entries are reached.
        const testsupport::ProcessResult unlimited = RunLimited(inst, reports, 0, record);
        EXPECT_EQ(unlimited.exitCode, 0);
        EXPECT_EQ(e2e::CollectClientReports(reports.string(), 1).size(), 1U);

        const std::size_t expected = entryFirst ? 1 : 0;
        const e2e::LaunchResult limited{RunLimited(inst, reports, kLimit, record),
                                        e2e::CollectClientReports(reports.string(), expected)};
        e2e::ExpectSilentSuccess(limited);
        EXPECT_EQ(limited.clients.size(), expected);
        hostile::ExpectRecordPassedExactly(limited, record);
    }
}

}  // namespace
