// The text file's line reader: LF ends a line, a CR LF pair reads as one LF
// wherever it falls, long lines come in pieces of size - 1 bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/file.h"
#include "tests/support/temp_dir.h"

namespace {

using platform::CStdioFile;
using Pieces = std::vector<std::string>;

constexpr std::uint32_t kLineBuffer = 1024;
constexpr std::size_t kReadAhead = std::size_t{64} * 1024;  // the reader's refill size

// Every piece the reader delivers for the file, until the end of the file.
Pieces ReadPieces(const std::string& path, std::uint32_t size) {
    CStdioFile file;
    EXPECT_TRUE(file.Open(path.c_str()));
    std::vector<char> buffer(size, 'z');
    Pieces pieces;
    for (;;) {
        std::uint32_t length = size;
        const CStdioFile::ReadResult result = file.ReadString(buffer.data(), size, &length);
        if (result != CStdioFile::ReadResult::kLine) {
            EXPECT_EQ(result, CStdioFile::ReadResult::kEndOfFile);
            EXPECT_EQ(length, 0U);
            break;
        }
        EXPECT_EQ(buffer[length], '\0');
        pieces.emplace_back(buffer.data(), length);
        if (pieces.size() > 1'000'000) {
            ADD_FAILURE() << "the reader does not come to an end";
            break;
        }
    }
    return pieces;
}

Pieces ReadBytes(const std::string& bytes, std::uint32_t size = kLineBuffer) {
    testutil::TempDir dir;
    const std::string path = dir / "lines.txt";
    testutil::WriteFile(path, bytes);
    return ReadPieces(path, size);
}

std::string Repeat(char c, std::size_t count) {
    return std::string(count, c);
}

struct Case {
    const char* name;
    std::string bytes;
    std::uint32_t size;
    Pieces expected;
};

void ExpectPieces(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadBytes(c.bytes, c.size), c.expected);
    }
}

TEST(PlatformTextFile, LineEnds) {
    ExpectPieces({
        {"empty file", "", kLineBuffer, {}},
        {"LF", "a\nb\n", kLineBuffer, {"a\n", "b\n"}},
        {"CR LF", "a\r\nb\r\n", kLineBuffer, {"a\n", "b\n"}},
        {"mixed", "a\r\nb\nc\r\n", kLineBuffer, {"a\n", "b\n", "c\n"}},
        {"no final line end", "a\nbc", kLineBuffer, {"a\n", "bc"}},
        {"empty lines", "\n\r\n\n", kLineBuffer, {"\n", "\n", "\n"}},
        {"lone CR inside", "a\rb\n", kLineBuffer, {"a\rb\n"}},
        {"lone CR at the end", "a\r", kLineBuffer, {"a\r"}},
        {"CR before CR LF", "a\r\r\n", kLineBuffer, {"a\r\n"}},
        {"LF CR", "a\n\rb\n", kLineBuffer, {"a\n", "\rb\n"}},
    });
}

TEST(PlatformTextFile, LongLinesComeInPiecesOfSizeLessOne) {
    const std::string x1500 = Repeat('x', 1500);
    ExpectPieces({
        {"1500 bytes", x1500 + "\n", kLineBuffer, {Repeat('x', 1023), Repeat('x', 477) + "\n"}},
        {"1022 bytes and LF fit",
         Repeat('x', 1022) + "\n",
         kLineBuffer,
         {Repeat('x', 1022) + "\n"}},
        {"1023 bytes: LF comes alone",
         Repeat('x', 1023) + "\n",
         kLineBuffer,
         {Repeat('x', 1023), "\n"}},
        {"1022 bytes and CR LF fit as one LF",
         Repeat('x', 1022) + "\r\n",
         kLineBuffer,
         {Repeat('x', 1022) + "\n"}},
        {"1023 bytes and CR LF",
         Repeat('x', 1023) + "\r\nb\n",
         kLineBuffer,
         {Repeat('x', 1023), "\n", "b\n"}},
        {"1021 bytes and CR LF",
         Repeat('x', 1021) + "\r\n",
         kLineBuffer,
         {Repeat('x', 1021) + "\n"}},
        {"lone CR at the limit",
         Repeat('x', 1022) + "\rb\n",
         kLineBuffer,
         {Repeat('x', 1022) + "\r", "b\n"}},
        {"lone CR at the limit, then end of file",
         Repeat('x', 1022) + "\r",
         kLineBuffer,
         {Repeat('x', 1022) + "\r"}},
        {"no line end", x1500, kLineBuffer, {Repeat('x', 1023), Repeat('x', 477)}},
    });
}

