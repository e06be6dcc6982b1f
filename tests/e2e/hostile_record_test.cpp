// Records that are no regular file: the launcher opens none of them, starts
// nothing, prints nothing and ends with 0 at once, also where opening could
// block (a FIFO without a writer) or reading never ends (/dev/zero).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/testing.h"
#include "tests/e2e/hostile_support.h"
#include "tests/e2e/installation.h"

namespace {

namespace fs = std::filesystem;
using e2e::Installation;

enum class OddRecord {
    kDirectory,
    kFifo,
    kNullDevice,
    kZeroDevice,
    kWindowsNulDevice,
    kUnreadable
};

struct OddRecordCase {
    const char* name;
    OddRecord kind;
};

// Makes the record and returns its path; "" with `why` set when this case
// can't be made on this system.
std::string MakeRecord(const Installation& inst, OddRecord kind, std::string& why) {
    const std::string path = (fs::path(inst.root()) / "records" / "odd.rec").string();
    fs::create_directories(fs::path(path).parent_path());
    switch (kind) {
        case OddRecord::kDirectory:
            fs::create_directories(path);
            return path;
        case OddRecord::kFifo:
            if (!testsupport::MakeFifo(path)) {
                why = "this system has no FIFOs";
                return "";
            }
            return path;
        case OddRecord::kNullDevice:
        case OddRecord::kZeroDevice: {
            const std::string device = kind == OddRecord::kNullDevice ? "/dev/null" : "/dev/zero";
            std::error_code error;
            if (!fs::is_character_file(device, error)) {
                why = "this system has no " + device;
                return "";
            }
            return device;
        }
        case OddRecord::kWindowsNulDevice:
            return "NUL";  // the null device on Windows, a missing file elsewhere
        case OddRecord::kUnreadable:
            inst.WriteRecord("records/odd.rec", e2e::KindBytes(0));
            if (!testsupport::SetAccessible(path, false)) {
                why = testsupport::kAccessRightsDontBind;
                return "";
            }
            return path;
    }
    return "";
}

class HostileRecord : public testing::TestWithParam<OddRecordCase> {};

TEST_P(HostileRecord, StartsNothingAndEndsSilently) {
    Installation inst;
    const std::string client = inst.AddClient("clients/game");
    // Kind 0 is what an empty or zero-filled header reads as: a record read
    // from any of these would start this client.
    inst.WriteConfig("GameKindID.ini", "[gamekindid]\n0=" + client + "\n");
    std::string why;
    const std::string record = MakeRecord(inst, GetParam().kind, why);
    if (record.empty()) {
        GTEST_SKIP() << why;
    }
    const e2e::LaunchResult run = inst.Launch({record}, 0);
    if (GetParam().kind == OddRecord::kUnreadable) {
        testsupport::SetAccessible(record, true);  // so the folder can be removed
    }
    e2e::ExpectSilentSuccess(run);
    EXPECT_TRUE(run.clients.empty());
}

INSTANTIATE_TEST_SUITE_P(
    OddFiles, HostileRecord,
    testing::Values(OddRecordCase{"Directory", OddRecord::kDirectory},
                    OddRecordCase{"FifoWithoutWriter", OddRecord::kFifo},
                    OddRecordCase{"DevNull", OddRecord::kNullDevice},
                    OddRecordCase{"DevZero", OddRecord::kZeroDevice},
                    OddRecordCase{"WindowsNulDevice", OddRecord::kWindowsNulDevice},
                    OddRecordCase{"Unreadable", OddRecord::kUnreadable}),
    [](const testing::TestParamInfo<OddRecordCase>& param) { return param.param.name; });

}  // namespace
