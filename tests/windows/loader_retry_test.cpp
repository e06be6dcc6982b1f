// The INI loader's second open attempt, 100 ms after the first, against a
// real Windows sharing violation. Loading in this process makes the first
// attempt come at once, so a writer that lets go 50 ms later is sure to fall
// between the two attempts; through the launcher, process start-up under a
// slow host can take longer than that and hide a missing retry.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "ini/ini_file_parse.h"
#include "tests/support/testing.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::HeldFile;

TEST(WindowsLoaderRetry, WriterReleasingBetweenTheAttempts) {
    struct Case {
        const char* name;
        bool release;
        HRESULT result;
        std::ptrdiff_t sections;
    };
    const Case cases[] = {
        {"held at both attempts", false, E_FAIL, 0},
        {"released between the attempts", true, S_OK, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A busy host can hold the releasing thread back past the second
        // attempt; a loader without the retry fails every try, so a few tries
        // keep the test sure without making it flaky.
        HRESULT result = E_FAIL;
        std::ptrdiff_t sections = -1;
        for (int attempt = 0; attempt < 3; ++attempt) {
            testutil::TempDir dir;
            const std::string path = dir / "GameKindID.ini";
            testutil::WriteFile(path, "[gamekindid]\r\n5=client\r\n");
            auto holder = testsupport::HoldOpen(path, HeldFile::Mode::kWriting);
            ASSERT_TRUE(holder != nullptr);
            std::thread releaser;
            if (c.release) {
                releaser = std::thread([&holder] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                    holder->Release();
                });
            }
            CIniFileParse document;
            result = document.LoadFile(path.c_str());
            if (releaser.joinable()) {
                releaser.join();
            }
            sections = document.m_arrSections.GetSize();
            if (result == c.result && sections == c.sections) {
                break;
            }
        }
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(sections, c.sections);
    }
}

}  // namespace
