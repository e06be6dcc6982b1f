#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ini/ini_item.h"

namespace {

constexpr std::size_t kSize = reclaunch::kIniTextSize;

struct LineCase {
    std::string line;
    std::string key;
    std::int32_t keyLen;
    std::string value;
};

void ExpectItem(const CIniItem& item, const LineCase& c) {
    EXPECT_EQ(std::string(item.GetKey()), c.key);
    EXPECT_EQ(item.m_nKeyLen, c.keyLen);
    EXPECT_EQ(std::string(item.GetValue()), c.value);
}

TEST(IniItemSetLine, SplitsAtTheFirstEqualsSignAndTrimsBothParts) {
    const LineCase cases[] = {
        {"stationid=3", "stationid", 9, "3"},
        {"  stationid \t=  3 \n", "stationid", 9, "3"},
        {"a=b=c", "a", 1, "b=c"},
        {"=x", "", 0, "x"},
        {" \t= x", "", 0, "x"},
        {"k=", "k", 1, ""},
        {"k= \n", "k", 1, ""},
        {"  just text \n", "just text", -1, ""},
        {"", "", -1, ""},
        // Nothing but '=' has a meaning on an item line.
        {"#k=v", "#k", 2, "v"},
        {"#note", "#note", -1, ""},
        {"k=v ; note", "k", 1, "v ; note"},
        {"\"k\" = \"v\"", "\"k\"", 3, "\"v\""},
        {"\xC3\xFB=\xD6\xB5\xA0", "\xC3\xFB", 2, "\xD6\xB5\xA0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("line: '" + c.line + "'");
        CIniItem item;
        std::string line = c.line;
        EXPECT_EQ(item.SetLine(line.data()), 0);
        ExpectItem(item, c);
    }
}

TEST(IniItemSetLine, CutsTextsTooLongForTheBufferSoBothEndInsideIt) {
    const std::string k1022(1022, 'k');
    const std::string k1021(1021, 'k');
    const LineCase cases[] = {
        // Key, NUL and the empty value's NUL fill the buffer exactly.
        {k1022 + "=", k1022, 1022, ""},
        {k1022 + "=v", k1022, 1022, ""},
        // A 1023-byte key leaves no room for the value's NUL: one byte goes.
        {std::string(1023, 'k') + "=v", k1022, 1022, ""},
        {std::string(1500, 'k') + "=v", k1022, 1022, ""},
        // The cut comes before the trim, so leading blanks count.
        {"  " + k1021 + "=v", k1021, 1021, "v"},
        {"  " + k1021 + "zz=v", k1021, 1021, "v"},
        // Blanks that a cut brings to the end are trimmed too.
        {k1021 + " zz=v", k1021, 1021, "v"},
        {"k=" + std::string(1500, 'v'), "k", 1, std::string(1021, 'v')},
        {"k=" + std::string(1020, 'v') + " " + std::string(9, 'w'), "k", 1, std::string(1020, 'v')},
        {std::string(1500, 'x'), std::string(1023, 'x'), -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("line of " + std::to_string(c.line.size()) + " bytes");
        CIniItem item;
        std::string line = c.line;
        item.SetLine(line.data());
        ExpectItem(item, c);
        EXPECT_EQ(item.m_szText[kSize - 1], '\0');
    }
}

TEST(IniItemSetLine, TextEndsWithTwoNulsWhereTheyFit) {
    const struct {
        std::string line;
        std::size_t secondNul;
    } cases[] = {
        {"just text", 10},
        {std::string(1022, 'x'), 1023},
        {std::string(1022, 'k') + "=", 1023},
    };
    for (const auto& c : cases) {
        CIniItem item;
        std::memset(item.m_szText, 'z', kSize);  // no help from a zeroed buffer
        std::string line = c.line;
        item.SetLine(line.data());
        EXPECT_EQ(item.m_szText[c.secondNul - 1], '\0') << c.line.size() << " bytes";
        EXPECT_EQ(item.m_szText[c.secondNul], '\0') << c.line.size() << " bytes";
    }
}

TEST(IniItemSetLine, ChangesTheCallersTextOnlyWhenItHasAnEqualsSign) {
    const struct {
        std::string line;
        std::string keyPart;
        std::string valuePart;  // behind the NUL that replaced '='
    } cases[] = {
        {"  k \t=  v w \n", "  k \t", "v w"},
        {"a=b=c", "a", "b=c"},
        {"k= \n", "k", ""},
    };
    for (const auto& c : cases) {
        CIniItem item;
        std::string line = c.line;
        item.SetLine(line.data());
        EXPECT_EQ(std::string(line.c_str()), c.keyPart);
        EXPECT_EQ(std::string(line.c_str() + c.keyPart.size() + 1), c.valuePart);
    }
    std::string plain = "  just text \n";
    CIniItem item;
    item.SetLine(plain.data());
    EXPECT_EQ(plain, "  just text \n");
}

TEST(IniItemSetLine, NullLineLeavesEmptyKeyAndValueAndKeepsTheKeyLength) {
    const LineCase cases[] = {
        {"key=value", "", 3, ""},
        {"=x", "", 0, ""},
        {"k=v", "", 1, ""},
        {"just text", "", -1, ""},
        {std::string(1022, 'k') + "=", "", 1022, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("earlier line: '" + c.line.substr(0, 20) + "'");
        CIniItem item;
        std::string line = c.line;
        item.SetLine(line.data());
        EXPECT_EQ(item.SetLine(nullptr), 0);
        ExpectItem(item, c);
    }
    CIniItem fresh;
    fresh.SetLine(nullptr);
    ExpectItem(fresh, {"", "", -1, ""});
}

TEST(IniItem, ValueOfALineWithoutEqualsSignIsOneSharedEmptyText) {
    CIniItem first;
    CIniItem second;
    std::string line = "just text";
    second.SetLine(line.data());
    EXPECT_EQ(first.GetValue(), second.GetValue());
    EXPECT_STREQ(first.GetValue(), "");
}

}  // namespace
