#include <gtest/gtest.h>

#include <string>

#include "ini/ini_section.h"

namespace {

void AddItems(CIniSection& section, int count) {
    for (int i = 0; i < count; ++i) {
        std::string line = "k" + std::to_string(i) + "=v";
        section.AddItem().SetLine(line.data());
    }
}

TEST(IniSectionSetName, DropsOneBracketAtEachEndAndKeepsEverythingElse) {
    const struct {
        std::string line;
        std::string name;
    } cases[] = {
        {"[siteinfo]", "siteinfo"},
        {"  [siteinfo]  ", "siteinfo"},
        {"\t[siteinfo]\r\n", "siteinfo"},
        {"[ siteinfo ]", " siteinfo "},
        {"[siteinfo] ; note", "siteinfo] ; note"},
        {"[siteinfo]x", "siteinfo]x"},
        {"[siteinfo", "siteinfo"},
        {"[[siteinfo]]", "[siteinfo]"},
        {"[]", ""},
        {"[", ""},
        {"]", ""},
        {"siteinfo", "siteinfo"},
        {"[a]=1", "a]=1"},
        {"[\xD5\xBE\xB5\xE3]", "\xD5\xBE\xB5\xE3"},
        // The header is cut to 1023 bytes before its brackets are dropped.
        {"[" + std::string(1500, 'a') + "]", std::string(1022, 'a')},
    };
    for (const auto& c : cases) {
        CIniSection section;
        const std::string line = c.line;
        EXPECT_EQ(section.SetName(line.c_str()), 0);
        EXPECT_EQ(std::string(section.m_szName), c.name) << "line: '" << c.line << "'";
        EXPECT_EQ(line, c.line) << "the header line is the caller's";
    }
}

TEST(IniSectionSetName, OnlyANullOrEmptyLineDestroysTheItems) {
    const struct {
        const char* line;
        std::ptrdiff_t itemsLeft;
    } cases[] = {
        {nullptr, 0},
        {"", 0},
        {"   ", 3},
        {"[]", 3},
    };
    for (const auto& c : cases) {
        CIniSection section;
        section.SetName("[old]");
        AddItems(section, 3);
        EXPECT_EQ(section.SetName(c.line), 0);
        EXPECT_STREQ(section.m_szName, "");
        ASSERT_EQ(section.m_arrItems.GetSize(), c.itemsLeft) << (c.line ? c.line : "null");
        if (c.itemsLeft > 0) {
            EXPECT_STREQ(section.m_arrItems[2].GetKey(), "k2");
        }
    }
}

}  // namespace
