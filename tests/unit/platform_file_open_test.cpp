// Which files the two file objects open, and how they share a file with
// other openers: the binary file shares with nobody, the text file with
// readers only.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/testing.h"

namespace {

using platform::CFile;
using platform::CStdioFile;
using testsupport::HeldFile;

using platform::OpenError;

// Opens `path` with a fresh object of each kind, one after the other (each
// closed again before the next): {binary opened, text opened}, and the cause
// each gave.
struct Opened {
    bool binary;
    bool text;
    OpenError binaryError = OpenError::kNone;
    OpenError textError = OpenError::kNone;
};
Opened OpenBoth(const std::string& path) {
    Opened opened{};
    opened.binary = CFile().Open(path.c_str(), &opened.binaryError);
    opened.text = CStdioFile().Open(path.c_str(), &opened.textError);
    return opened;
}

TEST(PlatformFileOpen, BinaryFileReadsTheFirstBytes) {
    testutil::TempDir dir;
    const struct {
        std::string bytes;
        std::uint32_t expectedCount;
    } cases[] = {
        {std::string("\x7a\x00\x00\x00rest", 8), 4},
        {"\xff\xff", 2},
        {"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("file of " + std::to_string(c.bytes.size()) + " bytes");
        const std::string path = dir / "record.rec";
        testutil::WriteFile(path, c.bytes);
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str()));
        unsigned char kind[4] = {0, 0, 0, 0};
        EXPECT_EQ(file.Read(kind, 4), c.expectedCount);
        EXPECT_EQ(std::memcmp(kind, c.bytes.data(), c.expectedCount), 0);
        file.Close();
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(file.Read(kind, 4), 0u);  // a closed file reads nothing
    }
}

// A FIFO nobody writes to would hang an open that waited for a writer.
TEST(PlatformFileOpen, OnlyExistingRegularFilesOpen) {
    testutil::TempDir dir;
    testutil::WriteFile(dir / "config/table.ini", "x\n");
    testutil::WriteFile(dir / "locked.txt", "x\n");
    std::filesystem::create_directories(dir / "folder");
    struct Case {
        const char* name;
        std::string path;
        OpenError error;  // kNone: it opens
    };
    std::vector<Case> cases = {
        {"a regular file", dir / "config/table.ini", OpenError::kNone},
        {"Windows separators", dir.path().string() + "\\config\\table.ini", OpenError::kNone},
        {"a missing file", dir / "missing.txt", OpenError::kMissing},
        {"a missing folder", dir / "missing/file.txt", OpenError::kMissing},
        {"a folder", dir / "folder", OpenError::kNotAFile},
        {"an empty path", "", OpenError::kMissing},
    };
    if (testsupport::MakeFifo(dir / "fifo")) {
        cases.push_back({"a FIFO", dir / "fifo", OpenError::kNotAFile});
    }
    const bool locked = testsupport::SetAccessible(dir / "locked.txt", false);
    if (locked) {
        cases.push_back({"a file without access rights", dir / "locked.txt", OpenError::kNoAccess});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Opened opened = OpenBoth(c.path);
        EXPECT_EQ(opened.binary, c.error == OpenError::kNone);
        EXPECT_EQ(opened.text, c.error == OpenError::kNone);
        EXPECT_EQ(opened.binaryError, c.error);
        EXPECT_EQ(opened.textError, c.error);
    }
    EXPECT_FALSE(CFile().Open(nullptr));
    EXPECT_FALSE(CStdioFile().Open(nullptr));
    if (locked) {
        testsupport::SetAccessible(dir / "locked.txt", true);
    }
}

TEST(PlatformFileOpen, SharingBetweenOurOwnOpeners) {
    testutil::TempDir dir;
    const std::string path = dir / "shared.txt";
    testutil::WriteFile(path, "x\n");
    enum class Kind { kBinary, kText };
    const struct {
        const char* name;
        Kind first;
        Kind second;
        bool secondOpens;
    } cases[] = {
        {"text, then text: readers share", Kind::kText, Kind::kText, true},
        {"text, then binary", Kind::kText, Kind::kBinary, false},
        {"binary, then text", Kind::kBinary, Kind::kText, false},
        {"binary, then binary", Kind::kBinary, Kind::kBinary, false},
    };
    auto open = [&](Kind kind, CFile& binary, CStdioFile& text) {
        return kind == Kind::kBinary ? binary.Open(path.c_str()) : text.Open(path.c_str());
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFile binary1, binary2;
        CStdioFile text1, text2;
        ASSERT_TRUE(open(c.first, binary1, text1));
        EXPECT_EQ(open(c.second, binary2, text2), c.secondOpens);
        binary1.Close();
        text1.Close();
        EXPECT_TRUE(open(c.second, binary2, text2)) << "closing the first lets it open";
    }
}

TEST(PlatformFileOpen, FileHeldByAnotherProgram) {
    testutil::TempDir dir;
    const std::string path = dir / "held.txt";
    testutil::WriteFile(path, "x\n");
    const struct {
        const char* name;
        HeldFile::Mode mode;
    } cases[] = {
        {"held exclusively", HeldFile::Mode::kExclusive},
        {"held for writing", HeldFile::Mode::kWriting},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<HeldFile> held = testsupport::HoldOpen(path, c.mode);
        ASSERT_NE(held, nullptr);
        const Opened whileHeld = OpenBoth(path);
        EXPECT_FALSE(whileHeld.binary);
        EXPECT_FALSE(whileHeld.text);
        EXPECT_EQ(whileHeld.binaryError, OpenError::kSharing);
        EXPECT_EQ(whileHeld.textError, OpenError::kSharing);
        held->Release();
        const Opened released = OpenBoth(path);
        EXPECT_TRUE(released.binary);
        EXPECT_TRUE(released.text);
    }
}

// A POSIX file name may hold a '\': a name from outside reads the file of
// that very name where there is one, else '\' is a folder separator.
TEST(PlatformFileOpen, BinaryFileReadsABackslashInANameAsItStandsFirst) {
    testutil::TempDir dir;
    testutil::WriteFile(dir / "a/b.rec", "sep");
    const std::string name = dir.path().string() + "/a\\b.rec";
    const bool posix = testsupport::ExecutableName("x") == "x";
    for (const std::string own : {"", "own"}) {
        testutil::WriteFile(posix && !own.empty() ? name : dir / "other", own);
        CFile file;
        char bytes[3] = {};
        ASSERT_TRUE(file.Open(name.c_str()));
        EXPECT_EQ(std::string(bytes, file.Read(bytes, 3)), posix && !own.empty() ? own : "sep");
        EXPECT_EQ(file.BackslashReadAsSeparator(), posix && own.empty());
    }
}

TEST(PlatformFileOpen, ClosedObjectReleasesTheFile) {
    testutil::TempDir dir;
    const std::string path = dir / "record.rec";
    testutil::WriteFile(path, "abcd");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str()));
    }  // destroyed while open
    EXPECT_NE(testsupport::HoldOpen(path, HeldFile::Mode::kExclusive), nullptr);
}

}  // namespace
