#include <gtest/gtest.h>

#include <string>

#include "ini/trim_string.h"

namespace {

struct TrimCase {
    std::string text;
    std::string trimmed;
};

TEST(TrimString, TrimsBlanksAndTabsAtBothEndsAndLineEndsAtTheEndOnly) {
    const TrimCase cases[] = {
        {" \tname \r\n", "name"},
        {"\r\n", ""},
        {" \n", ""},
        {"\t", ""},
        {"   ", ""},
        {"", ""},
        {"name", "name"},
        {"a \t b", "a \t b"},
        // A leading CR or LF stays, and shields the blanks behind it.
        {"\r name", "\r name"},
        {"\n\tname", "\n\tname"},
        {" \r name \n", "\r name"},
        {"name\r\n\t \r", "name"},
        // Bytes from 0x80 up are text, whatever a code page makes of them.
        {"\xA0name\xA0", "\xA0name\xA0"},
        {" \xD5\xBE\xB5\xE3 ", "\xD5\xBE\xB5\xE3"},
    };
    for (const auto& c : cases) {
        std::string buffer = c.text;
        TrimString(buffer.data());
        EXPECT_EQ(std::string(buffer.c_str()), c.trimmed) << "text: '" << c.text << "'";
    }
}

TEST(TrimString, KnownLengthTrimsOnlyThatPrefixAndReturnsTheNewLength) {
    struct Case {
        std::string text;
        std::size_t length;
        std::string trimmed;
    } const cases[] = {
        {"  abc  ", 7, "abc"},
        {"  abc  def", 6, "abc"},
        {"abc", 0, ""},
        {"\t \t", 3, ""},
    };
    for (const auto& c : cases) {
        std::string buffer = c.text;
        const std::size_t length = TrimString(buffer.data(), c.length);
        EXPECT_EQ(std::string(buffer.c_str()), c.trimmed) << "text: '" << c.text << "'";
        EXPECT_EQ(length, c.trimmed.size()) << "text: '" << c.text << "'";
    }
}

TEST(TrimString, NullTextIsLeftAlone) {
    TrimString(nullptr);
}

}  // namespace
