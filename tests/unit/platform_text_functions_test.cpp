// The Windows text helpers: bounded copy, number reading, bounded formatting.
#include <gtest/gtest.h>

#include <climits>
#include <cstdarg>
#include <cstring>
#include <string>

#include "platform/os.h"

namespace {

TEST(PlatformDecimalPrefixToInt, SignDigitsAndNothingElse) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"12", 12},
        {"007", 7},
        {"-12", -12},
        {"-0", 0},
        {"12abc", 12},
        {"1 2", 1},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"--1", 0},
        {"+12", 0},  // StrToIntA takes a
                     // minus sign only
        {" 12", 0},  // and skips no blanks
        {"\t7", 0},
        {"0x1A", 0},
        {"\xb2\xe2", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text: [") + c.text + "]");
        EXPECT_EQ(platform::DecimalPrefixToInt(c.text), c.expected);
    }
    EXPECT_EQ(platform::DecimalPrefixToInt(nullptr), 0);
}

TEST(PlatformDecimalPrefixToInt, OverflowWrapsModulo2To32) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"2147483647", INT_MAX},
        {"2147483648", INT_MIN},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MAX},
        {"4294967295", -1},
        {"4294967296", 0},
        {"4294967297", 1},
        {"99999999999", 1215752191},
        {"-99999999999", -1215752191},
        {"123456789012345678901234567890", 1312754386},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(platform::DecimalPrefixToInt(c.text), c.expected);
    }
}

TEST(PlatformCopyBounded, CutsToSizeLessOneAndAlwaysEndsWithNul) {
    const struct {
        const char* source;
        int size;
        std::string expectedBytes;  // all 8 bytes of the destination afterwards
    } cases[] = {
        {"hello", 8, std::string("hello\0zz", 8)},
        {"hello", 6, std::string("hello\0zz", 8)},
        {"hello", 5, std::string("hell\0zzz", 8)},
        {"hello", 2, std::string("h\0zzzzzz", 8)},
        {"hello", 1, std::string("\0zzzzzzz", 8)},
        {"", 8, std::string("\0zzzzzzz", 8)},
        {"hello", 0, "zzzzzzzz"},   // no room: nothing written
        {"hello", -1, "zzzzzzzz"},  // nor for a negative size
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.source) + ", size " + std::to_string(c.size));
        char destination[8];
        std::memset(destination, 'z', sizeof destination);
        EXPECT_EQ(platform::CopyBounded(destination, c.source, c.size), destination);
        EXPECT_EQ(std::string(destination, sizeof destination), c.expectedBytes);
    }
    char destination[4] = "zzz";
    EXPECT_EQ(platform::CopyBounded(destination, nullptr, 4), nullptr);
    EXPECT_EQ(platform::CopyBounded(nullptr, "x", 4), nullptr);
}

int Format(char* buffer, std::size_t size, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const int result = platform::FormatBounded(buffer, size, format, args);
    va_end(args);
    return result;
}