TEST(PlatformTextFile, TinyBuffers) {
    ExpectPieces({
        {"size 4", "abcdefg\n", 4, {"abc", "def", "g\n"}},
        {"size 2", "ab\n", 2, {"a", "b", "\n"}},
        {"size 2, CR LF", "a\r\n", 2, {"a", "\n"}},
        {"size 2, CR LF alone", "\r\n\r\n", 2, {"\n", "\n"}},
        {"size 3, CR LF at the limit", "a\r\nb", 3, {"a\n", "b"}},
        {"size 3, CR CR LF", "\r\r\n", 3, {"\r\n"}},
    });
}

TEST(PlatformTextFile, CrLfAcrossTheReadAheadBoundary) {
    // A first line that fills the read-ahead buffer up to `crAt`, where the CR
    // of the next line's CR LF lies; its LF is the first byte of the refill.
    auto fileWithCrAt = [](std::size_t crAt, std::size_t lineLength) {
        const std::size_t first = crAt - lineLength;  // bytes before the line, with their LF
        return Repeat('z', first - 1) + "\n" + Repeat('a', lineLength) + "\r\nend\n";
    };
    const std::size_t last = kReadAhead - 1;

    Pieces shortLine = ReadBytes(fileWithCrAt(last, 10));
    ASSERT_GE(shortLine.size(), 2u);
    EXPECT_EQ(shortLine[shortLine.size() - 2], Repeat('a', 10) + "\n");
    EXPECT_EQ(shortLine.back(), "end\n");

    // Here the CR is also the last byte that fits the caller's buffer.
    Pieces atLimit = ReadBytes(fileWithCrAt(last, 1022));
    ASSERT_GE(atLimit.size(), 2u);
    EXPECT_EQ(atLimit[atLimit.size() - 2], Repeat('a', 1022) + "\n");
    EXPECT_EQ(atLimit.back(), "end\n");

    // A line longer than the read-ahead buffer, read with a buffer as large.
    const std::string longLine = Repeat('a', kReadAhead - 1) + "\r\n" + Repeat('b', kReadAhead);
    EXPECT_EQ(ReadBytes(longLine, 1 << 20),
              (Pieces{Repeat('a', kReadAhead - 1) + "\n", Repeat('b', kReadAhead)}));
}

TEST(PlatformTextFile, OddBytesArriveUnchanged) {
    ExpectPieces({
        {"high bytes", "\xb4\xed\xce\xf3\xff\x80\n", kLineBuffer, {"\xb4\xed\xce\xf3\xff\x80\n"}},
        {"UTF-8 byte-order mark", "\xef\xbb\xbf[a]\r\n", kLineBuffer, {"\xef\xbb\xbf[a]\n"}},
        {"Ctrl-Z is no end of file", "a\x1a\nb\n", kLineBuffer, {"a\x1a\n", "b\n"}},
        {"control bytes", "\x01\x02\x7f\t\v\f\n", kLineBuffer, {"\x01\x02\x7f\t\v\f\n"}},
    });
}

TEST(PlatformTextFile, NulBytesShortenTheTextButNotTheLine) {
    // The NUL is delivered as a byte and counted in the length; the caller's
    // C string simply ends there.
    EXPECT_EQ(ReadBytes(std::string("a\0b\nc\n", 6)), (Pieces{std::string("a\0b\n", 4), "c\n"}));
    EXPECT_EQ(ReadBytes(std::string("\0\r\nd", 4)), (Pieces{std::string("\0\n", 2), "d"}));
}

