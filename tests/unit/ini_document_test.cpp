#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ini/ini_file_parse.h"

namespace {

std::string NameOf(int section) {
    return "s" + std::to_string(section);
}
std::string KeyOf(int section, int item) {
    return "k" + std::to_string(section) + "_" + std::to_string(item);
}
int ItemCountOf(int section) {
    return section % 7;
}

// Sections move when their array grows, and take their items along; items
// added to earlier sections after later ones were appended must survive too.
TEST(IniDocument, GrowingKeepsEveryEarlierSectionAndItemIntact) {
    constexpr int kSections = 3000;
    CIniFileParse document;
    auto& sections = document.m_arrSections;
    for (int s = 0; s < kSections; ++s) {
        const std::string header = "[" + NameOf(s) + "]";
        sections.AppendNew().SetName(header.c_str());
        for (int i = 0; i < ItemCountOf(s); ++i) {
            // Alternate between the new section and one appended earlier.
            const int target = (i % 2 == 0) ? s : s / 2;
            std::string line =
                KeyOf(target, static_cast<int>(sections[target].m_arrItems.GetSize())) + "=" +
                NameOf(target);
            sections[target].AddItem().SetLine(line.data());
        }
    }
    ASSERT_EQ(sections.GetSize(), kSections);
    int totalItems = 0;
    for (int s = 0; s < kSections; ++s) {
        const CIniSection& section = sections[s];
        ASSERT_EQ(std::string(section.m_szName), NameOf(s));
        for (int i = 0; i < section.m_arrItems.GetSize(); ++i) {
            ASSERT_EQ(std::string(section.m_arrItems[i].GetKey()), KeyOf(s, i));
            ASSERT_EQ(std::string(section.m_arrItems[i].GetValue()), NameOf(s));
        }
        totalItems += static_cast<int>(section.m_arrItems.GetSize());
    }
    int expectedItems = 0;
    for (int s = 0; s < kSections; ++s) {
        expectedItems += ItemCountOf(s);
    }
    EXPECT_EQ(totalItems, expectedItems);
}

TEST(IniDocument, IndexOutsideTheArrayThrowsInvalidArgument) {
    CIniSection section;
    section.AddItem();
    section.AddItem();
    const auto& items = section.m_arrItems;
    for (std::ptrdiff_t index : {std::ptrdiff_t{-1}, std::ptrdiff_t{2}, std::ptrdiff_t{1000}}) {
        EXPECT_THROW(section.m_arrItems[index], std::invalid_argument) << index;
        EXPECT_THROW(items.GetAt(index), std::invalid_argument) << index;
    }
    EXPECT_NO_THROW(section.m_arrItems[1]);
}

// Reserved room takes the items that follow in place: none moves, and those
// there before keep their text; a smaller reservation changes nothing.
TEST(IniDocument, ReservedRoomKeepsItemsInPlace) {
    CIniSection section;
    const auto add = [&section](int i) {
        std::string line = KeyOf(0, i) + "=v";
        section.AddItem().SetLine(line.data());
    };
    add(0);
    section.m_arrItems.Reserve(64);
    const CIniItem* base = &section.m_arrItems[0];
    for (int i = 1; i < 64; ++i) {
        add(i);
    }
    section.m_arrItems.Reserve(2);
    EXPECT_EQ(&section.m_arrItems[63], base + 63);
    add(64);  // past the room reserved: this one may move them all
    ASSERT_EQ(section.m_arrItems.GetSize(), 65);
    for (int i = 0; i < 65; ++i) {
        EXPECT_EQ(std::string(section.m_arrItems[i].GetKey()), KeyOf(0, i));
    }
}

}  // namespace