TEST(PlatformFormatBounded, LengthWhenItFitsMinusOneWhenCut) {
    const struct {
        const char* value;
        std::size_t size;
        int expectedResult;
        const char* expectedText;
    } cases[] = {
        {"abc", 8, 3, "abc"},
        {"abcdefg", 8, 7, "abcdefg"},    // exactly fits with its NUL
        {"abcdefgh", 8, -1, "abcdefg"},  // cut, still terminated
        {"abcdefghijkl", 8, -1, "abcdefg"},
        {"", 1, 0, ""},
        {"x", 1, -1, ""},
        {"\xb4\xed\xce\xf3", 8, 4, "\xb4\xed\xce\xf3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value) + ", size " + std::to_string(c.size));
        char buffer[16];
        std::memset(buffer, 'z', sizeof buffer);
        EXPECT_EQ(Format(buffer, c.size, "%s", c.value), c.expectedResult);
        EXPECT_STREQ(buffer, c.expectedText);
        EXPECT_EQ(buffer[c.size], 'z') << "wrote past the buffer";
    }
}

TEST(PlatformFormatBounded, FormatsNumbersAndPaths) {
    char buffer[260];
    EXPECT_EQ(Format(buffer, sizeof buffer, "config\\siteinfo_%d.ini", -2), 22);
    EXPECT_STREQ(buffer, "config\\siteinfo_-2.ini");
    EXPECT_EQ(Format(buffer, sizeof buffer, "%d", INT_MIN), 11);
    EXPECT_STREQ(buffer, "-2147483648");
    EXPECT_EQ(Format(buffer, sizeof buffer, "%s\\config\\GameKindID.ini", "C:\\Game"), 29);
    EXPECT_STREQ(buffer, "C:\\Game\\config\\GameKindID.ini");
}

TEST(PlatformFormatBounded, UnusableArgumentsGiveMinusOne) {
    char buffer[4] = "zzz";
    EXPECT_EQ(Format(buffer, 0, "%s", "x"), -1);
    EXPECT_STREQ(buffer, "zzz");
    EXPECT_EQ(Format(nullptr, 4, "%s", "x"), -1);
    EXPECT_EQ(Format(buffer, sizeof buffer, nullptr), -1);
    EXPECT_STREQ(buffer, "");
}

// Paths are cut, joined and checked by character: the trail byte of a
// double-byte character may be 0x5C or 0x2F and is then no separator. Code
// page 0 is plain bytes.
TEST(PlatformPathCharacters, ReadsTheLastCharacterNotTheLastByte) {
    constexpr std::size_t kNone = platform::PathCharacters::npos;
    const struct {
        const char* text;
        unsigned codePage;
        bool endsWithBackslash;
        std::size_t last;
        std::size_t lastSeparator;
    } cases[] = {
        {"C:\\Records\\", 0, true, 10, 10},
        {"C:\\Records\\r.rec", 0, false, 15, 10},
        {"/opt/x", 0, false, 5, 4},
        {"C:/x/", 0, false, 4, 4},  // a separator, but no backslash
        {"", 0, false, kNone, kNone},
        {"\xC4\\", 0, true, 1, 1},            // bytes: the last one is 0x5C
        {"\xC4\\", 1252, true, 1, 1},         // single-byte: still a backslash
        {"r\xC4\\", 936, false, 1, kNone},    // GBK C4 5C is one character
        {"\xC4/", 936, false, 0, kNone},      // ... and so is C4 2F
        {"\xC4\\\\", 936, true, 2, 2},        // ... followed by a real backslash
        {"\xC4\xC4\\", 936, true, 2, 2},      // C4 C4 is the character; 5C stands alone
        {"r\\\xC4", 936, false, 2, 1},        // a lead byte with nothing after it
        {"i\\\x81\\.exe", 932, false, 7, 1},  // Shift JIS 81 5C
        {"i\\\xE0\\", 1252, true, 3, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in code page " + std::to_string(c.codePage));
        const platform::PathCharacters found = platform::ReadPathCharacters(c.text, c.codePage);
        EXPECT_EQ(found.last, c.last);
        EXPECT_EQ(found.lastSeparator, c.lastSeparator);
        EXPECT_EQ(platform::EndsWithBackslash(c.text, c.codePage), c.endsWithBackslash);
    }
}

// Every GBK lead byte with a 0x5C trail byte: a launcher named so keeps its
// folder, and a folder named so is joined with a separator of its own.
TEST(PlatformPathCharacters, EveryGbkLeadByteKeepsItsTrailByte) {
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        const std::string name{static_cast<char>(lead), '\\'};
        SCOPED_TRACE(lead);
        const std::string launcher = "C:\\inst\\" + name + ".exe";
        EXPECT_EQ(platform::ReadPathCharacters(launcher.c_str(), 936).lastSeparator, 7U);
        const std::string folder = "C:\\inst\\" + name;
        EXPECT_FALSE(platform::ReadPathCharacters(folder.c_str(), 936).EndsWithSeparator());
        EXPECT_TRUE(platform::ReadPathCharacters((folder + "\\").c_str(), 936).EndsWithSeparator());
        EXPECT_FALSE(platform::EndsWithBackslash(folder.c_str(), 936));
    }
}

}  // namespace
