// The running program's own facts: module, executable path, start-up.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

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

// The command line is this run's own: its first argument names this program.
TEST(PlatformModule, CommandLineStartsWithThisProgram) {
    const std::vector<std::string> args = platform::SplitCommandLine(platform::OwnCommandLine());
    ASSERT_FALSE(args.empty());
    char path[4096];
    ASSERT_GT(platform::OwnExecutablePath(path, sizeof path), 0u);
    EXPECT_TRUE(std::filesystem::equivalent(args[0], path)) << args[0];
}

// A path that doesn't fit is reported as cut, the way Windows reports it: the
// buffer's size comes back, and the text is not this program's name. Windows
// may name the program by its folder's short name instead, which must then
// name this very file.
TEST(PlatformModule, APathThatDoesNotFitIsShortenedOrReportedAsCut) {
    char full[4096];
    const std::uint32_t length = platform::OwnExecutablePath(full, sizeof full);
    ASSERT_GT(length, 2u);
    using Name = platform::PathNaming::Name;
    for (const std::uint32_t size : {length + 1, length, 2u, 1u}) {
        SCOPED_TRACE("size " + std::to_string(size));
        char cut[4096];
        std::memset(cut, 'z', sizeof cut);
        platform::PathNaming naming;
        const std::uint32_t result = platform::OwnExecutablePath(cut, size, &naming);
        EXPECT_EQ(cut[size], 'z') << "wrote past the buffer";
        if (size == length + 1) {
            EXPECT_EQ(result, length);
            EXPECT_EQ(naming.name, Name::kAsGiven);
        }
        if (result < size) {
            EXPECT_EQ(std::strlen(cut), result);
            EXPECT_NE(naming.name, Name::kNone);
            EXPECT_TRUE(std::filesystem::equivalent(cut, full));
        } else {
            EXPECT_EQ(result, size);
            EXPECT_EQ(naming.name, Name::kNone);
            EXPECT_EQ(std::string(cut), std::string(full, size - 1));
        }
    }
    EXPECT_EQ(platform::OwnExecutablePath(full, 0), 0u);
}

}  // namespace
