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

// A path that doesn't fit is reported as cut, the way Windows reports it:
// the buffer's size comes back, and the text is not this program's name.
TEST(PlatformModule, ACutFileNameIsReportedAsCut) {
    char full[4096];
    const std::uint32_t length = platform::OwnExecutablePath(full, sizeof full);
    ASSERT_GT(length, 2u);
    using Name = platform::PathNaming::Name;
    const struct {
        std::uint32_t size;
        std::uint32_t result;
        std::uint32_t stored;
        Name name;
    } cases[] = {
        {length + 1, length, length, Name::kAsGiven},  // just fits
        {length, length, length - 1, Name::kNone},     // one short
        {2, 2, 1, Name::kNone},
        {1, 1, 0, Name::kNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("size " + std::to_string(c.size));
        char cut[4096];
        std::memset(cut, 'z', sizeof cut);
        platform::PathNaming naming;
        EXPECT_EQ(platform::OwnExecutablePath(cut, c.size, &naming), c.result);
        EXPECT_EQ(std::string(cut), std::string(full, c.stored));
        EXPECT_EQ(cut[c.size], 'z') << "wrote past the buffer";
        EXPECT_EQ(naming.name, c.name);
    }
    EXPECT_EQ(platform::OwnExecutablePath(full, 0), 0u);
}

}  // namespace