// Against a plain model: translate every CR LF to LF, then cut after each
// LF and after every size - 1 bytes.
TEST(PlatformTextFile, MatchesTheTextModeModelOnRandomFiles) {
    std::mt19937 random(77);
    const char alphabet[] = {'a', 'b', '\r', '\n', '\r', '\n', '\xfe'};
    for (int round = 0; round < 12; ++round) {
        std::string bytes(150'000 + random() % 3, 'a');
        for (char& c : bytes) {
            c = alphabet[random() % sizeof alphabet];
        }
        if (round % 3 == 0) {  // also long lines, for the size limit
            for (std::size_t i = 0; i < bytes.size(); ++i) {
                if (bytes[i] == '\n' && random() % 8 != 0) {
                    bytes[i] = 'x';
                }
            }
        }
        const std::uint32_t sizes[] = {2, 3, 17, 1024, 70'000};
        const std::uint32_t size = sizes[round % 5];

        std::string text;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) {
                text += bytes[i];
            }
        }
        Pieces expected;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t lf = text.find('\n', start);
            const std::size_t lineEnd = lf == std::string::npos ? text.size() : lf + 1;
            const std::size_t end = std::min<std::size_t>(lineEnd, start + size - 1);
            expected.push_back(text.substr(start, end - start));
            start = end;
        }
        SCOPED_TRACE("round " + std::to_string(round) + ", size " + std::to_string(size));
        ASSERT_EQ(ReadBytes(bytes, size), expected);
    }
}

TEST(PlatformTextFile, EndOfFileStaysAndLeavesAnEmptyText) {
    testutil::TempDir dir;
    const std::string path = dir / "one.txt";
    testutil::WriteFile(path, "only\n");
    CStdioFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    char buffer[16];
    ASSERT_EQ(file.ReadString(buffer, sizeof buffer), CStdioFile::ReadResult::kLine);
    for (int i = 0; i < 3; ++i) {
        std::memset(buffer, 'z', sizeof buffer);
        EXPECT_EQ(file.ReadString(buffer, sizeof buffer), CStdioFile::ReadResult::kEndOfFile);
        EXPECT_STREQ(buffer, "");
    }
}

TEST(PlatformTextFile, ReopeningReadsTheNewFileFromItsStart) {
    testutil::TempDir dir;
    testutil::WriteFile(dir / "a.txt", "a1\na2\n");
    testutil::WriteFile(dir / "b.txt", "b1\n");
    CStdioFile file;
    char buffer[16];
    ASSERT_TRUE(file.Open((dir / "a.txt").c_str()));
    ASSERT_EQ(file.ReadString(buffer, sizeof buffer), CStdioFile::ReadResult::kLine);
    ASSERT_TRUE(file.Open((dir / "b.txt").c_str()));
    ASSERT_EQ(file.ReadString(buffer, sizeof buffer), CStdioFile::ReadResult::kLine);
    EXPECT_STREQ(buffer, "b1\n");
    EXPECT_EQ(file.ReadString(buffer, sizeof buffer), CStdioFile::ReadResult::kEndOfFile);
}

TEST(PlatformTextFile, UnusableCallsAreErrorsNotEndOfFile) {
    testutil::TempDir dir;
    const std::string path = dir / "x.txt";
    testutil::WriteFile(path, "line\n");
    char buffer[8] = "zzzzzzz";

    CStdioFile closed;
    EXPECT_EQ(closed.ReadString(buffer, sizeof buffer), CStdioFile::ReadResult::kError);
    EXPECT_STREQ(buffer, "");

    CStdioFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    EXPECT_EQ(file.ReadString(nullptr, 8), CStdioFile::ReadResult::kError);
    EXPECT_EQ(file.ReadString(buffer, 0), CStdioFile::ReadResult::kError);
    // No room for a byte: it could never move on.
    EXPECT_EQ(file.ReadString(buffer, 1), CStdioFile::ReadResult::kError);
    EXPECT_EQ(file.ReadString(buffer, sizeof buffer), CStdioFile::ReadResult::kLine);
    EXPECT_STREQ(buffer, "line\n");
}

// A file that opens but can't be read: the kernel's view of our own memory
// fails with an I/O error at address 0. Skipped where there is no such file.
TEST(PlatformTextFile, ReadFailureIsAnErrorNotEndOfFile) {
    CStdioFile file;
    if (!file.Open("/proc/self/mem")) {
        GTEST_SKIP() << "no file here that opens but fails to read";
    }
    char buffer[kLineBuffer];
    EXPECT_EQ(file.ReadString(buffer, sizeof buffer), CStdioFile::ReadResult::kError);
    EXPECT_EQ(file.ReadString(buffer, sizeof buffer), CStdioFile::ReadResult::kError);
}

}  // namespace
