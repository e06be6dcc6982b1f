#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "hall/hall_singleton.h"
#include "tests/support/case_name.h"

namespace {

struct FullPathCase {
    const char* name;
    const char* base;  // null: no base
    std::string path;
    std::string expected;
};

// Failure messages name the case rather than dump its bytes.
void PrintTo(const FullPathCase& c, std::ostream* out) {
    *out << c.name;
}

class HallFullPath : public ::testing::TestWithParam<FullPathCase> {};

TEST_P(HallFullPath, Resolves) {
    const FullPathCase& c = GetParam();
    EXPECT_EQ(std::string(CHallSingleton::GetFullPath(c.base, c.path.c_str())), c.expected);
}

const FullPathCase kJoins[] = {
    {"AddsSeparator", "C:\\Game", "config\\StationID.ini", "C:\\Game\\config\\StationID.ini"},
    {"NoDoubledSeparator", "C:\\Game\\", "config\\StationID.ini",
     "C:\\Game\\config\\StationID.ini"},
    {"AddedSeparatorIsBackslash", "C:/Game", "config/x.ini", "C:/Game\\config/x.ini"},
    {"ForwardSlashEndIsKept", "C:/Game/", "x.ini", "C:/Game/x.ini"},
    {"PosixBase", "/opt/game", "config\\x.ini", "/opt/game\\config\\x.ini"},
    {"CurrentDirectoryBase", ".", "config\\StationID.ini", ".\\config\\StationID.ini"},
    {"EmptyPath", "C:\\Game", "", "C:\\Game\\"},
    {"CurrentPrefix", "C:\\Game\\Sub", ".\\x.ini", "C:\\Game\\Sub\\x.ini"},
    {"CurrentPrefixSlash", "C:\\Game\\Sub", "./x.ini", "C:\\Game\\Sub\\x.ini"},
    {"ParentPrefix", "C:\\Game\\Sub", "..\\x.ini", "C:\\Game\\x.ini"},
    {"ParentPrefixSlash", "C:\\Game\\Sub", "../x.ini", "C:\\Game\\x.ini"},
    {"ParentTwice", "C:\\Game\\Sub", "..\\..\\x.ini", "C:\\x.ini"},
    {"ParentOfTrailingSeparatorBase", "C:\\Game\\Sub\\", "..\\x.ini", "C:\\Game\\x.ini"},
    {"ParentThenCurrent", "C:\\Game\\Sub", "..\\.\\x.ini", "C:\\Game\\x.ini"},
    {"OnlyOnePrefixOfCurrent", "C:\\Game", ".\\.\\x.ini", "C:\\Game\\.\\x.ini"},
    {"DotNameIsNoPrefix", "C:\\Game", ".config", "C:\\Game\\.config"},
};
INSTANTIATE_TEST_SUITE_P(Join, HallFullPath, ::testing::ValuesIn(kJoins), testutil::CaseName());

const FullPathCase kUnchanged[] = {
    {"DrivePath", "C:\\Game", "D:\\x.ini", "D:\\x.ini"},
    {"RootedBackslash", "C:\\Game", "\\x.ini", "\\x.ini"},
    {"RootedSlash", "C:\\Game", "/x.ini", "/x.ini"},
    {"EmptyBase", "", "config\\x.ini", "config\\x.ini"},
    {"NoBase", nullptr, "config\\x.ini", "config\\x.ini"},
    {"EmptyBaseParent", "", "..\\x.ini", "..\\x.ini"},
    {"NoBaseParent", nullptr, "..\\x.ini", "..\\x.ini"},
    {"NoBaseAbsolute", nullptr, "D:\\x.ini", "D:\\x.ini"},
};
INSTANTIATE_TEST_SUITE_P(Unchanged, HallFullPath, ::testing::ValuesIn(kUnchanged),
                         testutil::CaseName());

const FullPathCase kAboveTheTop[] = {
    // Up to 'C:\', where no further separator is found: the rest stands alone.
    {"PastTheDrive", "C:\\Game", "..\\..\\x.ini", "x.ini"},
    {"FromDriveRoot", "C:\\", "..\\x.ini", "x.ini"},
    {"FromSingleFolder", "Game\\", "..\\x.ini", "x.ini"},
    {"FromSingleFolderNoSeparator", "Game", "..\\x.ini", "x.ini"},
    // What is left after a level is examined afresh.
    {"RestIsAbsolute", "C:\\Game\\Sub", "..\\D:\\x.ini", "D:\\x.ini"},
    {"RestIsRooted", "C:\\Game\\Sub", "..\\\\x.ini", "\\x.ini"},
};
INSTANTIATE_TEST_SUITE_P(AboveTheTop, HallFullPath, ::testing::ValuesIn(kAboveTheTop),
                         testutil::CaseName());

// Bases whose joined path reaches the 259-byte limit. Beyond it the result
// is empty, so that no shorter path naming another file is opened.
const std::string kBase250 = "C:\\" + std::string(247, 'a');
const std::string kBase258 = "C:\\" + std::string(255, 'a');
const std::string kBase259 = "C:\\" + std::string(256, 'a');
const std::string kBase259Separator = "C:\\" + std::string(255, 'a') + "\\";
const std::string kBase300 = "C:\\" + std::string(297, 'a');

const FullPathCase kLengths[] = {
    {"Exactly259", kBase250.c_str(), "12345678", kBase250 + "\\12345678"},
    {"OneOver", kBase250.c_str(), "123456789", ""},
    {"Overlong", kBase250.c_str(), "config\\siteinfo_1.in", ""},
    {"NoRoomForSeparator", kBase259.c_str(), "", ""},
    {"NoRoomForSeparatorWithPath", kBase259.c_str(), "x.ini", ""},
    {"SeparatorFillsLastByte", kBase258.c_str(), "", kBase258 + "\\"},
    {"FullBaseWithSeparator", kBase259Separator.c_str(), "", kBase259Separator},
    {"FullBaseGoesUp", kBase259Separator.c_str(), "..\\x.ini", "C:\\x.ini"},
    {"BaseLongerThanBuffer", kBase300.c_str(), "x.ini", ""},
    {"BaseLongerThanBufferGoesUp", kBase300.c_str(), "..\\x.ini", ""},
};
INSTANTIATE_TEST_SUITE_P(Length, HallFullPath, ::testing::ValuesIn(kLengths), testutil::CaseName());

TEST(HallFullPathBuffer, APathFromTheSharedBufferJoinsWhole) {
    const std::string first = CHallSingleton::GetFullPath("C:\\Game", "config\\x.ini");
    const char* again = CHallSingleton::GetFullPath("C:\\Game", "config\\x.ini");
    EXPECT_EQ(std::string(CHallSingleton::GetFullPath("D:\\Base", again)), first);
    const char* relative = CHallSingleton::GetFullPath("Sub", "x.ini");
    EXPECT_EQ(std::string(CHallSingleton::GetFullPath("C:\\Game", relative)),
              "C:\\Game\\Sub\\x.ini");
}

}  // namespace
