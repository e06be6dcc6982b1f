#include <gtest/gtest.h>

#include <string>

#include "ini/ini_file_parse.h"
#include "ini/item_lines.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_dir.h"

namespace {

struct ItemLinesCase {
    const char* name;
    std::string text;
    std::size_t items;
};

const ItemLinesCase kCases[] = {
    {"empty", "", 0},
    {"one_item", "a=1\n", 1},
    {"crlf_and_no_last_lf", "a=1\r\nb=2", 2},
    {"blank_lines", "\n  \t\r\n\r\r\n", 0},
    {"comments_indented_or_not", ";c\n \t;c=1\n", 0},
    {"bare_text_and_bare_equals", "text\n=\n", 2},
    {"stops_at_a_header", "a=1\n[s]\nb=2\n", 1},
    {"stops_at_an_indented_header", "a=1\n \t[s]\nb=2\n", 1},
    {"bracket_inside_an_item", "k=[v]\n k2\n", 2},
    {"leading_cr_keeps_the_line", "\r x\n", 1},
    {"lone_cr_is_no_line_end", "a=1\rb=2\n", 1},
    {"a_nul_ends_the_text", std::string("\0k\n \0k\nk\0\n", 10), 1},
    {"a_long_line_in_pieces", std::string(1022, 'k') + "\r\n" + std::string(1023, 'k') + "v\n", 3},
    {"a_header_in_a_long_lines_rest", std::string(1023, 'k') + "[s]\nk\n", 1},
};

class ItemLines : public ::testing::TestWithParam<ItemLinesCase> {};

TEST_P(ItemLines, CountsTheLinesThatBecomeItemsBeforeTheNextHeader) {
    EXPECT_EQ(CountItemLines(GetParam().text), GetParam().items);
}

// The count is room reserved for what the loader makes of the same bytes.
TEST_P(ItemLines, AgreesWithTheLoader) {
    testutil::TempDir dir;
    const std::string path = dir / "table.ini";
    testutil::WriteFile(path, "[first]\n" + GetParam().text);
    CIniFileParse document;
    ASSERT_EQ(document.LoadFile(path.c_str()), S_OK);
    ASSERT_GE(document.m_arrSections.GetSize(), 1);
    EXPECT_EQ(static_cast<std::size_t>(document.m_arrSections[0].m_arrItems.GetSize()),
              CountItemLines(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Texts, ItemLines, ::testing::ValuesIn(kCases), testutil::CaseName());

}  // namespace
