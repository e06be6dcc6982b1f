// The running program's own facts: module, executable path, start-up.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/os.h"

namespace {

TEST(PlatformModule, FrameworkComesUpOnlyWithAModule) {
    void* module = platform::OwnModuleHandle();
    ASSERT_NE(module, nullptr);
    EXPECT_TRUE(platform::InitFramework(module, platform::OwnCommandLine(), 0));
    EXPECT_FALSE(platform::InitFramework(nullptr, platform::OwnCommandLine(), 0));
}

TEST(PlatformModule, FileNameIsThisExecutable) {
    char path[4096];
    const std::uint32_t length = platform::OwnExecutablePath(path, sizeof path);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::strlen(path), length);
    EXPECT_TRUE(std::filesystem::path(path).is_absolute());
    EXPECT_TRUE(std::filesystem::is_regular_file(path));
}

TEST(PlatformModule, FileNameIsCutToTheBuffer) {
    char full[4096];
    const std::uint32_t length = platform::OwnExecutablePath(full, sizeof full);
    ASSERT_GT(length, 2u);
    const struct {
        std::uint32_t size;
        std::uint32_t expected;
    } cases[] = {
        {length + 1, length},  // just fits
        {length, length - 1},  // one short: cut, terminated
        {2, 1},
        {1, 0},  // room for the NUL only: no path
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("size " + std::to_string(c.size));
        char cut[4096];
        std::memset(cut, 'z', sizeof cut);
        EXPECT_EQ(platform::OwnExecutablePath(cut, c.size), c.expected);
        EXPECT_EQ(std::string(cut), std::string(full, c.expected));
        EXPECT_EQ(cut[c.size], 'z') << "wrote past the buffer";
    }
    EXPECT_EQ(platform::OwnExecutablePath(full, 0), 0u);
}

}  // namespace
