// Configuration files that are odd, empty, damaged or huge. Whatever they
// are, the launcher ends at once with 0 and prints nothing; a damaged game
// table starts only what it plainly names, and damaged station or site files
// don't keep the record from opening. Any client started gets exactly the
// record path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/testing.h"
#include "tests/e2e/hostile_support.h"
#include "tests/e2e/installation.h"

namespace {

namespace fs = std::filesystem;
using e2e::Installation;

enum class Damage {
    kDirectory,
    kFifo,
    kUnreadable,
    kEmpty,
    kLoneByteOrderMark,
    kGarbage,          // random bytes, NULs included, then the usual content
    kTenMegabyteLine,  // then the usual content
    kPastTheCeiling,   // the usual content, then more lines than a document holds
};

struct DamageCase {
    const char* name;
    const char* file;  // below config/
    Damage damage;
};

constexpr std::int32_t kKind = 5;
const char kGameTable[] = "GameKindID.ini";

// What the installation's files hold when they are sound.
std::string UsualContent(const std::string& file, const std::string& client) {
    if (file == kGameTable) {
        return "[gamekindid]\n" + std::to_string(kKind) + "=" + client + "\n";
    }
    if (file == "StationID.ini") {
        return "[stationid]\nstationid=1\n";
    }
    return "[siteinfo]\nmainpage=https://example.com/\nimageskinid=2\n";
}

// A line that adds one entry and matches nothing.
std::string FillerLine(const std::string& file) {
    return file == kGameTable ? std::to_string(kKind + 1) + "=x\n" : "x=y\n";
}

// Writes `file` with the damage; false with `why` when it can't be made here.
bool Damaged(const Installation& inst, const std::string& file, Damage damage,
             const std::string& client, std::string& why) {
    const std::string path = (fs::path(inst.dir()) / "config" / file).string();
    const std::string usual = UsualContent(file, client);
    switch (damage) {
        case Damage::kDirectory:
            fs::create_directories(path);
            return true;
        case Damage::kFifo:
            why = "this system has no FIFOs";
            return testsupport::MakeFifo(path);
        case Damage::kUnreadable:
            inst.WriteConfig(file, usual);
            why = testsupport::kAccessRightsDontBind;
            return testsupport::SetAccessible(path, false);
        case Damage::kEmpty:
            inst.WriteConfig(file, "");
            return true;
        case Damage::kLoneByteOrderMark:
            inst.WriteConfig(file, "\xEF\xBB\xBF");
            return true;
        case Damage::kGarbage:
            inst.WriteConfig(file, hostile::Garbage(64 * 1024, 20240601) + "\n" + usual);
            return true;
        case Damage::kTenMegabyteLine:
            inst.WriteConfig(file, hostile::TenMegabyteLine() + "\n" + usual);
            return true;
        case Damage::kPastTheCeiling:
            inst.WriteConfig(file, hostile::PastTheCeiling(usual, FillerLine(file)));
            return true;
    }
    return false;
}

// Whether the record still opens: a game table that can't be read, or holds
// nothing, starts no client; the content after damage, or before the
// ceiling, still counts. Station and site files never stop the launch.
std::size_t ExpectedClients(const DamageCase& c) {
    if (std::string(c.file) != kGameTable) {
        return 1;
    }
    switch (c.damage) {
        case Damage::kGarbage:
        case Damage::kTenMegabyteLine:
        case Damage::kPastTheCeiling:
            return 1;
        default:
            return 0;
    }
}

class HostileConfig : public testing::TestWithParam<DamageCase> {};

TEST_P(HostileConfig, LaunchesWhatItCanAndEndsSilently) {
    const DamageCase& c = GetParam();
    Installation inst;
    const std::string client = inst.AddClient("clients/game");
    for (const char* file : {kGameTable, "StationID.ini", "siteinfo_1.ini"}) {
        if (c.file != std::string(file)) {
            inst.WriteConfig(file, UsualContent(file, client));
        }
    }
    std::string why;
    if (!Damaged(inst, c.file, c.damage, client, why)) {
        GTEST_SKIP() << why;
    }
    const std::string record = inst.WriteRecord("records/r.rec", e2e::KindBytes(kKind));
    const std::size_t expected = ExpectedClients(c);

    const e2e::LaunchResult run = inst.Launch({record}, expected);
    if (c.damage == Damage::kUnreadable) {
        testsupport::SetAccessible((fs::path(inst.dir()) / "config" / c.file).string(), true);
    }
    e2e::ExpectSilentSuccess(run);
    EXPECT_EQ(run.clients.size(), expected);
    hostile::ExpectRecordPassedExactly(run, record);
}

std::vector<DamageCase> AllCases() {
    const struct {
        const char* name;
        Damage damage;
    } damages[] = {
        {"Directory", Damage::kDirectory},
        {"FifoWithoutWriter", Damage::kFifo},
        {"Unreadable", Damage::kUnreadable},
        {"Empty", Damage::kEmpty},
        {"LoneByteOrderMark", Damage::kLoneByteOrderMark},
        {"Garbage", Damage::kGarbage},
        {"TenMegabyteLine", Damage::kTenMegabyteLine},
        {"PastTheCeiling", Damage::kPastTheCeiling},
    };
    std::vector<DamageCase> cases;
    for (const char* file : {kGameTable, "StationID.ini", "siteinfo_1.ini"}) {
        for (const auto& d : damages) {
            cases.push_back({d.name, file, d.damage});
        }
    }
    return cases;
}

std::string CaseName(const testing::TestParamInfo<DamageCase>& param) {
    std::string file = param.param.file;
    file = file.substr(0, file.find('.'));
    file.erase(std::remove(file.begin(), file.end(), '_'), file.end());
    return file + "_" + param.param.name;
}

INSTANTIATE_TEST_SUITE_P(Files, HostileConfig, testing::ValuesIn(AllCases()), CaseName);

// All three at once, where an open could block or fail in any of them.
TEST(HostileConfigAll, FifosAndDirectoriesEverywhere) {
    for (const Damage damage : {Damage::kFifo, Damage::kDirectory}) {
        SCOPED_TRACE(damage == Damage::kFifo ? "FIFOs" : "directories");
        Installation inst;
        const std::string client = inst.AddClient("clients/game");
        bool made = true;
        std::string why;
        for (const char* file : {kGameTable, "StationID.ini", "siteinfo_1.ini"}) {
            made = made && Damaged(inst, file, damage, client, why);
        }
        if (!made) {
            continue;  // no FIFOs here; the directories still run
        }
        const std::string record = inst.WriteRecord("records/r.rec", e2e::KindBytes(kKind));
        const e2e::LaunchResult run = inst.Launch({record}, 0);
        e2e::ExpectSilentSuccess(run);
        EXPECT_TRUE(run.clients.empty());
    }
}

}  // namespace
